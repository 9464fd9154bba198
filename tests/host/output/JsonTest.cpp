// JSON values: strict parsing with located errors, and writing that reads back.
#include "host/output/Json.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace orlo::host::json {
namespace {

TEST(JsonParse, ReadsEveryKindKeepsMemberOrderAndDecodesUtf16Escapes) {
  const Value doc = Parse(R"( {"b": [true, false, null], "a": -12.50e+3, "s": "x\"y\\\/\u00e9\n"} )");
  // Members in their order, each kind, the number's own text, the string decoded (and
  // written back escaped, "\/" as "/").
  EXPECT_EQ(Write(doc, 0), "{\"b\":[true,false,null],\"a\":-12.50e+3,\"s\":\"x\\\"y\\\\/\xC3\xA9\\n\"}");
  EXPECT_TRUE(doc.Find("b")->Items()[0].AsBool());
  EXPECT_TRUE(doc.Find("b")->Items()[2].IsNull());
  EXPECT_EQ(doc.Find("a")->AsDouble(), -12500.0);
  EXPECT_EQ(doc.Find("s")->Text(), "x\"y\\/\xC3\xA9\n");
  EXPECT_EQ(doc.Find("missing"), nullptr);
  EXPECT_EQ(Parse(R"("\ud83d\ude00")").Text(), "\xF0\x9F\x98\x80");
  EXPECT_EQ(Parse("\"\xE2\x82\xAC\"").Text(), "\xE2\x82\xAC");
  EXPECT_EQ(Parse("\xEF\xBB\xBF[]").Items().size(), 0u);  // byte order mark skipped
}

struct BadInput {
  const char* text;
  int line;
  int column;
  const char* reason;
};

class JsonParseError : public ::testing::TestWithParam<BadInput> {};

TEST_P(JsonParseError, NamesLineColumnAndReason) {
  const BadInput& bad = GetParam();
  try {
    Parse(bad.text);
    FAIL() << "accepted: " << bad.text;
  } catch (const ParseError& error) {
    EXPECT_EQ(error.line(), bad.line) << error.what();
    EXPECT_EQ(error.column(), bad.column) << error.what();
    EXPECT_EQ(error.reason(), bad.reason);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Strict, JsonParseError,
    ::testing::Values(
        BadInput{"", 1, 1, "unexpected end of input, expected a value"},
        BadInput{"[1,\n 2,]", 2, 4, "trailing comma before ']'"},
        BadInput{"{\"a\":1,}", 1, 8, "trailing comma before '}'"},
        BadInput{"{\"a\" 1}", 1, 6, "expected ':' after the key \"a\""},
        BadInput{"{a:1}", 1, 2, "unexpected 'a' in object, expected a string key"},
        BadInput{"{\"k\":1,\n\"k\":2}", 2, 1, "duplicate key \"k\""},
        BadInput{"[01]", 1, 3, "leading zero in number"},
        BadInput{"[1.]", 1, 4, "expected a digit after '.'"},
        BadInput{"[1e+]", 1, 5, "expected a digit in the exponent"},
        BadInput{"[0,\n -1e400]", 2, 2, "number out of the double range"},
        BadInput{"[tru]", 1, 2, "invalid literal, expected true"},
        BadInput{"\"abc", 1, 5, "unterminated string"},
        BadInput{"\"a\tb\"", 1, 3, "control character U+0009 in string"},
        BadInput{"\"\\x\"", 1, 2, "invalid escape \\x in string"},
        BadInput{"\"\\u12g4\"", 1, 6, "invalid hexadecimal digit 'g' in \\u escape"},
        BadInput{"\"\\ud800x\"", 1, 2, "high surrogate not followed by a low surrogate escape"},
        BadInput{"\"\\udc00\"", 1, 2, "unpaired low surrogate in \\u escape"},
        BadInput{"\"\xC3\xA9\xFF\"", 1, 3, "invalid UTF-8 byte 0xFF"},
        BadInput{"\"\xED\xA0\x80\"", 1, 2, "invalid UTF-8 sequence"},  // encoded surrogate
        BadInput{"[1] [2]", 1, 5, "unexpected '[' after the document"},
        BadInput{"// note\n{}", 1, 1, "unexpected '/', expected a value"}));

TEST(JsonParse, RefusesDeepNestingInsteadOfOverflowing) {
  const std::string deep(100000, '[');
  try {
    Parse(deep);
    FAIL();
  } catch (const ParseError& error) {
    EXPECT_EQ(error.reason(), "nesting deeper than 256 levels");
    EXPECT_EQ(error.column(), 257);
  }
}

TEST(JsonWrite, EscapesControlsAndWritesNonAsciiAsUtf8) {
  Value doc = Value::MakeObject();
  doc.Set("t", Value::String(std::string("a\"b\\c\n\x01\x7F")));
  doc.Set("w", Value::String(std::wstring(L"\u00e9\u20ac\U0001F600")));
  doc.Set("bad", Value::String(std::wstring(1, static_cast<wchar_t>(0xD800))));
  doc.Set("raw", Value::String(std::string("x\xFFy")));  // not UTF-8: written as U+FFFD
  EXPECT_EQ(Write(doc, 0),
            "{\"t\":\"a\\\"b\\\\c\\n\\u0001\\u007F\",\"w\":\"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\","
            "\"bad\":\"\xEF\xBF\xBD\",\"raw\":\"x\xEF\xBF\xBDy\"}");
}

TEST(JsonWrite, NumbersAreShortestExactTextOrNamedStrings) {
  EXPECT_EQ(Write(Value::Number(1e-7)), "1e-07");
  EXPECT_EQ(Parse(Write(Value::Number(3.0000000054977558e38))).AsDouble(), 3.0000000054977558e38);
  EXPECT_EQ(Write(Value::Number(std::numeric_limits<double>::quiet_NaN())), "\"NaN\"");
  EXPECT_EQ(Write(Value::Number(-INFINITY)), "\"-Infinity\"");
  EXPECT_EQ(Write(Value::Integer(-9000000000)), "-9000000000");
  EXPECT_EQ(Write(Value::NumberText("1.50")), "1.50");
  EXPECT_THROW(Value::NumberText("1.5x"), std::invalid_argument);
  EXPECT_THROW(Value::NumberText(" 1"), std::invalid_argument);
}

TEST(JsonWrite, PrettyAndCompactFormsReadBackEqual) {
  const char* text =
      R"({"format":"orlo-analysis/1","sweeps":[{"name":"phase-A","points":1000}],)"
      R"("empty":[],"none":{},"nested":[[1,5],[2,5]],"v":-0.0e-7,"ok":true,"n":null})";
  const Value doc = Parse(text);
  EXPECT_EQ(Write(doc, 0), text);
  const std::string pretty = Write(doc);
  EXPECT_EQ(Parse(pretty), doc);
  EXPECT_NE(Parse(pretty), Parse(R"({"format":"orlo-analysis/1"})"));
  EXPECT_NE(Value::Integer(1), Value::NumberText("1.0"));  // numbers compare by their text
  EXPECT_NE(pretty.find("\n  \"sweeps\": [\n    {\n      \"name\": \"phase-A\","), std::string::npos)
      << pretty;
  EXPECT_NE(pretty.find("\"empty\": [],"), std::string::npos);
}

}  // namespace
}  // namespace orlo::host::json

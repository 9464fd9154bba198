#include "host/output/Json.h"

#include "platform/common/NumberText.h"
#include "platform/common/Utf8.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <utility>

namespace orlo::host::json {

namespace {

constexpr int kMaxDepth = 256;

// The two-character escapes the writer uses: the letter after the backslash and the
// character it stands for. The reader also takes "\\/" for '/'.
constexpr std::pair<char, char> kEscapes[] = {{'"', '"'},  {'\\', '\\'}, {'b', '\b'}, {'f', '\f'},
                                              {'n', '\n'}, {'r', '\r'},   {'t', '\t'}};

std::string Quote(char c) {
  const auto byte = static_cast<unsigned char>(c);
  char buffer[16];
  if (byte < 0x20 || byte >= 0x7F) {
    std::snprintf(buffer, sizeof buffer, "byte 0x%02X", byte);
  } else {
    std::snprintf(buffer, sizeof buffer, "'%c'", c);
  }
  return buffer;
}

}  // namespace

// Recursive-descent parser over UTF-8 text; tracks line and column for messages.
class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {
    if (text_.starts_with("\xEF\xBB\xBF")) pos_ = 3;
  }

  Value Document() {
    SkipBlanks();
    Value value = ParseValue(0);
    SkipBlanks();
    if (pos_ < text_.size()) Fail("unexpected " + Quote(text_[pos_]) + " after the document");
    return value;
  }

 private:
  [[noreturn]] void Fail(const std::string& reason) const {
    const auto [line, column] = LineAndColumn(text_, pos_);
    throw ParseError(line, column, reason);
  }

  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return text_[pos_]; }

  void SkipBlanks() {
    while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r')) {
      ++pos_;
    }
  }

  Value ParseValue(int depth) {
    const size_t start = pos_;
    Value value = ParseValueAt(depth);
    value.offset_ = start;
    return value;
  }

  Value ParseValueAt(int depth) {
    if (AtEnd()) Fail("unexpected end of input, expected a value");
    switch (Peek()) {
      case '{':
        return ParseObject(depth + 1);
      case '[':
        return ParseArray(depth + 1);
      case '"':
        return Value::String(ParseString());
      case 't':
        return ParseLiteral("true", Value::Bool(true));
      case 'f':
        return ParseLiteral("false", Value::Bool(false));
      case 'n':
        return ParseLiteral("null", Value());
      default:
        if (Peek() == '-' || (Peek() >= '0' && Peek() <= '9')) return ParseNumber();
        Fail("unexpected " + Quote(Peek()) + ", expected a value");
    }
  }

  Value ParseLiteral(std::string_view word, Value value) {
    if (text_.substr(pos_, word.size()) != word) {
      Fail("invalid literal, expected " + std::string(word));
    }
    pos_ += word.size();
    return value;
  }

  void CheckDepth(int depth) const {
    if (depth > kMaxDepth) Fail("nesting deeper than " + std::to_string(kMaxDepth) + " levels");
  }

  // The elements of an array ("array", ']') or the members of an object ("object", '}'),
  // each read by `element`, from the opening bracket to the closing one.
  template <typename Element>
  void ParseList(int depth, const std::string& what, char close, Element element) {
    CheckDepth(depth);
    ++pos_;  // the opening bracket
    SkipBlanks();
    if (!AtEnd() && Peek() == close) {
      ++pos_;
      return;
    }
    const std::string expected = std::string(", expected ',' or '") + close + "'";
    for (;;) {
      SkipBlanks();
      if (!AtEnd() && Peek() == close) Fail(std::string("trailing comma before '") + close + "'");
      element();
      SkipBlanks();
      if (AtEnd()) Fail("unexpected end of input in " + what + expected);
      if (Peek() == close) {
        ++pos_;
        return;
      }
      if (Peek() != ',') Fail("unexpected " + Quote(Peek()) + " in " + what + expected);
      ++pos_;
    }
  }

  Value ParseArray(int depth) {
    Value array = Value::MakeArray();
    ParseList(depth, "array", ']', [&] { array.Append(ParseValue(depth)); });
    return array;
  }

  Value ParseObject(int depth) {
    Value object = Value::MakeObject();
    ParseList(depth, "object", '}', [&] {
      if (AtEnd()) Fail("unexpected end of input in object, expected a key");
      if (Peek() != '"') Fail("unexpected " + Quote(Peek()) + " in object, expected a string key");
      const size_t keyPos = pos_;
      std::string key = ParseString();
      if (object.Find(key) != nullptr) {
        pos_ = keyPos;
        Fail("duplicate key " + QuotedExcerpt(key));
      }
      SkipBlanks();
      if (AtEnd() || Peek() != ':') Fail("expected ':' after the key " + QuotedExcerpt(key));
      ++pos_;
      SkipBlanks();
      object.Set(key, ParseValue(depth));
    });
    return object;
  }

  bool TakeDigits() {
    const size_t start = pos_;
    while (!AtEnd() && Peek() >= '0' && Peek() <= '9') ++pos_;
    return pos_ > start;
  }

  Value ParseNumber() {
    const size_t start = pos_;
    if (Peek() == '-') ++pos_;
    if (AtEnd() || Peek() < '0' || Peek() > '9') Fail("expected a digit after '-'");
    if (Peek() == '0') {
      ++pos_;
      if (!AtEnd() && Peek() >= '0' && Peek() <= '9') Fail("leading zero in number");
    } else {
      TakeDigits();
    }
    if (!AtEnd() && Peek() == '.') {
      ++pos_;
      if (!TakeDigits()) Fail("expected a digit after '.'");
    }
    if (!AtEnd() && (Peek() == 'e' || Peek() == 'E')) {
      ++pos_;
      if (!AtEnd() && (Peek() == '+' || Peek() == '-')) ++pos_;
      if (!TakeDigits()) Fail("expected a digit in the exponent");
    }
    std::string text(text_.substr(start, pos_ - start));
    if (!ReadNumber(text).ok()) {
      pos_ = start;
      Fail("number out of the double range");
    }
    return Value::NumberTextUnchecked(std::move(text));
  }

  unsigned ParseHex4() {
    unsigned code = 0;
    for (int i = 0; i < 4; ++i, ++pos_) {
      if (AtEnd()) Fail("unexpected end of input in \\u escape");
      const char c = Peek();
      code <<= 4;
      if (c >= '0' && c <= '9') {
        code |= static_cast<unsigned>(c - '0');
      } else if (c >= 'a' && c <= 'f') {
        code |= static_cast<unsigned>(c - 'a' + 10);
      } else if (c >= 'A' && c <= 'F') {
        code |= static_cast<unsigned>(c - 'A' + 10);
      } else {
        Fail("invalid hexadecimal digit " + Quote(c) + " in \\u escape");
      }
    }
    return code;
  }

  void ParseEscape(std::string& out) {
    ++pos_;  // backslash
    if (AtEnd()) Fail("unterminated string");
    const char c = Peek();
    ++pos_;
    const auto escape = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                     [c](const auto& e) { return e.first == c; });
    if (escape != std::end(kEscapes) || c == '/') {
      out += escape != std::end(kEscapes) ? escape->second : '/';
      return;
    }
    if (c != 'u') {
      pos_ -= 2;
      Fail("invalid escape \\" + std::string(1, c) + " in string");
    }
    const size_t escapePos = pos_ - 2;
    char32_t code = ParseHex4();
    if (code >= 0xDC00 && code <= 0xDFFF) {
      pos_ = escapePos;
      Fail("unpaired low surrogate in \\u escape");
    }
    if (code >= 0xD800 && code <= 0xDBFF) {
      if (text_.substr(pos_, 2) != "\\u") {
        pos_ = escapePos;
        Fail("high surrogate not followed by a low surrogate escape");
      }
      pos_ += 2;
      const char32_t low = ParseHex4();
      if (low < 0xDC00 || low > 0xDFFF) {
        pos_ = escapePos;
        Fail("high surrogate not followed by a low surrogate escape");
      }
      code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
    }
    AppendUtf8(out, code);
  }

  // Copies one UTF-8 encoded character, checking that it is well formed.
  void CopyUtf8(std::string& out) {
    const Utf8Char c = DecodeUtf8Char(text_.substr(pos_));
    switch (c.fault) {
      case Utf8Fault::kNone:
        break;
      case Utf8Fault::kBadLeadByte:
        Fail("invalid UTF-8 " + Quote(Peek()));
      case Utf8Fault::kTruncated:
        Fail("truncated UTF-8 sequence");
      case Utf8Fault::kInvalidSequence:
        Fail("invalid UTF-8 sequence");
    }
    out.append(text_.substr(pos_, c.length));
    pos_ += c.length;
  }

  std::string ParseString() {
    ++pos_;  // opening quote
    std::string out;
    for (;;) {
      if (AtEnd()) Fail("unterminated string");
      const auto byte = static_cast<unsigned char>(Peek());
      if (byte == '"') {
        ++pos_;
        return out;
      }
      if (byte == '\\') {
        ParseEscape(out);
      } else if (byte < 0x20) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "control character U+%04X in string", byte);
        Fail(buffer);
      } else if (byte < 0x80) {
        out += static_cast<char>(byte);
        ++pos_;
      } else {
        CopyUtf8(out);
      }
    }
  }

  std::string_view text_;
  size_t pos_ = 0;
};

namespace {

void WriteString(std::string& out, const std::string& text) {
  out += '"';
  for (const char c : ValidUtf8(text)) {
    const auto escape = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                     [c](const auto& e) { return e.second == c; });
    if (escape != std::end(kEscapes)) {
      out += '\\';
      out += escape->first;
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned char>(c));
      out += buffer;
    } else {
      out += c;
    }
  }
  out += '"';
}

void WriteValue(std::string& out, const Value& value, int indent, int level);

// `count` elements between `open` and `close`, each on its own line when indenting;
// `element(i)` writes element i.
template <typename Element>
void WriteList(std::string& out, char open, char close, size_t count, int indent, int level,
               Element element) {
  const auto newline = [&](int depth) {
    if (indent == 0) return;
    out += '\n';
    out.append(static_cast<size_t>(indent * depth), ' ');
  };
  out += open;
  for (size_t i = 0; i < count; ++i) {
    if (i > 0) out += ',';
    newline(level + 1);
    element(i);
  }
  if (count > 0) newline(level);
  out += close;
}

void WriteValue(std::string& out, const Value& value, int indent, int level) {
  switch (value.kind()) {
    case Value::Kind::kNull:
      out += "null";
      return;
    case Value::Kind::kBool:
      out += value.AsBool() ? "true" : "false";
      return;
    case Value::Kind::kNumber:
      out += value.Text();
      return;
    case Value::Kind::kString:
      WriteString(out, value.Text());
      return;
    case Value::Kind::kArray: {
      const Array& items = value.Items();
      WriteList(out, '[', ']', items.size(), indent, level,
                [&](size_t i) { WriteValue(out, items[i], indent, level + 1); });
      return;
    }
    case Value::Kind::kObject: {
      const Object& members = value.Members();
      WriteList(out, '{', '}', members.size(), indent, level, [&](size_t i) {
        WriteString(out, members[i].key);
        out += indent == 0 ? ":" : ": ";
        WriteValue(out, members[i].value, indent, level + 1);
      });
      return;
    }
  }
}

}  // namespace

Value Value::Bool(bool value) {
  Value v;
  v.kind_ = Kind::kBool;
  v.bool_ = value;
  return v;
}

Value Value::Number(double value) {
  if (std::isnan(value)) return String(std::string("NaN"));
  if (std::isinf(value)) return String(std::string(value > 0 ? "Infinity" : "-Infinity"));
  return NumberTextUnchecked(FormatShortest(value));
}

Value Value::Integer(std::int64_t value) { return NumberTextUnchecked(std::to_string(value)); }

Value Value::NumberText(std::string_view text) {
  try {
    Value value = Parse(text);
    if (value.kind_ == Kind::kNumber && value.text_.size() == text.size()) return value;
  } catch (const ParseError&) {
  }
  throw std::invalid_argument("not a JSON number: " + std::string(text));
}

Value Value::NumberTextUnchecked(std::string text) {
  Value v;
  v.kind_ = Kind::kNumber;
  v.text_ = std::move(text);
  return v;
}

Value Value::String(std::string utf8) {
  Value v;
  v.kind_ = Kind::kString;
  v.text_ = std::move(utf8);
  return v;
}

Value Value::String(const std::wstring& text) { return String(WideToUtf8(text)); }

Value Value::MakeArray() {
  Value v;
  v.kind_ = Kind::kArray;
  return v;
}

Value Value::MakeObject() {
  Value v;
  v.kind_ = Kind::kObject;
  return v;
}

void Value::Expect(Kind kind, const char* what) const {
  if (kind_ != kind) {
    throw std::logic_error(std::string("json: ") + what + " of " + KindName(kind_));
  }
}

bool Value::AsBool() const {
  Expect(Kind::kBool, "AsBool");
  return bool_;
}

double Value::AsDouble() const {
  Expect(Kind::kNumber, "AsDouble");
  const NumberRead read = ReadNumber(text_);
  if (!read.ok()) throw std::logic_error("json: AsDouble of the unchecked number " + text_);
  return read.value;
}

const std::string& Value::Text() const {
  if (kind_ != Kind::kString) Expect(Kind::kNumber, "Text");
  return text_;
}

const Array& Value::Items() const {
  Expect(Kind::kArray, "Items");
  return items_;
}

const Object& Value::Members() const {
  Expect(Kind::kObject, "Members");
  return members_;
}

const Value* Value::Find(std::string_view key) const {
  Expect(Kind::kObject, "Find");
  for (const Member& member : members_) {
    if (member.key == key) return &member.value;
  }
  return nullptr;
}

Value& Value::Append(Value value) {
  Expect(Kind::kArray, "Append");
  items_.push_back(std::move(value));
  return items_.back();
}

Value& Value::Set(std::string_view key, Value value) {
  Expect(Kind::kObject, "Set");
  for (Member& member : members_) {
    if (member.key == key) return member.value = std::move(value);
  }
  members_.push_back(Member{std::string(key), std::move(value)});
  return members_.back().value;
}

bool Value::operator==(const Value& other) const {
  return kind_ == other.kind_ && bool_ == other.bool_ && text_ == other.text_ &&
         items_ == other.items_ && members_ == other.members_;
}

ParseError::ParseError(int line, int column, const std::string& reason)
    : std::runtime_error("line " + std::to_string(line) + ", column " + std::to_string(column) +
                         ": " + reason),
      line_(line),
      column_(column),
      reason_(reason) {}

std::pair<int, int> LineAndColumn(std::string_view text, size_t offset) {
  const std::string_view before = text.substr(0, offset);
  const size_t lineStart = before.find_last_of('\n') + 1;  // 0 on the first line
  const auto line = 1 + std::count(before.begin(), before.end(), '\n');
  const size_t column = 1 + CountUtf8Chars(before.substr(lineStart));
  return {static_cast<int>(line), static_cast<int>(column)};
}

Value Parse(std::string_view text) { return Parser(text).Document(); }

std::string Write(const Value& value, int indent, int level) {
  std::string out;
  WriteValue(out, value, indent, level);
  return out;
}


const char* KindName(Value::Kind kind) {
  switch (kind) {
    case Value::Kind::kNull: return "null";
    case Value::Kind::kBool: return "a boolean";
    case Value::Kind::kNumber: return "a number";
    case Value::Kind::kString: return "a string";
    case Value::Kind::kArray: return "an array";
    case Value::Kind::kObject: return "an object";
  }
  return "?";
}

}  // namespace orlo::host::json

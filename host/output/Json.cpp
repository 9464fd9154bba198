#include "host/output/Json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace orlo::host::json {

namespace {

constexpr int kMaxDepth = 256;

void AppendUtf8(std::string& out, char32_t c) {
  if (c >= 0xD800 && c <= 0xDFFF) c = 0xFFFD;
  if (c > 0x10FFFF) c = 0xFFFD;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

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
    int line = 1;
    int column = 1;
    for (size_t i = 0; i < pos_ && i < text_.size(); ++i) {
      const auto byte = static_cast<unsigned char>(text_[i]);
      if (byte == '\n') {
        ++line;
        column = 1;
      } else if ((byte & 0xC0) != 0x80) {
        ++column;
      }
    }
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
    if (text_.substr(pos_, word.size()) != word) Fail("invalid literal, expected " + std::string(word));
    pos_ += word.size();
    return value;
  }

  void CheckDepth(int depth) const {
    if (depth > kMaxDepth) Fail("nesting deeper than " + std::to_string(kMaxDepth) + " levels");
  }

  Value ParseArray(int depth) {
    CheckDepth(depth);
    ++pos_;  // '['
    Value array = Value::MakeArray();
    SkipBlanks();
    if (!AtEnd() && Peek() == ']') {
      ++pos_;
      return array;
    }
    for (;;) {
      SkipBlanks();
      if (!AtEnd() && Peek() == ']') Fail("trailing comma before ']'");
      array.Append(ParseValue(depth));
      SkipBlanks();
      if (AtEnd()) Fail("unexpected end of input in array, expected ',' or ']'");
      if (Peek() == ']') {
        ++pos_;
        return array;
      }
      if (Peek() != ',') Fail("unexpected " + Quote(Peek()) + " in array, expected ',' or ']'");
      ++pos_;
    }
  }

  Value ParseObject(int depth) {
    CheckDepth(depth);
    ++pos_;  // '{'
    Value object = Value::MakeObject();
    SkipBlanks();
    if (!AtEnd() && Peek() == '}') {
      ++pos_;
      return object;
    }
    for (;;) {
      SkipBlanks();
      if (AtEnd()) Fail("unexpected end of input in object, expected a key");
      if (Peek() == '}') Fail("trailing comma before '}'");
      if (Peek() != '"') Fail("unexpected " + Quote(Peek()) + " in object, expected a string key");
      const size_t keyPos = pos_;
      std::string key = ParseString();
      if (object.Find(key) != nullptr) {
        pos_ = keyPos;
        Fail("duplicate key \"" + key + "\"");
      }
      SkipBlanks();
      if (AtEnd() || Peek() != ':') Fail("expected ':' after the key \"" + key + "\"");
      ++pos_;
      SkipBlanks();
      object.Set(key, ParseValue(depth));
      SkipBlanks();
      if (AtEnd()) Fail("unexpected end of input in object, expected ',' or '}'");
      if (Peek() == '}') {
        ++pos_;
        return object;
      }
      if (Peek() != ',') Fail("unexpected " + Quote(Peek()) + " in object, expected ',' or '}'");
      ++pos_;
    }
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
    return Value::NumberTextUnchecked(std::string(text_.substr(start, pos_ - start)));
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
    switch (c) {
      case '"': out += '"'; return;
      case '\\': out += '\\'; return;
      case '/': out += '/'; return;
      case 'b': out += '\b'; return;
      case 'f': out += '\f'; return;
      case 'n': out += '\n'; return;
      case 'r': out += '\r'; return;
      case 't': out += '\t'; return;
      case 'u': break;
      default:
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
    const auto lead = static_cast<unsigned char>(Peek());
    int length = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      code = lead & 0x07;
    } else {
      Fail("invalid UTF-8 " + Quote(static_cast<char>(lead)));
    }
    if (pos_ + length > text_.size()) Fail("truncated UTF-8 sequence");
    for (int i = 1; i < length; ++i) {
      const auto next = static_cast<unsigned char>(text_[pos_ + i]);
      if ((next & 0xC0) != 0x80) Fail("invalid UTF-8 sequence");
      code = (code << 6) | (next & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    if (overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      Fail("invalid UTF-8 sequence");
    }
    out.append(text_.substr(pos_, length));
    pos_ += length;
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
  for (const char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned char>(c));
          out += buffer;
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

void WriteValue(std::string& out, const Value& value, int indent, int level) {
  const auto newline = [&](int depth) {
    if (indent == 0) return;
    out += '\n';
    out.append(static_cast<size_t>(indent * depth), ' ');
  };
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
      out += '[';
      const Array& items = value.Items();
      for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) out += ',';
        newline(level + 1);
        WriteValue(out, items[i], indent, level + 1);
      }
      if (!items.empty()) newline(level);
      out += ']';
      return;
    }
    case Value::Kind::kObject: {
      out += '{';
      const Object& members = value.Members();
      for (size_t i = 0; i < members.size(); ++i) {
        if (i > 0) out += ',';
        newline(level + 1);
        WriteString(out, members[i].key);
        out += indent == 0 ? ":" : ": ";
        WriteValue(out, members[i].value, indent, level + 1);
      }
      if (!members.empty()) newline(level);
      out += '}';
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
  const double magnitude = std::fabs(value);
  const bool plain = magnitude == 0.0 || (magnitude >= 1e-6 && magnitude < 1e15);
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    plain ? std::chars_format::fixed : std::chars_format::scientific);
  return NumberTextUnchecked(std::string(buffer, result.ptr));
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

Value Value::String(const std::wstring& text) { return String(ToUtf8(text)); }

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
  double result = 0.0;
  std::from_chars(text_.data(), text_.data() + text_.size(), result);
  return result;
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

Value Parse(std::string_view text) { return Parser(text).Document(); }

std::string Write(const Value& value, int indent) {
  std::string out;
  WriteValue(out, value, indent, 0);
  return out;
}

std::string ToUtf8(const std::wstring& text) {
  std::string out;
  out.reserve(text.size());
  for (const wchar_t c : text) AppendUtf8(out, static_cast<char32_t>(c));
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

// JSON values for the host: a strict parser and a writer.
//
// Value is a plain tree (null, bool, number, string, array, object). Numbers keep their
// text exactly as given (parsed or made with NumberText/Number), so writing reproduces
// them; strings are UTF-8. Objects keep their members in insertion order and never hold
// a key twice.
//
// Parse accepts RFC 8259 JSON and nothing else (no comments, no trailing commas, no
// leading zeros, no unescaped control characters, valid UTF-8 only, no number beyond the
// double range; a leading UTF-8 byte order mark is skipped). Bad input throws ParseError with the 1-based line and column
// (in characters) of the fault. Write produces text that Parse reads back to an equal
// value; non-ASCII characters are written as UTF-8, never as \u escapes, and bytes of a
// string that are not UTF-8 as U+FFFD, so the text written is always valid JSON.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orlo::host::json {

class Value;

struct Member;
using Array = std::vector<Value>;
using Object = std::vector<Member>;

class Value {
 public:
  enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject };

  Value() = default;  // null
  static Value Bool(bool value);
  // FormatShortest(value) of platform/common/NumberText.h. JSON has no NaN or infinities:
  // those become the strings "NaN", "Infinity" and "-Infinity".
  static Value Number(double value);
  static Value Integer(std::int64_t value);
  // A number written exactly as `text`; throws std::invalid_argument unless `text` is a
  // JSON number.
  static Value NumberText(std::string_view text);
  static Value String(std::string utf8);
  static Value String(const std::wstring& text);
  static Value MakeArray();
  static Value MakeObject();

  Kind kind() const { return kind_; }
  bool IsNull() const { return kind_ == Kind::kNull; }

  // Typed access; each throws std::logic_error when the value is of another kind.
  bool AsBool() const;
  double AsDouble() const;             // number
  const std::string& Text() const;     // number (its text) or string (UTF-8)
  const Array& Items() const;          // array
  const Object& Members() const;       // object
  const Value* Find(std::string_view key) const;  // object; null when absent

  // Building: append to an array; set a member of an object (replacing one with the same
  // key). Both answer the stored value.
  Value& Append(Value value);
  Value& Set(std::string_view key, Value value);

  bool operator==(const Value& other) const;

  // Where a parsed value starts in its document, in bytes (0 for values made in code);
  // LineAndColumn turns it into a place a reader can find.
  size_t Offset() const { return offset_; }

 private:
  friend class Parser;
  static Value NumberTextUnchecked(std::string text);  // `text` already checked
  void Expect(Kind kind, const char* what) const;

  Kind kind_ = Kind::kNull;
  bool bool_ = false;
  std::string text_;
  Array items_;
  Object members_;
  size_t offset_ = 0;
};

struct Member {
  std::string key;
  Value value;
  bool operator==(const Member& other) const = default;
};

class ParseError : public std::runtime_error {
 public:
  ParseError(int line, int column, const std::string& reason);
  int line() const { return line_; }
  int column() const { return column_; }
  const std::string& reason() const { return reason_; }

 private:
  int line_;
  int column_;
  std::string reason_;
};

// The 1-based line and column (in characters) of the byte `offset` of `text`.
std::pair<int, int> LineAndColumn(std::string_view text, size_t offset);

// Parses one JSON document; what() of the error is "line L, column C: reason".
Value Parse(std::string_view text);

// Writes `value`: with indent 0 on one line without blanks, otherwise one member or
// element per line, indented by `indent` blanks per level. No trailing newline. With
// `level` the value is written as it is inside a document `level` levels deep (its
// members and closing bracket indented as there), so a large document can be written
// piece by piece.
std::string Write(const Value& value, int indent = 2, int level = 0);

// The name of a kind for messages: "null", "a boolean", "a number", ...
const char* KindName(Value::Kind kind);

}  // namespace orlo::host::json

// UTF-8: the one place where host and module turn UTF-8 bytes into wide text and back,
// whatever the process locale.
//
// Wide text holds one Unicode code point per wchar_t (UTF-32). Decoding never fails: each
// byte that does not start a well-formed sequence becomes U+FFFD and decoding goes on with
// the next byte. Encoding never fails either: a code point UTF-8 cannot carry (a surrogate,
// or beyond U+10FFFF) becomes U+FFFD. A reader that must refuse bad input instead (a
// strict parser) uses DecodeUtf8Char, which tells what is wrong at a position.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orlo {

enum class Utf8Fault {
  kNone,
  kBadLeadByte,      // a byte that starts no sequence: 0x80-0xC1 or 0xF5-0xFF
  kTruncated,        // the text ends inside the sequence its lead byte announces
  kInvalidSequence,  // a missing continuation byte, an overlong form, a surrogate, > U+10FFFF
};

struct Utf8Char {
  char32_t code = 0;   // the code point; 0 when `fault` is set
  std::size_t length = 0;  // bytes of the sequence; 0 when `fault` is set
  Utf8Fault fault = Utf8Fault::kNone;
};

// The character whose sequence starts at the first byte of `utf8`, which must not be empty.
Utf8Char DecodeUtf8Char(std::string_view utf8);

std::wstring Utf8ToWide(std::string_view utf8);

std::string WideToUtf8(std::wstring_view wide);

// The characters of UTF-8 text as a display or a column count sees them: the bytes that
// are not continuation bytes (10xxxxxx).
std::size_t CountUtf8Chars(std::string_view utf8);

// Appends the UTF-8 form of `code` (U+FFFD for a surrogate or beyond U+10FFFF).
void AppendUtf8(std::string& out, char32_t code);

// `text` with every byte that starts no well-formed sequence replaced by U+FFFD, as
// Utf8ToWide decodes it: how names from outside (file names) are shown everywhere.
std::string ValidUtf8(std::string_view text);

// A piece of input as a message shows it: control characters (C0, DEL, C1) and bytes that
// are not UTF-8 written byte by byte as \xNN, and cut (then ending in "…") where it would
// show more than 40 columns, a character being one and an \xNN four; so the message stays
// one short, printable line whatever the input holds.
std::string PrintableExcerpt(std::string_view text);
// The same in double quotes.
std::string QuotedExcerpt(std::string_view text);

}  // namespace orlo

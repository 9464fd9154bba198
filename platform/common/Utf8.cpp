#include "platform/common/Utf8.h"

namespace orlo {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsSurrogate(char32_t code) { return code >= 0xD800 && code <= 0xDFFF; }

}  // namespace

Utf8Char DecodeUtf8Char(std::string_view utf8) {
  const auto lead = static_cast<unsigned char>(utf8.front());
  if (lead < 0x80) return {lead, 1, Utf8Fault::kNone};
  std::size_t length = 0;
  char32_t code = 0;
  char32_t minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
    minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0F;
    minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
    minimum = 0x10000;
  } else {
    return {0, 0, Utf8Fault::kBadLeadByte};
  }
  if (length > utf8.size()) return {0, 0, Utf8Fault::kTruncated};
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(utf8[i]);
    if ((next & 0xC0) != 0x80) return {0, 0, Utf8Fault::kInvalidSequence};
    code = (code << 6) | (next & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || IsSurrogate(code)) {
    return {0, 0, Utf8Fault::kInvalidSequence};
  }
  return {code, length, Utf8Fault::kNone};
}

std::wstring Utf8ToWide(std::string_view utf8) {
  static_assert(sizeof(wchar_t) == 4, "wide text holds one code point per character");
  std::wstring wide;
  wide.reserve(utf8.size());
  while (!utf8.empty()) {
    const Utf8Char c = DecodeUtf8Char(utf8);
    wide.push_back(static_cast<wchar_t>(c.fault == Utf8Fault::kNone ? c.code : kReplacement));
    utf8.remove_prefix(c.fault == Utf8Fault::kNone ? c.length : 1);
  }
  return wide;
}

std::size_t CountUtf8Chars(std::string_view utf8) {
  std::size_t count = 0;
  for (const char byte : utf8) count += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
  return count;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (IsSurrogate(code) || code > 0x10FFFF) code = kReplacement;
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::string ValidUtf8(std::string_view text) { return WideToUtf8(Utf8ToWide(text)); }

std::string PrintableExcerpt(std::string_view text) {
  constexpr std::size_t kMaxColumns = 40;
  std::string shown;
  for (std::size_t columns = 0; !text.empty();) {
    const Utf8Char c = DecodeUtf8Char(text);
    const std::size_t length = c.fault == Utf8Fault::kNone ? c.length : 1;
    const bool control = c.code < 0x20 || (c.code >= 0x7F && c.code < 0xA0);  // C0, DEL, C1
    const bool escaped = c.fault != Utf8Fault::kNone || control;
    const std::size_t width = escaped ? 4 * length : 1;
    if (columns + width > kMaxColumns) {
      shown += "\u2026";
      break;
    }
    if (escaped) {
      static constexpr char kHex[] = "0123456789ABCDEF";
      for (const char byte : text.substr(0, length)) {
        const auto bits = static_cast<unsigned char>(byte);
        shown += {'\\', 'x', kHex[bits >> 4], kHex[bits & 0xF]};
      }
    } else {
      shown.append(text.substr(0, length));
    }
    columns += width;
    text.remove_prefix(length);
  }
  return shown;
}

std::string QuotedExcerpt(std::string_view text) { return '"' + PrintableExcerpt(text) + '"'; }

std::string WideToUtf8(std::wstring_view wide) {
  std::string utf8;
  utf8.reserve(wide.size());
  for (const wchar_t c : wide) AppendUtf8(utf8, static_cast<char32_t>(c));
  return utf8;
}

}  // namespace orlo

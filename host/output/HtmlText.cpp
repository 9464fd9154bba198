#include "platform/common/Utf8.h"
#include "host/output/HtmlText.h"

#include "host/output/Json.h"
#include "host/sweeps/NumberText.h"

namespace orlo::host {

std::string Escape(std::string_view utf8) {
  std::string escaped;
  escaped.reserve(utf8.size());
  for (const char c : utf8) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      case '\'': escaped += "&#39;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

std::string Escape(const std::wstring& text) { return Escape(orlo::WideToUtf8(text)); }

std::string Pixels(double value) { return FormatFixed(value, 1); }

}  // namespace orlo::host

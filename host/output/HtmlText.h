// HtmlText: text and numbers as they go into the HTML page and its SVG graphs.
//
// Escape makes any text safe as element content and as a quoted attribute value: '&', '<',
// '>', '"' and '\'' become character references, so a sweep named
// "<script>alert(1)</script>" is shown as those characters and runs nothing. Wide text is
// written as UTF-8 first.
#pragma once

#include <string>
#include <string_view>

namespace orlo::host {

std::string Escape(std::string_view utf8);
std::string Escape(const std::wstring& text);

// A coordinate in pixels with one decimal, whatever the locale ("12.5", "-3.0").
std::string Pixels(double value);

}  // namespace orlo::host

#include "platform/common/Services.h"

#include "platform/common/Utf8.h"

#include <libintl.h>

#include <cstdlib>

namespace {
constexpr const char* kDomain = "ORLOAnalyzer";
}

CGettext& CGettext::Get() {
  static CGettext instance;
  return instance;
}

CGettext::CGettext() {
  const char* localeDir = std::getenv("ORLO_LOCALEDIR");
  if (localeDir != nullptr && *localeDir != '\0') bindtextdomain(kDomain, localeDir);
  // Catalogues answer in UTF-8 whatever the character set of the process locale.
  bind_textdomain_codeset(kDomain, "UTF-8");
}

std::wstring CGettext::Translate(const char* text) const {
  if (text == nullptr) return std::wstring();
  return orlo::Utf8ToWide(dgettext(kDomain, text));
}

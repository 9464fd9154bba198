// Small services of the host library: translation, number formatting and parsing, the
// application-data directory, message boxes, text width, product model and a lock.
#pragma once

#include "platform/win/WinTypes.h"

#include <mutex>
#include <string>

class CWnd;

// Translation through GNU gettext (domain "ORLOAnalyzer"); English when no catalogue is
// installed. Texts are UTF-8 in and wide out.
class CGettext {
 public:
  static CGettext& Get();
  std::wstring Translate(const char* text) const;

 private:
  CGettext();
};

// decimals = clamp(significant - 1 - floor(log10(|v|)), minDecimals, maxDecimals)
// (v = 0: minDecimals), then "%.*f". NaN → "NaN", ±infinity → "Inf" / "-Inf".
std::wstring OxFormatValue(double value, int minDecimals, int significant, int maxDecimals);

// Writes the shortest text that reads back to exactly `value` into `buffer` (at most
// bufferSize characters with the terminator): plain decimals for 1e-6 <= |v| < 1e15,
// scientific notation outside, `separator` as decimal separator. The four int arguments
// (-1, -1, 0, 1 in every call of the module) are accepted and not used. Answers the length.
int ORLOFormatValue(double value, wchar_t* buffer, int bufferSize, int width, int precision,
                    int flags, int mode, wchar_t separator);

// Locale-independent parsing: surrounding blanks ignored; empty or non-numeric text → 0.0.
double ORLOParseFloatValue(const std::wstring& text);
double strToFloat(const std::wstring& text);

// $ORLO_APPDATA, else $XDG_CONFIG_HOME/orlo, else $HOME/.config/orlo; created when
// missing. No trailing separator.
std::wstring GetOxAppDataDir();

// A message box (see platform/win/MessageBox.h) with the translated application caption.
int TransMessageBox(const std::wstring& text, UINT style);

int GetSystemTextWidth(CWnd* window, const std::wstring& text);

// The product model code; 0 unless the host set another.
int OxGetOrloModel();
void OxSetOrloModel(int model);

// A recursive lock. Enter(true) blocks until the lock is taken; Enter(false) only tries
// and answers whether it got it. Leave releases one Enter.
class COxThreadSafe {
 public:
  explicit COxThreadSafe(const wchar_t* name = nullptr, int spinCount = -1);
  bool Enter(bool wait);
  void Leave();

 private:
  std::recursive_mutex mutex_;
};

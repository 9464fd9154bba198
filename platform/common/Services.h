// Small services of the host library: translation, number formatting and parsing, the
// application-data directory, message boxes, text width, product model and a lock.
#pragma once

#include "platform/win/WinTypes.h"

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

class CWnd;

// Translation through GNU gettext (domain "ORLOAnalyzer"); English when no catalogue is
// installed. Texts are UTF-8 in and wide out. Catalogues are looked up in $ORLO_LOCALEDIR
// when set, else in the system's locale directory; the language follows the program's
// LC_MESSAGES locale (the program calls setlocale), so a program that never sets a
// locale stays English. A null text translates to the empty text.
class CGettext {
 public:
  static CGettext& Get();
  std::wstring Translate(const char* text) const;

 private:
  CGettext();
};

// decimals = clamp(significant - 1 - floor(log10(|v|)), minDecimals, maxDecimals)
// (v = 0: minDecimals), then "%.*f" with '.' whatever the locale. NaN → "NaN",
// ±infinity → "Inf" / "-Inf". Negative decimal counts count as 0 and maxDecimals wins
// over a larger minDecimals. Like "%.*f", a negative value that rounds to zero keeps its
// sign ("-0.00").
std::wstring OxFormatValue(double value, int minDecimals, int significant, int maxDecimals);

// Writes the shortest text that reads back to exactly `value` into `buffer` (at most
// bufferSize characters with the terminator): plain decimals for 1e-6 <= |v| < 1e15,
// scientific notation outside ("1e+15", "1.5e-07"), `separator` as decimal separator.
// Zero gives "0" and negative zero "-0"; NaN gives "NaN", ±infinity "Inf" / "-Inf". The four int arguments
// (-1, -1, 0, 1 in every call of the module) are accepted and not used. Answers the
// length; when the text does not fit, the buffer holds the empty text and the answer is -1.
int ORLOFormatValue(double value, wchar_t* buffer, int bufferSize, int width, int precision,
                    int flags, int mode, wchar_t separator);

// Locale-independent parsing (ReadNumber of NumberText.h): surrounding blanks ignored;
// empty or non-numeric text → 0.0. The whole text must be one number: "12abc", "1,5" and
// "0x10" are not numbers (→ 0.0). Accepted: an optional sign ('+' too), decimal digits
// with '.', an exponent, and the texts ORLOFormatValue writes for NaN and infinities
// ("NaN", "Inf", "-Inf"; any case, also "infinity"). A number out of the double range
// ("1e400", "1e-400") is no double's text and reads as 0.0 too: 0.0 is the only error
// answer these functions have. The two functions are the same parser.
double ORLOParseFloatValue(const std::wstring& text);
double strToFloat(const std::wstring& text);

// $ORLO_APPDATA, else $XDG_CONFIG_HOME/orlo, else $HOME/.config/orlo (the home directory
// of the user's account when HOME is not set); created, with missing parents, when
// missing. An empty variable counts as unset; a relative XDG_CONFIG_HOME is ignored, as
// the XDG rules ask. No trailing separator. When the directory cannot be created the path
// is still answered: writing the settings file then fails with its own message.
std::wstring GetOxAppDataDir();

// A message box (see platform/win/MessageBox.h) without owner window and with the
// translated application caption "ORLO"; answers the button pressed.
int TransMessageBox(const std::wstring& text, UINT style);

// Width in pixels of `text` drawn in `window` (may be null) with the system font.
int GetSystemTextWidth(CWnd* window, const std::wstring& text);

// The product model code; 0 unless the host set another. Safe from any thread.
int OxGetOrloModel();
void OxSetOrloModel(int model);

// A recursive lock. Enter(true) blocks until the lock is taken; Enter(false) only tries
// and answers whether it got it. Leave releases one Enter; a Leave by a thread that does
// not hold the lock is ignored. The name and spin count are accepted and not used.
class COxThreadSafe {
 public:
  explicit COxThreadSafe(const wchar_t* name = nullptr, int spinCount = -1);
  COxThreadSafe(const COxThreadSafe&) = delete;
  COxThreadSafe& operator=(const COxThreadSafe&) = delete;
  bool Enter(bool wait);
  void Leave();

 private:
  std::mutex mutex_;  // guards owner_ and depth_
  std::condition_variable released_;
  std::thread::id owner_;
  int depth_ = 0;
};

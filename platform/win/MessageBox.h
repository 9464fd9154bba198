// Message boxes of the stand-in: every box is recorded, never drawn, and answered from
// a queue.
//
// ShowMessageBox appends {text, caption, style} to the process-wide record, then answers
// the oldest queued answer; with none queued it answers the default: IDNO for boxes with
// a No button (MB_YESNO, MB_YESNOCANCEL), IDOK for every other box. Tests and the `orlo`
// host read the record and queue answers.
#pragma once

#include "platform/win/WinTypes.h"

#include <string>
#include <vector>

namespace orlo::win {

struct MessageBoxRecord {
  std::wstring text;
  std::wstring caption;
  UINT style = 0;
  int answer = 0;
};

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption,
                   UINT style);
void QueueMessageBoxAnswer(int answer);
const std::vector<MessageBoxRecord>& MessageBoxes();
void ClearMessageBoxes();  // forgets the record and the queued answers

// Width in pixels of `text` as the system font would draw it: the stand-in's font is
// fixed-pitch, 7 pixels per character.
int TextWidth(HWND window, const std::wstring& text);

}  // namespace orlo::win

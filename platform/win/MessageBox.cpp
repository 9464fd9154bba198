#include "platform/win/MessageBox.h"

#include <deque>
#include <mutex>

namespace orlo::win {

namespace {

constexpr UINT kButtonsMask = 0x000F;

struct MessageBoxState {
  std::mutex mutex;
  std::vector<MessageBoxRecord> record;
  std::deque<int> answers;
};

MessageBoxState& State() {
  static auto& state = *new MessageBoxState;  // lives until the process ends
  return state;
}

int DefaultAnswer(UINT style) {
  const UINT buttons = style & kButtonsMask;
  return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDNO : IDOK;
}

}  // namespace

int ShowMessageBox(HWND /*owner*/, const std::wstring& text, const std::wstring& caption,
                   UINT style) {
  MessageBoxState& state = State();
  std::lock_guard lock(state.mutex);
  int answer = DefaultAnswer(style);
  if (!state.answers.empty()) {
    answer = state.answers.front();
    state.answers.pop_front();
  }
  state.record.push_back({text, caption, style, answer});
  return answer;
}

void QueueMessageBoxAnswer(int answer) {
  MessageBoxState& state = State();
  std::lock_guard lock(state.mutex);
  state.answers.push_back(answer);
}

const std::vector<MessageBoxRecord>& MessageBoxes() { return State().record; }

void ClearMessageBoxes() {
  MessageBoxState& state = State();
  std::lock_guard lock(state.mutex);
  state.record.clear();
  state.answers.clear();
}

int TextWidth(HWND /*window*/, const std::wstring& text) {
  constexpr int kCharacterWidth = 7;
  return kCharacterWidth * static_cast<int>(text.size());
}

}  // namespace orlo::win

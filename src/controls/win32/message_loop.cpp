#include "controls/win32/message_loop.h"

namespace quillby {

void dispatch(MSG& msg) {
  const HWND top = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  if (top && IsDialogMessageW(top, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

int runMessageLoop() {
  MSG msg{};
  BOOL got;
  while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
    if (got == -1) return -1;
    dispatch(msg);
  }
  return static_cast<int>(msg.wParam);
}

void endMessageLoop(int exitCode) { PostQuitMessage(exitCode); }

}  // namespace quillby

#include "support_win32/box_answerer.h"

#include <string_view>

namespace quillby::test {
namespace {

constexpr ULONGLONG kWaitMs = 20000;

BOOL CALLBACK findDialog(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring_view(name) != L"#32770") return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// A message box that the thread shows, whatever its title.
HWND dialogOf(DWORD thread) {
  HWND found = nullptr;
  EnumThreadWindows(thread, findDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

BoxSeen look(HWND box) {
  BoxSeen seen;
  wchar_t text[512] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 512);
  seen.text = text;
  for (int id : {IDOK, IDCANCEL}) {
    const HWND button = GetDlgItem(box, id);
    if (button && (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
      seen.defaultButton = id;
    }
  }
  seen.owner = GetWindow(box, GW_OWNER);
  HWND top = GetTopWindow(nullptr);
  while (top && !IsWindowVisible(top)) top = GetWindow(top, GW_HWNDNEXT);
  seen.inFront = top == box;
  return seen;
}

}  // namespace

BoxAnswerer::BoxAnswerer(const wchar_t* title, WPARAM button)
    : thread_([this, title, button, asker = GetCurrentThreadId()] {
        const ULONGLONG since = GetTickCount64();
        while (!stop_) {
          HWND box = FindWindowW(L"#32770", title);
          // A box nobody expected would hold the test for ever: it is
          // closed, and counts as seen.
          if (!box && GetTickCount64() - since > kWaitMs) box = dialogOf(asker);
          if (box) {
            seen_ = look(box);
            found_ = true;
            PostMessageW(box, WM_COMMAND, button, 0);
            return;
          }
          Sleep(10);
        }
      }) {}

BoxAnswerer::~BoxAnswerer() { finish(); }

bool BoxAnswerer::finish() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  return found_;
}

}  // namespace quillby::test

#include "main_window_win32/live_main_window.h"

#include "controls/win32_test_support.h"

namespace quillby::test {
namespace {

constexpr ULONGLONG kWaitMs = 20000;

bool timedOut(ULONGLONG since) { return GetTickCount64() - since > kWaitMs; }

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

}  // namespace

BoxAnswerer::BoxAnswerer(const wchar_t* title, WPARAM button)
    : thread_([this, title, button, program = GetCurrentThreadId()] {
        const ULONGLONG since = GetTickCount64();
        while (!stop_) {
          HWND box = FindWindowW(L"#32770", title);
          // A box nobody expected would hold the test for ever: it is
          // closed, and counts as seen.
          if (!box && timedOut(since)) box = dialogOf(program);
          if (box) {
            wchar_t text[512] = {};
            GetDlgItemTextW(box, 0xFFFF, text, 512);
            text_ = text;
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

void LiveMainWindow::TearDown() {
  EXPECT_TRUE(closeStandins(f.folder.path())) << "a stand-in had to be killed";
  stop();
  // The folder cannot go while it is the current directory.
  SetCurrentDirectoryW(ownFolder().c_str());
}

bool LiveMainWindow::start() {
  main = startProgram(services, ends);
  return main && IsWindowVisible(window()) != FALSE;
}

void LiveMainWindow::stop() {
  main.reset();
  pumpMessages();
}

HWND LiveMainWindow::window() const { return reinterpret_cast<HWND>(main->c.form.windowId()); }

HWND LiveMainWindow::control(std::string_view name) const { return mainControl(*main, name); }

std::vector<Text> LiveMainWindow::lines() const {
  const HWND list = control("List1");
  std::vector<Text> out;
  const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (WPARAM i = 0; static_cast<LRESULT>(i) < count; ++i) {
    const auto length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
    Text line(static_cast<std::size_t>(length) + 1, u'\0');
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
    line.resize(static_cast<std::size_t>(length));
    out.push_back(line);
  }
  return out;
}

int LiveMainWindow::selection() const {
  return static_cast<int>(SendMessageW(control("List1"), LB_GETCURSEL, 0, 0));
}

namespace {

POINT lineMiddle(HWND list, int index) {
  RECT r{};
  SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  return {r.left + 4, (r.top + r.bottom) / 2};
}

}  // namespace

void LiveMainWindow::clickLine(int index) const {
  const HWND list = control("List1");
  const POINT at = lineMiddle(list, index);
  click(list, at.x, at.y);
}

void LiveMainWindow::doubleClickLine(int index) const {
  const HWND list = control("List1");
  const POINT at = lineMiddle(list, index);
  click(list, at.x, at.y);
  click(list, at.x, at.y, WM_LBUTTONDBLCLK);
}

void LiveMainWindow::press(std::string_view button) const {
  SendMessageW(control(button), BM_CLICK, 0, 0);
}

void LiveMainWindow::typeAtEnd(std::string_view box, const Text& typed) const {
  const HWND edit = control(box);
  const int end = GetWindowTextLengthW(edit);
  SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
  for (char16_t c : typed) SendMessageW(edit, WM_CHAR, c, 1);
}

void LiveMainWindow::typeOver(std::string_view box, const Text& typed) const {
  const HWND edit = control(box);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  for (char16_t c : typed) SendMessageW(edit, WM_CHAR, c, 1);
}

bool LiveMainWindow::bringToFront() const { return test::bringToFront(window()); }

}  // namespace quillby::test

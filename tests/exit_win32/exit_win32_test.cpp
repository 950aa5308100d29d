#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "exit_win32/program_windows.h"
#include "host/host_fakes.h"
#include "loadsave/book_folder.h"
#include "platform/win32/win32_window_manager.h"
#include "support_win32/standin.h"

namespace quillby::test {
namespace {

bool isTopmost(const Form& form) {
  return (GetWindowLongPtrW(hwndOf(form), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// Counts the title-bar presses a window is sent, and keeps them from starting
// a real move that would wait for the mouse.
class CaptionPresses {
 public:
  explicit CaptionPresses(HWND hwnd) : hwnd_(hwnd) {
    SetPropW(hwnd, kProp, this);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&proc)));
  }
  ~CaptionPresses() {
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    RemovePropW(hwnd_, kProp);
  }
  std::vector<WPARAM> presses;

 private:
  static constexpr const wchar_t* kProp = L"QuillbyCaptionPresses";
  static LRESULT CALLBACK proc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<CaptionPresses*>(GetPropW(h, kProp));
    if (msg == WM_NCLBUTTONDOWN) {
      self->presses.push_back(wParam);
      return 0;
    }
    return CallWindowProcW(self->original_, h, msg, wParam, lParam);
  }

  HWND hwnd_;
  WNDPROC original_ = nullptr;
};

class ExitWin32Test : public ProgramTest {
 protected:
  SmallForm& small() { return *main->compactWindow(); }
};

TEST_F(ExitWin32Test, TheExitStoresTheRestoredPlaceOfTheRealWindow) {
  ASSERT_EQ(windows.twipsPerPixelX(), 15);
  ASSERT_EQ(windows.twipsPerPixelY(), 15);
  start();
  SetWindowPos(hwndOf(main->c.form), nullptr, 80, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(hwndOf(main->c.form), SW_MINIMIZE);
  main->c.end.userClicked();
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(f.get(kSettingsFile), "\" 1200\",\" 900\",,,\"1\",\"\"\r\n");
}

TEST_F(ExitWin32Test, TheCompactWindowStoresItsOwnPlaceAndStartsThereNextTime) {
  start();
  main->c.shrink.userClicked();
  SetWindowPos(hwndOf(small().c.form), nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  small().c.Command3.userClicked();
  ASSERT_EQ(f.get(kSettingsFile), "\" 300\",\" 450\",,,\"0\",\"\"\r\n");

  main.reset();
  start();
  EXPECT_FALSE(IsWindowVisible(hwndOf(main->c.form)));
  ASSERT_NE(main->compactWindow(), nullptr);
  EXPECT_TRUE(IsWindowVisible(hwndOf(small().c.form)));
  RECT r{};
  GetWindowRect(hwndOf(small().c.form), &r);
  EXPECT_EQ(r.left, 20);
  EXPECT_EQ(r.top, 30);
}

TEST_F(ExitWin32Test, EachWindowKeepsItsOwnTopmostState) {
  f.put(kSettingsFile, "\" 0\",\" 0\",\"1\",,\"0\",\"\"\r\n");
  start();
  EXPECT_TRUE(isTopmost(main->c.form));
  EXPECT_TRUE(isTopmost(small().c.form));

  small().c.Label10.userClicked();
  EXPECT_FALSE(isTopmost(small().c.form));
  EXPECT_TRUE(isTopmost(main->c.form));
  small().c.Check1.userClicked();
  EXPECT_TRUE(isTopmost(small().c.form));
}

TEST_F(ExitWin32Test, PressesOnTheBodyAndTheHeadingDragTheCompactWindow) {
  start();
  main->c.shrink.userClicked();
  const HWND window = hwndOf(small().c.form);
  CaptionPresses captions(window);
  SendMessageW(smallControl(small(), "Label10"), WM_LBUTTONDOWN, MK_LBUTTON, 0);
  EXPECT_TRUE(captions.presses.empty());

  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(smallControl(small(), "Label1"), WM_RBUTTONDOWN, MK_RBUTTON, 0);
  EXPECT_EQ(captions.presses, (std::vector<WPARAM>{HTCAPTION, HTCAPTION}));
}

}  // namespace
}  // namespace quillby::test

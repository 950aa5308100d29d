// The compact window dragged with the real mouse: pressed on its body or its
// list heading it follows the mouse; pressed on its list it stays.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "support_win32/live_program.h"
#include "support_win32/real_mouse.h"

namespace quillby::test {
namespace {

// Counts the left-button releases this thread takes from its queue, wherever
// it takes them: the system's move loop takes them itself.
class ReleaseWatch {
 public:
  ReleaseWatch() : hook_(SetWindowsHookExW(WH_MOUSE, &proc, nullptr, GetCurrentThreadId())) {
    released_ = 0;
  }
  ~ReleaseWatch() { UnhookWindowsHookEx(hook_); }
  ReleaseWatch(const ReleaseWatch&) = delete;
  ReleaseWatch& operator=(const ReleaseWatch&) = delete;

  bool hooked() const { return hook_ != nullptr; }
  // Handles this thread's messages until the release has been taken.
  bool waitForRelease() const {
    return pumpUntil([] { return released_ > 0; });
  }

 private:
  static LRESULT CALLBACK proc(int code, WPARAM message, LPARAM info) {
    if (code == HC_ACTION && (message == WM_LBUTTONUP || message == WM_NCLBUTTONUP)) ++released_;
    return CallNextHookEx(nullptr, code, message, info);
  }

  static inline int released_ = 0;
  HHOOK hook_;
};

POINT middleOf(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

POINT topLeft(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {r.left, r.top};
}

class MouseDragWin32Test : public LiveProgramTest<> {
 protected:
  void SetUp() override {
    f.put(kBookFile, bookOf({friendRow(u"あきこ"), friendRow(u"Ken")}, f.charset));
    ASSERT_TRUE(start());
    main->c.shrink.userClicked();
    compact = smallWindow();
    SetWindowPos(compact, nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(bringToFront(compact));
  }

  // Presses the left button at `from`, moves the mouse by `by` in two steps
  // and lets go there; the move of the window.
  POINT drag(POINT from, POINT by) {
    ReleaseWatch watch;
    EXPECT_TRUE(watch.hooked());
    const POINT before = topLeft(compact);
    EXPECT_TRUE(SetCursorPos(from.x, from.y));
    const POINT half{from.x + by.x / 2, from.y + by.y / 2};
    const POINT to{from.x + by.x, from.y + by.y};
    INPUT strokes[] = {
        mouseInput(MOUSEEVENTF_LEFTDOWN),
        mouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, half),
        mouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, to),
        mouseInput(MOUSEEVENTF_LEFTUP),
    };
    EXPECT_EQ(SendInput(4, strokes, sizeof(INPUT)), 4u);
    EXPECT_TRUE(watch.waitForRelease());
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, to.x);
    EXPECT_EQ(cursor.y, to.y);
    const POINT after = topLeft(compact);
    return {after.x - before.x, after.y - before.y};
  }

  HWND compact = nullptr;
};

TEST_F(MouseDragWin32Test, TheBodyAndTheHeadingCarryTheWindowAndTheListDoesNot) {
  ASSERT_NE(main->compactWindow(), nullptr);
  const POINT body = onScreen(compact, {3, 3});
  ASSERT_EQ(WindowFromPoint(body), compact);
  POINT moved = drag(body, {40, 30});
  EXPECT_EQ(moved.x, 40);
  EXPECT_EQ(moved.y, 30);

  const HWND heading = smallControl("Label1");
  ASSERT_EQ(WindowFromPoint(middleOf(heading)), heading);
  moved = drag(middleOf(heading), {-25, 10});
  EXPECT_EQ(moved.x, -25);
  EXPECT_EQ(moved.y, 10);

  const HWND list = smallControl("List1");
  ASSERT_EQ(WindowFromPoint(middleOf(list)), list);
  moved = drag(middleOf(list), {30, 30});
  EXPECT_EQ(moved.x, 0);
  EXPECT_EQ(moved.y, 0);
}

}  // namespace
}  // namespace quillby::test

#include "platform/win32/win32_window_manager.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "support_win32/caption_presses.h"
#include "support_win32/real_windows.h"

namespace quillby {
namespace {

using test::CaptionPresses;
using test::isTopmost;

// A plain top-level window.
class PlainWindow {
 public:
  PlainWindow(int x, int y) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuillbyPlainWindow";
    RegisterClassExW(&wc);
    hwnd = CreateWindowExW(0, L"QuillbyPlainWindow", L"plain", WS_OVERLAPPEDWINDOW, x, y, 300, 200,
                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~PlainWindow() { DestroyWindow(hwnd); }
  WindowId id() const { return reinterpret_cast<WindowId>(hwnd); }
  RECT rect() const {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
  }

  HWND hwnd = nullptr;
};

TEST(Win32WindowManager, TwipsPerPixelFollowTheScreen) {
  Win32WindowManager windows;
  HDC screen = GetDC(nullptr);
  EXPECT_DOUBLE_EQ(windows.twipsPerPixelX(), 1440.0 / GetDeviceCaps(screen, LOGPIXELSX));
  EXPECT_DOUBLE_EQ(windows.twipsPerPixelY(), 1440.0 / GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
}

TEST(Win32WindowManager, TopmostShowsInPlaceWithoutActivating) {
  Win32WindowManager windows;
  PlainWindow active(10, 10);
  ShowWindow(active.hwnd, SW_SHOW);
  SetActiveWindow(active.hwnd);
  PlainWindow w(80, 60);
  const RECT before = w.rect();

  windows.setTopmost(w.id(), true);
  EXPECT_TRUE(isTopmost(w.hwnd));
  EXPECT_TRUE(IsWindowVisible(w.hwnd));
  EXPECT_EQ(GetActiveWindow(), active.hwnd);
  const RECT after = w.rect();
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.right, before.right);
  EXPECT_EQ(after.bottom, before.bottom);

  // Hiding does not end it; only asking does.
  ShowWindow(w.hwnd, SW_HIDE);
  EXPECT_TRUE(isTopmost(w.hwnd));
  windows.setTopmost(w.id(), false);
  EXPECT_FALSE(isTopmost(w.hwnd));
  EXPECT_TRUE(IsWindowVisible(w.hwnd));
}

TEST(Win32WindowManager, NormalPositionIsTheRestoredPlace) {
  Win32WindowManager windows;
  PlainWindow w(80, 60);
  ShowWindow(w.hwnd, SW_SHOWNORMAL);
  auto place = windows.normalPosition(w.id());
  ASSERT_TRUE(place);
  EXPECT_EQ(place->left, 80);
  EXPECT_EQ(place->top, 60);

  ShowWindow(w.hwnd, SW_MINIMIZE);
  place = windows.normalPosition(w.id());
  ASSERT_TRUE(place);
  EXPECT_EQ(place->left, 80);
  EXPECT_EQ(place->top, 60);

  EXPECT_FALSE(windows.normalPosition(0));
}

TEST(Win32WindowManager, DragReleasesTheMouseAndPressesTheCaption) {
  Win32WindowManager windows;
  PlainWindow w(80, 60);
  CaptionPresses captions(w.hwnd);
  ShowWindow(w.hwnd, SW_SHOW);
  SetCapture(w.hwnd);
  windows.beginWindowDrag(w.id());
  EXPECT_EQ(GetCapture(), nullptr);
  ASSERT_EQ(captions.presses.size(), 1u);
  EXPECT_EQ(captions.presses[0], static_cast<WPARAM>(HTCAPTION));
}

}  // namespace
}  // namespace quillby

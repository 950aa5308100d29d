#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "support_win32/caption_presses.h"
#include "support_win32/live_program.h"

namespace quillby::test {
namespace {

class ExitWin32Test : public LiveProgramTest<> {
 protected:
  void SetUp() override {
    f.put(kBookFile, bookOf({friendRow(u"あきこ"), friendRow(u"Ken")}, f.charset));
  }
};

TEST_F(ExitWin32Test, TheExitStoresTheRestoredPlaceOfTheRealWindow) {
  ASSERT_EQ(windows.twipsPerPixelX(), 15);
  ASSERT_EQ(windows.twipsPerPixelY(), 15);
  ASSERT_TRUE(start());
  SetWindowPos(window(), nullptr, 80, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(window(), SW_MINIMIZE);
  main->c.end.userClicked();
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(f.get(kSettingsFile), "\" 1200\",\" 900\",,,\"1\",\"\"\r\n");
}

TEST_F(ExitWin32Test, TheCompactWindowStoresItsOwnPlaceAndStartsThereNextTime) {
  ASSERT_TRUE(start());
  main->c.shrink.userClicked();
  SetWindowPos(smallWindow(), nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  small().c.Command3.userClicked();
  ASSERT_EQ(f.get(kSettingsFile), "\" 300\",\" 450\",,,\"0\",\"\"\r\n");

  main.reset();
  ASSERT_TRUE(start());
  EXPECT_FALSE(IsWindowVisible(window()));
  ASSERT_NE(main->compactWindow(), nullptr);
  EXPECT_TRUE(IsWindowVisible(smallWindow()));
  RECT r{};
  GetWindowRect(smallWindow(), &r);
  EXPECT_EQ(r.left, 20);
  EXPECT_EQ(r.top, 30);
}

TEST_F(ExitWin32Test, EachWindowKeepsItsOwnTopmostState) {
  f.put(kSettingsFile, "\" 0\",\" 0\",\"1\",,\"0\",\"\"\r\n");
  ASSERT_TRUE(start());
  EXPECT_TRUE(isTopmost(window()));
  EXPECT_TRUE(isTopmost(smallWindow()));

  small().c.Label10.userClicked();
  EXPECT_FALSE(isTopmost(smallWindow()));
  EXPECT_TRUE(isTopmost(window()));
  small().c.Check1.userClicked();
  EXPECT_TRUE(isTopmost(smallWindow()));
}

TEST_F(ExitWin32Test, PressesOnTheBodyAndTheHeadingDragTheCompactWindow) {
  ASSERT_TRUE(start());
  main->c.shrink.userClicked();
  const HWND window = smallWindow();
  CaptionPresses captions(window);
  SendMessageW(smallControl("Label10"), WM_LBUTTONDOWN, MK_LBUTTON, 0);
  EXPECT_TRUE(captions.presses.empty());

  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(smallControl("Label1"), WM_RBUTTONDOWN, MK_RBUTTON, 0);
  EXPECT_EQ(captions.presses, (std::vector<WPARAM>{HTCAPTION, HTCAPTION}));
}

}  // namespace
}  // namespace quillby::test

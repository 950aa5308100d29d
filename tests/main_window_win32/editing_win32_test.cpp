// The real main window taking the user's typing and answers: the list follows
// the name box, and the delete question is a real box answered by the user.
#include <gmock/gmock.h>

#include "main_window_win32/live_main_window.h"
#include "support_win32/screenshot.h"

namespace quillby::test {
namespace {

using ::testing::ElementsAre;

// The screen takes the window's drawing a moment after the window has done
// it; this waits until the screen shows the line in the selection's colour.
bool screenShowsSelected(HWND list, int index) {
  RECT line{};
  SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&line));
  POINT at{line.right - 2, (line.top + line.bottom) / 2};  // beyond the text
  ClientToScreen(list, &at);
  return pumpUntil([at] {
    HDC screen = GetDC(nullptr);
    const COLORREF shown = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return shown == GetSysColor(COLOR_HIGHLIGHT);
  });
}

class LiveEditing : public LiveMainWindow {
 protected:
  void SetUp() override {
    f.put(kBookFile,
          bookOf({friendRow(u"あきこ", 5), friendRow(u"ひろし", 7), friendRow(u"Ken", 9)},
                 f.charset));
    ASSERT_TRUE(start());
  }
};

TEST_F(LiveEditing, ShowsTheFirstFriendAtStartAndIsPictured) {
  EXPECT_EQ(FindWindowW(nullptr, L"Quillby Ver0.5"), window());
  EXPECT_THAT(lines(), ElementsAre(u"あきこ", u"ひろし", u"Ken"));
  EXPECT_EQ(selection(), 0);
  EXPECT_EQ(textOf("txtName"), u"あきこ");
  EXPECT_EQ(textOf("txtNum"), u" 5");
  EXPECT_EQ(textOf("txtPetKind"), u"イヌ");

  clickLine(1);
  ASSERT_TRUE(screenShowsSelected(list(), 1));
  EXPECT_TRUE(saveScreenshot(window(), (ownFolder() / "main_window_live.bmp").c_str()));
}

TEST_F(LiveEditing, TypingANameChangesItsListLineKeyByKey) {
  clickLine(1);
  ASSERT_EQ(textOf("txtName"), u"ひろし");
  typeAtEnd("txtName", u"み");
  EXPECT_THAT(lines(), ElementsAre(u"あきこ", u"ひろしみ", u"Ken"));
  EXPECT_EQ(selection(), 1);
  typeAtEnd("txtName", u"!");
  EXPECT_THAT(lines(), ElementsAre(u"あきこ", u"ひろしみ!", u"Ken"));
  EXPECT_EQ(selection(), 1);
  EXPECT_EQ(textOf("txtName"), u"ひろしみ!");
  EXPECT_EQ(main->table().rows[1].friendName, u"ひろしみ!");

  // Emptied, the line stays, empty and selected.
  typeOver("txtName", u"\b");
  EXPECT_THAT(lines(), ElementsAre(u"あきこ", u"", u"Ken"));
  EXPECT_EQ(selection(), 1);
}

TEST_F(LiveEditing, TheDeleteQuestionIsARealBoxAndOnlyOkDeletes) {
  clickLine(1);
  {
    BoxAnswerer cancel(kBoxTitle, IDCANCEL);
    press("Del");
    ASSERT_TRUE(cancel.finish());
    EXPECT_EQ(cancel.text(), L"本当に削除してよろしいですか？");
  }
  EXPECT_THAT(lines(), ElementsAre(u"あきこ", u"ひろし", u"Ken"));
  EXPECT_EQ(selection(), 1);

  BoxAnswerer ok(kBoxTitle, IDOK);
  press("Del");
  ASSERT_TRUE(ok.finish());
  EXPECT_THAT(lines(), ElementsAre(u"あきこ", u"Ken"));
  EXPECT_EQ(selection(), 0);
  EXPECT_EQ(textOf("txtName"), u"あきこ");
  EXPECT_EQ(main->table().rows.size(), 2u);
}

}  // namespace
}  // namespace quillby::test

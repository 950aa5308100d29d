// A whole run through the real window: start, edit, "セーブ！", end, and a new
// start that shows the edits, with the real files and code page 932.
#include <gmock/gmock.h>

#include "main_window_win32/live_main_window.h"

namespace quillby::test {
namespace {

using ::testing::ElementsAre;

TEST_F(LiveMainWindow, EditsSavedWithTheButtonAreShownByTheNextStart) {
  f.put(kBookFile, bookOf({friendRow(u"あきこ", 5), friendRow(u"ひろし", 7)}, f.charset));
  f.put(kMemoFile, "\"\x82\xa0\x82\xab\x82\xb1\",\"a@b.jp\",\"memo A\"\r\n");  // あきこ
  ASSERT_TRUE(start());

  clickLine(1);
  typeAtEnd("txtName", u"み");
  typeOver("txtAddress", u"hiromi@example.jp");
  typeOver("txtMemo", u"一行目\r二行目, \"引用\"");  // Enter makes a line break
  press("Up");
  press("Add");
  typeOver("txtName", u"さくら");
  withoutBox([this] { press("Command1"); });
  stop();
  EXPECT_EQ(FindWindowW(nullptr, L"Quillby Ver0.5"), nullptr);

  ASSERT_TRUE(start());
  EXPECT_THAT(lines(), ElementsAre(u"ひろしみ", u"あきこ", u"さくら"));
  EXPECT_EQ(selection(), 0);
  EXPECT_EQ(textOf("txtName"), u"ひろしみ");
  EXPECT_EQ(textOf("txtNum"), u" 7");
  EXPECT_EQ(textOf("txtAddress"), u"hiromi@example.jp");
  EXPECT_EQ(textOf("txtPetName"), u"ポチ");
  EXPECT_EQ(textOf("txtMemo"), u"一行目\r\n二行目, \"引用\"");
  clickLine(1);
  EXPECT_EQ(textOf("txtMemo"), u"memo A");
  clickLine(2);
  EXPECT_EQ(textOf("txtName"), u"さくら");
  EXPECT_EQ(textOf("txtMemo"), u"ここにメモを書いて下さい");
  EXPECT_EQ(textOf("txtNum"), u" 0");
}

// A memo file from before, its quotes written raw: every friend shows its own
// memo, and a save writes them back so that the next start shows them again.
TEST_F(LiveMainWindow, AnOldMemoFileWithRawQuotesGivesEveryFriendItsOwnMemo) {
  f.put(kBookFile, bookOf({friendRow(u"あきこ", 5), friendRow(u"ひろし", 7), friendRow(u"ケン", 9)},
                          f.charset));
  f.put(kMemoFile,
        "\"\x82\xa0\x82\xab\x82\xb1\",\"a@b.jp\",\"\x83\x54\x83\x43\x83\x59\x82\xcd"
        "12\"\"\r\n"  // あきこ, サイズは12"
        "\"\x82\xd0\x82\xeb\x82\xb5\",\"a@b.jp\",\"one, two\r\nthree\"\r\n"  // ひろし
        "\"\x83\x50\x83\x93\",\"a@b.jp\",\"say \"hi\" now\"\r\n");           // ケン
  const std::vector<Text> memos{u"サイズは12\"", u"one, two\r\nthree", u"say \"hi\" now"};
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run == 0 ? "as found" : "after a save");
    ASSERT_TRUE(start());
    for (int line = 0; line < 3; ++line) {
      clickLine(line);
      EXPECT_EQ(textOf("txtMemo"), memos[line]) << line;
    }
    withoutBox([this] { press("Command1"); });
    stop();
  }
}

}  // namespace
}  // namespace quillby::test

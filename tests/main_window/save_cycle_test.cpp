// Edits made in the window, saved with "セーブ！", are what the next start
// shows; a friend that cannot be written stops the save before any file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "main_window/main_window_rig.h"
#include "model/app_title.h"

namespace quillby {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

TEST_F(MainWindowTest, EditsSavedInTheWindowAreShownByTheNextStart) {
  putThreeFriends();
  ASSERT_TRUE(start());
  const Text memo = u"一行目\r\n\"引用\", カンマ,\"\"二重\"\"\r\n";

  c().List1.userSelected(1);
  c().txtName.userEdited(u"ひろ");
  c().txtName.userEdited(u"ひろみ");
  c().txtAddress.userEdited(u"hiromi@example.jp");
  c().txtMemo.userEdited(memo);
  c().Up.userClicked();
  c().List1.userSelected(2);
  dialogs.answers = {DialogAnswer::Ok};
  c().Del.userClicked();  // Ken
  c().Add.userClicked();
  c().txtName.userEdited(u"さくら");
  c().txtAddress.userEdited(u"sakura@example.jp");
  ASSERT_THAT(lines(), ElementsAre(u"ひろみ", u"あきこ", u"さくら"));

  c().Command1.userClicked();
  EXPECT_EQ(dialogs.shown.size(), 1u);  // the delete question alone

  ASSERT_TRUE(start());
  EXPECT_THAT(lines(), ElementsAre(u"ひろみ", u"あきこ", u"さくら"));
  EXPECT_EQ(c().List1.listIndex(), 0);
  // The count stays with its friend.
  EXPECT_THAT(boxes(),
              ElementsAre(u"ひろみ", u" 7", u"hiromi@example.jp", u"タマ", u"雑種ネコ", memo));
  c().List1.userSelected(1);
  EXPECT_THAT(boxes(),
              ElementsAre(u"あきこ", u" 5", u"akiko@example.jp", u"ポチ", u"イヌ", u"memo A"));
  c().List1.userSelected(2);
  EXPECT_THAT(boxes(), ElementsAre(u"さくら", u" 0", u"sakura@example.jp", u"", u"",
                                   u"ここにメモを書いて下さい"));
  EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(MainWindowTest, AFriendThatCannotBeWrittenIsNamedAndBothFilesStayAsTheyWere) {
  struct Case {
    const char* what;
    TextBox MainControls::*box;
    Text typed;
    const char16_t* field;
  };
  const Case cases[] = {
      {"wide address", &MainControls::txtAddress, u"ひろし@example.jp", u"メールアドレス"},
      {"name over 255 bytes", &MainControls::txtName, Text(128, u'あ'), u"名前"},
      {"memo outside code page 932", &MainControls::txtMemo, u"絵文字\U0001F600", u"メモ"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    putThreeFriends();
    ASSERT_TRUE(start());
    const Bytes book = f.get(kBookFile);
    const Bytes memos = f.get(kMemoFile);
    dialogs.shown.clear();

    c().List1.userSelected(1);
    (c().*k.box).userEdited(k.typed);
    c().Command1.userClicked();

    ASSERT_EQ(dialogs.shown.size(), 1u);
    const Text who = u"2番目のおともだち「" + main->table().rows[1].friendName + u"」の" + k.field;
    EXPECT_THAT(utf8(dialogs.shown[0].text), HasSubstr(utf8(who)));
    EXPECT_EQ(dialogs.shown[0].title, kAppTitle);
    EXPECT_EQ(f.get(kBookFile), book);
    EXPECT_EQ(f.get(kMemoFile), memos);
  }
}

// PostPet may add a friend while we run; saving would drop it, so the user is
// asked first, and Cancel (the default) writes nothing.
TEST_F(MainWindowTest, AskedBeforeWritingOverFriendsAnotherProgramChanged) {
  putThreeFriends();
  ASSERT_TRUE(start());
  c().txtMemo.userEdited(u"new memo");
  putBook({friendOf(u"あきこ", u"akiko@example.jp", 5), friendOf(u"Newcomer", u"n@example.jp", 1)});
  const Bytes book = f.get(kBookFile);
  const Bytes memos = f.get(kMemoFile);

  dialogs.answers = {DialogAnswer::Cancel};
  c().Command1.userClicked();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_THAT(utf8(dialogs.shown[0].text),
              HasSubstr(utf8(u"ほかのプログラムでおともだちが変更されています")));
  EXPECT_EQ(dialogs.shown[0].buttons, DialogButtons::OkCancel);
  EXPECT_EQ(dialogs.shown[0].defaultButton, 2);
  EXPECT_EQ(f.get(kBookFile), book);
  EXPECT_EQ(f.get(kMemoFile), memos);

  dialogs.answers = {DialogAnswer::Ok};
  c().Command1.userClicked();
  EXPECT_EQ(dialogs.shown.size(), 2u);  // no failure after the answer
  ASSERT_TRUE(start());
  EXPECT_THAT(lines(), ElementsAre(u"あきこ", u"ひろし", u"Ken"));
  EXPECT_EQ(c().txtMemo.text(), u"new memo");
  // Each friend kept its own count, not the one the host put at its place.
  c().List1.userSelected(1);
  EXPECT_EQ(c().txtNum.text(), u" 7");
}

// PostPet counts mails while we run: after a save, with or without the
// question, the box shows the count the save wrote for the friend on show.
TEST_F(MainWindowTest, TheCountShownAfterASaveIsTheOneWritten) {
  for (const bool friendAdded : {false, true}) {
    SCOPED_TRACE(friendAdded ? "asked first" : "not asked");
    putThreeFriends();
    ASSERT_TRUE(start());
    c().List1.userSelected(1);
    std::vector<FriendEntry> onDisk{
        friendOf(u"あきこ", u"akiko@example.jp", 5),
        friendOf(u"ひろし", u"hiroshi@example.jp", 8, u"タマ", u"雑種ネコ"),
        friendOf(u"Ken", u"ken@example.jp", 9, u"", u"")};
    if (friendAdded) onDisk.push_back(friendOf(u"Newcomer", u"n@example.jp", 1));
    putBook(onDisk);
    dialogs.answers = {DialogAnswer::Ok};
    c().Command1.userClicked();
    EXPECT_EQ(dialogs.shown.size(), friendAdded ? 1u : 0u);
    EXPECT_EQ(c().txtNum.text(), u" 8");
    dialogs.shown.clear();
  }
}

// The version a save replaces must be kept first; where it cannot be, the user
// is told and nothing is written.
TEST_F(MainWindowTest, ASaveWhoseBackupCannotBeWrittenSaysSoAndWritesNothing) {
  putThreeFriends();
  f.put(kBackupsFolder, "a file in the folder's place");
  ASSERT_TRUE(start());
  const Bytes book = f.get(kBookFile);
  const Bytes memos = f.get(kMemoFile);
  c().txtMemo.userEdited(u"new memo");
  c().Command1.userClicked();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(utf8(dialogs.shown[0].text),
            utf8(u"セーブの前に、今のおともだち帳とメモのファイルを「Quillby.backup」に控えられませ"
                 u"んでした（アクセスが拒否されました。読み取り専用か、ほかのプログラムが使っていま"
                 u"す）。どちらのファイルもそのままです。\r\nセーブできませんでした。"));
  EXPECT_EQ(f.get(kBookFile), book);
  EXPECT_EQ(f.get(kMemoFile), memos);
}

TEST_F(MainWindowTest, SavingTwiceWithoutEditsChangesNoByte) {
  putThreeFriends();
  ASSERT_TRUE(start());
  const Bytes book = f.get(kBookFile);
  c().Command1.userClicked();
  const Bytes memos = f.get(kMemoFile);
  c().Command1.userClicked();
  EXPECT_THAT(dialogs.shown, IsEmpty());
  EXPECT_EQ(f.get(kBookFile), book);
  EXPECT_EQ(f.get(kMemoFile), memos);
}

}  // namespace
}  // namespace quillby

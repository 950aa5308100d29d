// The main window's start: the list and the first friend shown, the stored
// options applied, and a friend book that cannot be used stopping the start
// with one message and no file changed.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "main_window/main_window_rig.h"
#include "model/app_title.h"
#include "support/fault_files.h"
#include "ui/messages.h"

namespace quillby {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

TEST_F(MainWindowTest, StartListsTheFriendsAndShowsTheFirstWithItsMemo) {
  putThreeFriends();
  ASSERT_TRUE(start());
  EXPECT_TRUE(c().form.visible());
  EXPECT_THAT(lines(), ElementsAre(u"あきこ", u"ひろし", u"Ken"));
  EXPECT_EQ(c().List1.listIndex(), 0);
  EXPECT_THAT(boxes(),
              ElementsAre(u"あきこ", u" 5", u"akiko@example.jp", u"ポチ", u"イヌ", u"memo A"));
  EXPECT_THAT(dialogs.shown, IsEmpty());
  EXPECT_EQ(f.get(kBackupFile), f.get(kBookFile));

  c().List1.userSelected(2);
  EXPECT_THAT(boxes(), ElementsAre(u"Ken", u" 9", u"ken@example.jp", u"", u"", u"memo K"));
}

TEST_F(MainWindowTest, AMissingSettingsFileIsCreatedAndTheDefaultsApply) {
  putThreeFriends();
  ASSERT_TRUE(start());
  ASSERT_TRUE(f.has(kSettingsFile));
  EXPECT_EQ(f.get(kSettingsFile), "");
  EXPECT_FALSE(c().Check1.value());
  EXPECT_FALSE(c().Check2.value());
  EXPECT_FALSE(c().Check3.value());
  EXPECT_EQ(c().form.movedLeft(), 0);
  EXPECT_EQ(c().form.movedTop(), 0);
  EXPECT_THAT(windows.topmostCalls, IsEmpty());
}

TEST_F(MainWindowTest, StoredOptionsTickTheBoxesAndKeepInFrontActsAtOnce) {
  putThreeFriends();
  f.put(kSettingsFile, "\" 1200\",\" 900.5\",\"1\",\"0\",\"1\",\"1\"\r\n");
  ASSERT_TRUE(start());
  EXPECT_TRUE(c().Check1.value());
  EXPECT_FALSE(c().Check2.value());
  EXPECT_TRUE(c().Check3.value());
  EXPECT_THAT(windows.topmostCalls, ElementsAre(MemoryWindowManager::TopmostCall{kWindow, true}));
  EXPECT_EQ(c().form.movedLeft(), 1200);
  EXPECT_EQ(c().form.movedTop(), 900.5);
  EXPECT_TRUE(main->settings().keepInFront());
  EXPECT_FALSE(main->settings().quitPostPet());
}

TEST_F(MainWindowTest, OnlyTheExactTextOneTicksABox) {
  putThreeFriends();
  // Two records: the first wins. No value, a quoted 0 and " 1" tick nothing.
  f.put(kSettingsFile,
        "\"x\",\" 60abc\",,\"0\",\"1\",\" 1\"\r\n"
        "\"1\",\"1\",\"1\",\"1\",\"1\",\"1\"\r\n");
  ASSERT_TRUE(start());
  EXPECT_FALSE(c().Check1.value());
  EXPECT_FALSE(c().Check2.value());
  EXPECT_FALSE(c().Check3.value());
  EXPECT_THAT(windows.topmostCalls, IsEmpty());  // unticking an unticked box does nothing
  EXPECT_EQ(c().form.movedLeft(), 0);
  EXPECT_EQ(c().form.movedTop(), 60);
  // Untouched options keep their stored form for the exit to write back.
  EXPECT_EQ(encodeSettings(main->settings()), "\"x\",\" 60abc\",,\"0\",\"1\",\" 1\"\r\n");
}

TEST_F(MainWindowTest, ALabelClickActsExactlyAsAClickOnItsBox) {
  putThreeFriends();
  ASSERT_TRUE(start());

  c().Label10.userClicked();
  EXPECT_TRUE(c().Check1.value());
  EXPECT_TRUE(main->settings().keepInFront());
  c().Check1.userClicked();
  EXPECT_FALSE(c().Check1.value());
  EXPECT_FALSE(main->settings().keepInFront());
  c().Label10.userClicked();
  c().Label10.userClicked();
  using Call = MemoryWindowManager::TopmostCall;
  EXPECT_THAT(windows.topmostCalls, ElementsAre(Call{kWindow, true}, Call{kWindow, false},
                                                Call{kWindow, true}, Call{kWindow, false}));

  c().Label11.userClicked();
  EXPECT_TRUE(c().Check2.value());
  EXPECT_TRUE(main->settings().quitPostPet());
  c().Check2.userClicked();
  EXPECT_FALSE(c().Check2.value());
  EXPECT_FALSE(main->settings().quitPostPet());

  // The text of the no-connection option is only a text.
  const SettingsValues before = main->settings();
  c().Label12.userClicked();
  EXPECT_FALSE(c().Check3.value());
  EXPECT_EQ(main->settings(), before);
  c().Check3.userClicked();
  EXPECT_TRUE(main->settings().noConnectionCheck());
  EXPECT_EQ(windows.topmostCalls.size(), 4u);  // only the keep-in-front box moves the window
}

TEST_F(MainWindowTest, AnEmptyFriendBookStartsWithEmptyBoxesAndAddWorks) {
  f.put(kBookFile, "");
  ASSERT_TRUE(start());
  EXPECT_THAT(lines(), IsEmpty());
  EXPECT_EQ(c().List1.listIndex(), -1);
  EXPECT_EQ(boxes(), std::vector<Text>(6));  // not the design texts
  EXPECT_THAT(dialogs.shown, IsEmpty());

  c().Add.userClicked();
  EXPECT_THAT(lines(), ElementsAre(u"新しいおともだち"));
  EXPECT_EQ(c().List1.listIndex(), 0);
  EXPECT_EQ(c().txtName.text(), u"新しいおともだち");
  EXPECT_EQ(c().txtMemo.text(), u"ここにメモを書いて下さい");
  const Text& address = c().txtAddress.text();
  EXPECT_EQ(address, main->table().rows.at(0).friendAddress);
  const auto at = address.find(u'@');  // local part, at sign, domain
  EXPECT_TRUE(at != Text::npos && at > 0 && address.find(u'.', at) != Text::npos) << utf8(address);
}

TEST_F(MainWindowTest, AnUnusableFriendBookStopsTheStartWithOneMessageAndNoFileChanged) {
  const Bytes one = bookOf({friendOf(u"A", u"a@x.jp", 1)}, f.charset);
  Bytes tooMany;
  for (int i = 0; i < 1001; ++i) tooMany += one;
  struct Case {
    const char* what;
    std::optional<Bytes> book;
    const char16_t* problem;  // in the user's words
  };
  const Case cases[] = {
      {"missing", std::nullopt, u"見つかりません"},
      {"damaged", one + one.substr(0, one.size() - 1), u"壊れています"},
      {"1001 friends", tooMany, u"1000人"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    BookFolder g;
    if (k.book) g.put(kBookFile, *k.book);
    g.put(kBackupFile, "last good copy");
    g.put(kMemoFile, "\"A\",\"a@x.jp\",\"keep\"\r\n");
    RecordingDialogs shown;
    Services own{g.files, g.charset, shown, windows, input, clock};
    Main window(own);
    EXPECT_FALSE(window.Form_Load());

    ASSERT_EQ(shown.shown.size(), 1u);
    const DialogRequest& box = shown.shown[0];
    EXPECT_THAT(utf8(box.text), HasSubstr(utf8(u"「おともだち帳」")));
    EXPECT_THAT(utf8(box.text), HasSubstr(utf8(k.problem)));
    EXPECT_EQ(box.title, kAppTitle);
    EXPECT_EQ(box.buttons, DialogButtons::Ok);

    EXPECT_EQ(g.has(kBookFile), k.book.has_value());
    if (k.book) {
      EXPECT_EQ(g.get(kBookFile), *k.book);
    }
    EXPECT_EQ(g.get(kBackupFile), "last good copy");
    EXPECT_EQ(g.get(kMemoFile), "\"A\",\"a@x.jp\",\"keep\"\r\n");
  }
}

// A folder that takes no file (a read-only share, a CD-ROM copy): the one
// message names the folder and blames no file.
TEST_F(MainWindowTest, AFolderThatCannotBeWrittenIsNamedInTheMessage) {
  BookFolder g;
  const Bytes book = bookOf({friendOf(u"A", u"a@x.jp", 1)}, g.charset);
  g.put(kBookFile, book);
  g.put(kSettingsFile, "");
  FaultFiles locked(g.files);
  const FileError refused{FileProblem::AccessDenied, 5};
  locked.failNth(FileOperation::WriteAtomic, 1, refused);  // the safety copy
  locked.failNth(FileOperation::MakeFolder, 1, refused);   // any new entry
  RecordingDialogs shown;
  Services own{locked, g.charset, shown, windows, input, clock};
  Main window(own);
  EXPECT_FALSE(window.Form_Load());

  ASSERT_EQ(shown.shown.size(), 1u);
  const std::string text = utf8(shown.shown[0].text);
  EXPECT_THAT(text, HasSubstr(utf8(u"「" + g.folder.path().u16string() + u"」")));
  EXPECT_THAT(text, Not(HasSubstr(utf8(fileProblemText(refused)))));
  EXPECT_EQ(g.folder.entries(), (std::vector<std::filesystem::path>{kSettingsFile, kBookFile}));
  EXPECT_EQ(g.get(kBookFile), book);
}

}  // namespace
}  // namespace quillby

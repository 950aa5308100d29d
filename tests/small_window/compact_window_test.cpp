#include "loadsave/startup_load.h"
#include "small_window/two_windows_rig.h"
#include "ui/messages.h"

namespace quillby {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST_F(TwoWindowsTest, TheCompactWindowIsLoadedAtTheFirstShrinkAndThenOnlyHiddenAndShown) {
  putThreeFriends();
  putSettings("\" 300\",\" 450\",,,\"1\",\"\"\r\n");
  f.put(kMemoFile, "\"Ken\",\"a@b.jp\",\"memo K\"\r\n");
  ASSERT_TRUE(start());
  ASSERT_EQ(main->table().rows[2].friendMemo, u"memo K");
  std::filesystem::remove(f.folder / kBackupFile);
  EXPECT_TRUE(m().form.visible());
  EXPECT_EQ(main->compactWindow(), nullptr);

  m().shrink.userClicked();
  ASSERT_NE(main->compactWindow(), nullptr);
  EXPECT_FALSE(m().form.visible());
  EXPECT_TRUE(small().c.form.visible());
  EXPECT_EQ(small().c.form.movedLeft(), 300);
  EXPECT_EQ(small().c.form.movedTop(), 450);
  EXPECT_THAT(small().c.List1.lines(), ElementsAre(u"あきこ", u"ひろし", u"Ken"));
  EXPECT_EQ(small().c.List1.listIndex(), 0);
  EXPECT_TRUE(small().table().rows[2].friendMemo.empty());
  EXPECT_FALSE(f.has(kBackupFile));

  small().c.List1.userSelected(2);
  SmallForm* first = main->compactWindow();
  // Read again, this would tick the box; the window must keep what it read.
  putSettings("\" 0\",\" 0\",\"1\",,\"1\",\"\"\r\n");
  small().c.expand.userClicked();
  EXPECT_TRUE(m().form.visible());
  EXPECT_FALSE(small().c.form.visible());

  m().shrink.userClicked();
  EXPECT_EQ(main->compactWindow(), first);
  EXPECT_EQ(builds, 1);
  EXPECT_TRUE(small().c.form.visible());
  EXPECT_FALSE(m().form.visible());
  EXPECT_EQ(small().c.List1.listIndex(), 2);
  EXPECT_FALSE(small().c.Check1.value());
  EXPECT_FALSE(windows.isTopmost(kCompactWindow));
}

TEST_F(TwoWindowsTest, StartUpAfterAnExitFromTheCompactWindowSwitchesToIt) {
  putThreeFriends();
  putSettings("\" 300\",\" 450\",\"0\",\"1\",\"0\",\"0\"\r\n");
  ASSERT_TRUE(start());
  EXPECT_FALSE(m().form.visible());
  EXPECT_EQ(m().form.movedLeft(), 300);
  ASSERT_NE(main->compactWindow(), nullptr);
  EXPECT_TRUE(small().c.form.visible());
  EXPECT_EQ(small().c.form.movedTop(), 450);
  EXPECT_TRUE(small().c.Check2.value());
  EXPECT_TRUE(small().settings().showsConnectionHint());
  EXPECT_THAT(small().c.List1.lines(), ElementsAre(u"あきこ", u"ひろし", u"Ken"));
}

TEST_F(TwoWindowsTest, OptionsChangedInOneWindowAreNotSeenInTheOther) {
  putThreeFriends();
  putSettings("\" 0\",\" 0\",\"1\",,\"1\",\"\"\r\n");
  ASSERT_TRUE(start());
  EXPECT_TRUE(windows.isTopmost(kMainWindow));
  m().Check1.userClicked();
  m().Label11.userClicked();
  EXPECT_FALSE(windows.isTopmost(kMainWindow));

  m().shrink.userClicked();
  // The compact window ticks its boxes from the file, not from the main window.
  EXPECT_TRUE(small().c.Check1.value());
  EXPECT_TRUE(windows.isTopmost(kCompactWindow));
  EXPECT_FALSE(small().c.Check2.value());
  EXPECT_FALSE(small().settings().quitPostPet());

  small().c.Label10.userClicked();
  EXPECT_FALSE(small().c.Check1.value());
  EXPECT_FALSE(windows.isTopmost(kCompactWindow));
  EXPECT_FALSE(small().settings().keepInFront());
  small().c.Label2.userClicked();
  EXPECT_TRUE(small().settings().quitPostPet());
  small().c.Check2.userClicked();
  EXPECT_FALSE(small().settings().quitPostPet());

  EXPECT_FALSE(m().Check1.value());
  EXPECT_TRUE(m().Check2.value());
  EXPECT_FALSE(main->settings().keepInFront());
  EXPECT_TRUE(main->settings().quitPostPet());
}

TEST_F(TwoWindowsTest, TheCompactListKeepsTheBookAsItWasAtItsLoad) {
  putThreeFriends();
  ASSERT_TRUE(start());
  m().shrink.userClicked();
  small().c.expand.userClicked();

  const Bytes before = f.get(kBookFile);
  m().Add.userClicked();
  m().Command1.userClicked();  // save
  ASSERT_NE(f.get(kBookFile), before);
  ASSERT_EQ(m().List1.listCount(), 4);

  m().shrink.userClicked();
  EXPECT_THAT(small().c.List1.lines(), ElementsAre(u"あきこ", u"ひろし", u"Ken"));
  EXPECT_EQ(small().table().rows.size(), 3u);
}

TEST_F(TwoWindowsTest, AnEmptyBookLeavesTheCompactListEmptyWithNothingSelected) {
  putThreeFriends();
  ASSERT_TRUE(start());
  f.put(kBookFile, "");
  m().shrink.userClicked();
  EXPECT_THAT(small().c.List1.lines(), IsEmpty());
  EXPECT_EQ(small().c.List1.listIndex(), -1);
  EXPECT_THAT(dialogs.shown, IsEmpty());
  // Nothing to mail to: no host step is taken.
  small().c.List1.userDoubleClicked();
  EXPECT_THAT(journal.entries, IsEmpty());
}

TEST_F(TwoWindowsTest, ADamagedBookIsToldAndLeavesTheCompactListEmpty) {
  putThreeFriends();
  ASSERT_TRUE(start());
  Bytes book = f.get(kBookFile);
  book.pop_back();
  f.put(kBookFile, book);
  auto damaged = loadFriends(f.files, f.charset);
  ASSERT_FALSE(damaged);

  m().shrink.userClicked();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, bookFailureMessage(damaged.error(), FriendTable{}));
  EXPECT_TRUE(small().c.form.visible());
  EXPECT_THAT(small().c.List1.lines(), IsEmpty());
  EXPECT_THAT(m().List1.lines(), ElementsAre(u"あきこ", u"ひろし", u"Ken"));
}

TEST_F(TwoWindowsTest, AWindowTheSystemRefusesLeavesTheMainWindowInUse) {
  putThreeFriends();
  ASSERT_TRUE(start());
  buildSucceeds = false;
  m().shrink.userClicked();
  EXPECT_TRUE(m().form.visible());
  EXPECT_EQ(main->compactWindow(), nullptr);
  EXPECT_EQ(dialogs.shown.size(), 1u);

  buildSucceeds = true;
  m().shrink.userClicked();
  EXPECT_EQ(builds, 2);
  EXPECT_TRUE(small().c.form.visible());
}

TEST_F(TwoWindowsTest, OnlyTheBodyAndTheListHeadingDragTheCompactWindow) {
  putThreeFriends();
  ASSERT_TRUE(start());
  m().shrink.userClicked();
  auto& c = small().c;
  for (Label* label : {&c.Label9, &c.Label10, &c.Label2}) label->userMouseDown();
  c.List1.userSelected(1);
  c.Check1.userClicked();
  EXPECT_THAT(windows.drags, IsEmpty());

  c.form.userMouseDown();
  c.Label1.userMouseDown();
  EXPECT_THAT(windows.drags, ElementsAre(kCompactWindow, kCompactWindow));
}

TEST_F(TwoWindowsTest, CompactButtonsDriveTheHostWithTheirOwnKeysAndFriends) {
  putThreeFriends();
  putSettings("\" 0\",\" 0\",,,\"1\",\"0\"\r\n");
  ASSERT_TRUE(start());
  m().shrink.userClicked();
  small().c.Command1.userClicked();
  small().c.Command7.userClicked();
  EXPECT_EQ(journal.count(sentEntry(u"^9")), 1u);
  EXPECT_EQ(journal.count(sentEntry(u"^i")), 1u);

  // The compact window's own "0" asks before the mail check; Cancel stops it.
  dialogs.answers = {DialogAnswer::Cancel};
  const auto sent = journal.entries.size();
  small().c.Command4.userClicked();
  EXPECT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(journal.entries.size(), sent);
}

// A box belongs to the window whose action raised it, whichever window the
// system counts as active then.
TEST_F(TwoWindowsTest, EachWindowsBoxesAreOwnedByThatWindow) {
  putThreeFriends();
  putSettings("\" 0\",\" 0\",,,\"1\",\"0\"\r\n");
  ASSERT_TRUE(start());
  dialogs.answers = {DialogAnswer::Cancel, DialogAnswer::Cancel, DialogAnswer::Cancel};
  m().Command4.userClicked();
  m().Del.userClicked();
  m().shrink.userClicked();
  small().c.Command4.userClicked();
  ASSERT_EQ(dialogs.shown.size(), 3u);
  EXPECT_EQ(dialogs.shown[0].owner, kMainWindow);
  EXPECT_EQ(dialogs.shown[1].owner, kMainWindow);
  EXPECT_EQ(dialogs.shown[2].owner, kCompactWindow);
}

}  // namespace
}  // namespace quillby

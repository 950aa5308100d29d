#include <cerrno>
#include <filesystem>

#include "small_window/two_windows_rig.h"
#include "ui/messages.h"

namespace quillby {
namespace {

class ExitTest : public TwoWindowsTest {
 protected:
  void placeMain(int left, int top) { windows.positions[kMainWindow] = {left, top}; }
  void placeCompact(int left, int top) { windows.positions[kCompactWindow] = {left, top}; }
  void expectToldAndEnded(const Text& message) {
    EXPECT_EQ(ends, 1);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, message);
  }
  bool hostTouched() const {
    return journal.count(HostRig::kActivate) > 0 || journal.count(sentEntry(u"%({F4})")) > 0;
  }
};

TEST_F(ExitTest, LeavingTheMainWindowStoresItsPlaceInTwipsAndItsOptions) {
  putThreeFriends();
  ASSERT_TRUE(start());
  m().Check3.userClicked();
  placeMain(80, 60);
  m().end.userClicked();
  EXPECT_EQ(storedSettings(), "\" 1200\",\" 900\",,,\"1\",\"1\"\r\n");
  EXPECT_EQ(ends, 1);
  EXPECT_FALSE(hostTouched());
}

TEST_F(ExitTest, LeavingTheCompactWindowStoresItsOwnValuesNotTheMainWindows) {
  putThreeFriends();
  putSettings("\" 15\",\" 30\",\"1\",,\"1\",\"0\"\r\n");
  windows.twipsX = 12;
  windows.twipsY = 20;
  ASSERT_TRUE(start());
  m().Check1.userClicked();  // the main window's change is lost
  placeMain(500, 500);
  m().shrink.userClicked();
  placeCompact(25, 40);
  small().c.Command3.userClicked();
  EXPECT_EQ(storedSettings(), "\" 300\",\" 800\",\"1\",,\"0\",\"0\"\r\n");
  EXPECT_EQ(ends, 1);
}

TEST_F(ExitTest, ClosingTheCompactWindowLeavesAsItsEndButtonDoes) {
  putThreeFriends();
  ASSERT_TRUE(start());
  m().shrink.userClicked();
  placeCompact(2, 3);
  small().c.form.userClosed();
  EXPECT_EQ(storedSettings(), "\" 30\",\" 45\",,,\"0\",\"\"\r\n");
  EXPECT_EQ(ends, 1);
}

TEST_F(ExitTest, ClosingTheMainWindowEndsWithoutStoringOrClosingTheHost) {
  putThreeFriends();
  putSettings("\" 15\",\" 30\",,\"1\",\"1\",\"\"\r\n");
  ASSERT_TRUE(start());
  m().shrink.userClicked();
  small().c.expand.userClicked();
  placeMain(80, 60);
  m().form.userClosed();
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(storedSettings(), "\" 15\",\" 30\",,\"1\",\"1\",\"\"\r\n");
  EXPECT_FALSE(hostTouched());
}

TEST_F(ExitTest, ASettingsFileGoneBeforeTheExitIsWrittenAnew) {
  putThreeFriends();
  ASSERT_TRUE(start());
  std::filesystem::remove(f.folder / kSettingsFile);
  placeMain(1, 2);
  m().end.userClicked();
  EXPECT_EQ(storedSettings(), "\" 15\",\" 30\",,,\"1\",\"\"\r\n");
}

TEST_F(ExitTest, AWindowPastTheScreensEdgeIsStoredAtTheEdge) {
  putThreeFriends();
  ASSERT_TRUE(start());
  placeMain(-10, -3);
  m().end.userClicked();
  EXPECT_EQ(storedSettings(), "\" 0\",\" 0\",,,\"1\",\"\"\r\n");
}

TEST_F(ExitTest, ATopBeyondSixteenBitsIsToldAndNothingIsWritten) {
  putThreeFriends();
  putSettings("\" 15\",\" 30\",,\"1\",\"0\",\"\"\r\n");
  ASSERT_TRUE(start());
  m().shrink.userClicked();
  small().c.expand.userClicked();
  placeMain(0, 2185);  // 32775 twips
  m().end.userClicked();
  expectToldAndEnded(settingsNotKeptMessage(std::nullopt));
  EXPECT_EQ(storedSettings(), "\" 15\",\" 30\",,\"1\",\"0\",\"\"\r\n");
  EXPECT_TRUE(hostTouched());  // PostPet is closed all the same
}

TEST_F(ExitTest, TheLastTopThatFitsIsStored) {
  putThreeFriends();
  windows.twipsY = 1;
  ASSERT_TRUE(start());
  placeMain(0, 32767);
  m().end.userClicked();
  EXPECT_EQ(storedSettings(), "\" 0\",\" 32767\",,,\"1\",\"\"\r\n");
}

TEST_F(ExitTest, AWindowWithoutAPlaceIsToldAndNothingIsWritten) {
  putThreeFriends();
  ASSERT_TRUE(start());
  m().end.userClicked();  // the window manager knows no place for it
  expectToldAndEnded(settingsNotKeptMessage(std::nullopt));
  EXPECT_EQ(storedSettings(), "");
}

TEST_F(ExitTest, QuitPostPetActivatesTheHostAndSendsAltF4WithoutStartingIt) {
  putThreeFriends();
  putSettings("\" 0\",\" 0\",,\"1\",\"1\",\"\"\r\n");
  ASSERT_TRUE(start());
  placeMain(0, 0);
  m().end.userClicked();
  EXPECT_EQ(journal.entries, (std::vector<std::string>{HostRig::kActivate, sentEntry(u"%({F4})")}));
  EXPECT_EQ(ends, 1);
}

TEST_F(ExitTest, QuitPostPetWithTheHostNotRunningStillStoresAndEnds) {
  putThreeFriends();
  ASSERT_TRUE(start());
  m().shrink.userClicked();
  small().c.Label2.userClicked();
  input.running = false;
  placeCompact(0, 0);
  small().c.Command3.userClicked();
  EXPECT_EQ(storedSettings(), "\" 0\",\" 0\",,\"1\",\"0\",\"\"\r\n");
  EXPECT_EQ(journal.count(sentEntry(u"%({F4})")), 0u);
  EXPECT_EQ(ends, 1);
}

TEST_F(ExitTest, AReadOnlySettingsFileStillClosesTheHostAndIsToldOnce) {
  putThreeFriends();
  const Bytes stored = "\" 0\",\" 0\",,\"1\",\"1\",\"\"\r\n";
  putSettings(stored);
  ASSERT_TRUE(start());
  std::filesystem::permissions(f.folder / kSettingsFile, std::filesystem::perms::owner_read);
  placeMain(0, 0);
  m().end.userClicked();
  EXPECT_EQ(journal.entries, (std::vector<std::string>{HostRig::kActivate, sentEntry(u"%({F4})")}));
  expectToldAndEnded(settingsNotKeptMessage(FileError{FileProblem::AccessDenied, EACCES}));
  EXPECT_EQ(storedSettings(), stored);
}

}  // namespace
}  // namespace quillby

// 終了 pressed in the real windows while the stand-in host runs: the host is
// closed with Alt+F4 only when "PostPetも終了" is ticked in the window left.
#include <gmock/gmock.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "formats/settings_file.h"
#include "support_win32/live_program.h"

namespace quillby::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr UINT kRoundTripTimeoutMs = 5000;

class QuitPostPetWin32Test : public LiveProgramTest<> {
 protected:
  void SetUp() override {
    f.put(kBookFile, bookOf({friendRow(u"あきこ")}, f.charset));
    ASSERT_TRUE(start());
    ASSERT_TRUE(startHost());
    host = FindWindowW(nullptr, kStandinTitle);
    hostProcess = openStandinProcess();
    ASSERT_NE(hostProcess, nullptr);
    keysBefore = standinKeys(f.folder.path()).size();
  }

  void TearDown() override {
    if (hostProcess) CloseHandle(hostProcess);
  }

  std::vector<std::string> hostKeys() const { return standinKeys(f.folder.path(), keysBefore); }

  // Our windows answer meanwhile, as the program's would until it has ended:
  // the host's window going activates one of them, and the host waits for
  // that.
  bool hostEnded() const {
    return pumpUntil([this] { return WaitForSingleObject(hostProcess, 0) == WAIT_OBJECT_0; });
  }

  // Still there and answering: the exit's keys, had there been any, were
  // handled before the exit returned.
  bool hostRunning() const {
    DWORD_PTR result = 0;
    return WaitForSingleObject(hostProcess, 0) == WAIT_TIMEOUT &&
           SendMessageTimeoutW(host, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kRoundTripTimeoutMs,
                               &result) != 0;
  }

  SettingsValues stored() const { return readSettings(f.get(kSettingsFile)); }

  // After the exit from `left`.
  void expectHostClosedFrom(ProgramWindow left) {
    EXPECT_EQ(ends, 1);  // the Alt+F4 went to the host, not to us
    EXPECT_TRUE(stored().quitPostPet());
    EXPECT_EQ(stored().lastWindow(), left);
    EXPECT_TRUE(hostEnded());
    EXPECT_THAT(hostKeys(), ElementsAre("down MENU alt", "down F4 alt", "close"));
    EXPECT_THAT(dialogs.shown, IsEmpty());
  }

  HWND host = nullptr;
  HANDLE hostProcess = nullptr;
  std::size_t keysBefore = 0;
};

TEST_F(QuitPostPetWin32Test, TickedInTheMainWindowTheExitClosesTheHost) {
  ASSERT_TRUE(pressInFront(control("Check2")));
  ASSERT_TRUE(ticked(control("Check2")));
  ASSERT_TRUE(pressInFront(control("end")));
  expectHostClosedFrom(ProgramWindow::Main);
}

TEST_F(QuitPostPetWin32Test, TickedInTheCompactWindowTheExitClosesTheHost) {
  ASSERT_TRUE(pressInFront(control("shrink")));
  ASSERT_NE(main->compactWindow(), nullptr);
  ASSERT_TRUE(pressInFront(smallControl("Check2")));
  ASSERT_TRUE(ticked(smallControl("Check2")));
  ASSERT_FALSE(ticked(control("Check2")));
  ASSERT_TRUE(pressInFront(smallControl("Command3")));
  expectHostClosedFrom(ProgramWindow::Compact);
}

TEST_F(QuitPostPetWin32Test, UntickedTheHostKeepsRunning) {
  // Ticked in the compact window, which is not the one left.
  ASSERT_TRUE(pressInFront(control("shrink")));
  ASSERT_NE(main->compactWindow(), nullptr);
  ASSERT_TRUE(pressInFront(smallControl("Check2")));
  ASSERT_TRUE(pressInFront(smallControl("expand")));
  ASSERT_TRUE(pressInFront(control("Check2")));
  ASSERT_TRUE(pressInFront(control("Check2")));
  ASSERT_FALSE(ticked(control("Check2")));
  ASSERT_TRUE(pressInFront(control("end")));

  EXPECT_EQ(ends, 1);
  EXPECT_FALSE(stored().quitPostPet());
  EXPECT_TRUE(hostRunning());
  EXPECT_THAT(hostKeys(), IsEmpty());
  EXPECT_THAT(dialogs.shown, IsEmpty());
}

}  // namespace
}  // namespace quillby::test

// 終了 pressed in the real windows while the stand-in host runs: the host is
// closed with Alt+F4 only when "PostPetも終了" is ticked in the window left.
#include <gmock/gmock.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/win32_test_support.h"
#include "exit_win32/program_windows.h"
#include "formats/settings_file.h"
#include "host/host_driver.h"
#include "loadsave/book_folder.h"
#include "platform/win32/win32_host_input.h"
#include "platform/win32/win32_window_manager.h"
#include "support/recording_dialogs.h"
#include "support_win32/standin.h"

namespace quillby::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr DWORD kHostExitTimeoutMs = 5000;
constexpr UINT kRoundTripTimeoutMs = 5000;

class QuitPostPetWin32Test : public ::testing::Test, protected LiveProgram<TimeOnlyClock> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(installStandin(f.folder.path()));
    f.put(kBookFile, bookOf({friendRow(u"あきこ")}, f.charset));
    main = startProgram(services, ends);
    ASSERT_NE(main, nullptr);
    HostDriver driver(input, f.files, clock);
    ASSERT_EQ(driver.StartHost(), std::nullopt);
    host = FindWindowW(nullptr, kStandinTitle);
    ASSERT_NE(host, nullptr);
    DWORD id = 0;
    GetWindowThreadProcessId(host, &id);
    hostProcess = OpenProcess(SYNCHRONIZE, FALSE, id);
    ASSERT_NE(hostProcess, nullptr);
    keysBefore = standinKeys(f.folder.path()).size();
  }

  void TearDown() override {
    if (hostProcess) CloseHandle(hostProcess);
    main.reset();  // first, so that nothing of the host waits for our windows
    EXPECT_TRUE(closeStandins(f.folder.path())) << "a stand-in had to be killed";
    // The folder cannot go while it is the current directory.
    SetCurrentDirectoryW(ownFolder().c_str());
  }

  // A click on a real button of `window`, with that window in front as the
  // user's click would bring it.
  void press(HWND window, HWND button) {
    ASSERT_TRUE(bringToFront(window));
    SendMessageW(button, BM_CLICK, 0, 0);
  }

  bool ticked(HWND box) const { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

  std::vector<std::string> hostKeys() const {
    std::vector<std::string> keys = standinKeys(f.folder.path());
    keys.erase(keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(keysBefore));
    return keys;
  }

  // Our windows answer meanwhile, as the program's would until it has ended:
  // the host's window going activates one of them, and the host waits for
  // that.
  bool hostEnded() const {
    const ULONGLONG until = GetTickCount64() + kHostExitTimeoutMs;
    for (;;) {
      const ULONGLONG now = GetTickCount64();
      if (now >= until) return false;
      const DWORD woke = MsgWaitForMultipleObjects(1, &hostProcess, FALSE,
                                                   static_cast<DWORD>(until - now), QS_ALLINPUT);
      if (woke == WAIT_OBJECT_0) return true;
      pumpMessages();
    }
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

  HWND host = nullptr;
  HANDLE hostProcess = nullptr;
  std::size_t keysBefore = 0;
};

TEST_F(QuitPostPetWin32Test, TickedInTheMainWindowTheExitClosesTheHost) {
  const HWND window = hwndOf(main->c.form);
  ASSERT_NO_FATAL_FAILURE(press(window, mainControl(*main, "Check2")));
  ASSERT_TRUE(ticked(mainControl(*main, "Check2")));
  ASSERT_NO_FATAL_FAILURE(press(window, mainControl(*main, "end")));

  EXPECT_EQ(ends, 1);  // the Alt+F4 went to the host, not to us
  EXPECT_EQ(stored().quitPostPetFlag, "1");
  EXPECT_EQ(stored().mainWindowFlag, "1");
  EXPECT_TRUE(hostEnded());
  EXPECT_THAT(hostKeys(), ElementsAre("down MENU alt", "down F4 alt", "close"));
  EXPECT_THAT(dialogs.shown, IsEmpty());
}

TEST_F(QuitPostPetWin32Test, TickedInTheCompactWindowTheExitClosesTheHost) {
  ASSERT_NO_FATAL_FAILURE(press(hwndOf(main->c.form), mainControl(*main, "shrink")));
  ASSERT_NE(main->compactWindow(), nullptr);
  SmallForm& small = *main->compactWindow();
  const HWND window = hwndOf(small.c.form);
  ASSERT_NO_FATAL_FAILURE(press(window, smallControl(small, "Check2")));
  ASSERT_TRUE(ticked(smallControl(small, "Check2")));
  ASSERT_FALSE(ticked(mainControl(*main, "Check2")));
  ASSERT_NO_FATAL_FAILURE(press(window, smallControl(small, "Command3")));

  EXPECT_EQ(ends, 1);
  EXPECT_EQ(stored().quitPostPetFlag, "1");
  EXPECT_EQ(stored().mainWindowFlag, "0");
  EXPECT_TRUE(hostEnded());
  EXPECT_THAT(hostKeys(), ElementsAre("down MENU alt", "down F4 alt", "close"));
  EXPECT_THAT(dialogs.shown, IsEmpty());
}

TEST_F(QuitPostPetWin32Test, UntickedTheHostKeepsRunning) {
  // Ticked in the compact window, which is not the one left.
  ASSERT_NO_FATAL_FAILURE(press(hwndOf(main->c.form), mainControl(*main, "shrink")));
  ASSERT_NE(main->compactWindow(), nullptr);
  SmallForm& small = *main->compactWindow();
  ASSERT_NO_FATAL_FAILURE(press(hwndOf(small.c.form), smallControl(small, "Check2")));
  ASSERT_NO_FATAL_FAILURE(press(hwndOf(small.c.form), smallControl(small, "expand")));
  const HWND window = hwndOf(main->c.form);
  ASSERT_NO_FATAL_FAILURE(press(window, mainControl(*main, "Check2")));
  ASSERT_NO_FATAL_FAILURE(press(window, mainControl(*main, "Check2")));
  ASSERT_FALSE(ticked(mainControl(*main, "Check2")));
  ASSERT_NO_FATAL_FAILURE(press(window, mainControl(*main, "end")));

  EXPECT_EQ(ends, 1);
  EXPECT_EQ(stored().quitPostPetFlag, "0");
  EXPECT_TRUE(hostRunning());
  EXPECT_THAT(hostKeys(), IsEmpty());
  EXPECT_THAT(dialogs.shown, IsEmpty());
}

}  // namespace
}  // namespace quillby::test

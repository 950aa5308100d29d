// The driver's keys as the stand-in host logs them, with real windows and
// input under a real user32.
#include <windows.h>
// after <windows.h>, whose types it uses
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "host/friend_mail.h"
#include "host/host_commands.h"
#include "host/host_fakes.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_host_input.h"
#include "support/temp_folder.h"
#include "support_win32/real_windows.h"
#include "support_win32/standin.h"
#include "ui/host_buttons.h"
#include "ui/messages.h"

namespace quillby {
namespace {

namespace fs = std::filesystem;
using test::kStandinTitle;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using test::operator+;

class StandinHost : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(test::installStandin(folder.path())); }

  void TearDown() override {
    EXPECT_TRUE(test::closeStandins(folder.path())) << "the stand-in did not close";
  }

  std::vector<std::string> keyLog() const { return test::standinKeys(folder.path()); }

  // The stand-in running in front, and its log from here on only.
  void startStandin() {
    ASSERT_EQ(driver.StartHost(), std::nullopt);
    ASSERT_EQ(driver.ActivateHost(), std::nullopt);
    skipped = keyLog().size();
  }

  std::vector<std::string> newKeys() const { return test::standinKeys(folder.path(), skipped); }

  TempFolder folder;
  Journal journal;
  FakeFiles files{journal, folder.path()};
  Win32HostInput input;
  test::TimeOnlyClock clock;
  JournalDialogs dialogs{journal};
  HostDriver driver{input, files, clock};
  std::size_t skipped = 0;
};

const std::vector<std::string> kAltDown = test::altDownKeys();

TEST_F(StandinHost, ACommandTypesExactlyItsKeysInOrder) {
  startStandin();
  ASSERT_EQ(driver.RunHostCommand(u"%(FM)"), std::nullopt);
  EXPECT_THAT(newKeys(), ElementsAreArray(kAltDown + kAltDown + test::altCapitalKeys('F', 'M')));
}

TEST_F(StandinHost, AColdStartWaitsForTheWindowAndTypesTheCommand) {
  ASSERT_EQ(FindWindowW(nullptr, kStandinTitle), nullptr);
  ASSERT_EQ(driver.RunHostCommand(u"^h"), std::nullopt);
  const std::vector<std::string> ctrlH = test::ctrlKeys('H');
  const std::vector<std::string> keys = keyLog();
  ASSERT_GE(keys.size(), ctrlH.size());
  EXPECT_THAT(std::vector(keys.end() - 5, keys.end()), ElementsAreArray(ctrlH));
}

TEST_F(StandinHost, MailToAFriendTypesTheAddressAsStoredThenTab) {
  FriendTable friends;
  FriendEntry hanako;
  // Repeated keys and characters no key types, each only witnessed alone.
  hanako.friendAddress = u"aa+b%c{d}~e^(f)[g]@x.jp\u00e9\u00e9";
  friends.rows.push_back(hanako);
  startStandin();
  mailToFriend(driver, dialogs, friends, [] { return 0; });
  EXPECT_THAT(dialogs.recorded.shown, IsEmpty());

  const std::vector<std::string> keys = newKeys();
  const std::size_t head = kAltDown.size() + test::altCapitalKeys('F', 'N').size();
  ASSERT_GT(keys.size(), head + 3);
  EXPECT_THAT(std::vector(keys.begin(), keys.begin() + head),
              ElementsAreArray(kAltDown + test::altCapitalKeys('F', 'N')));
  EXPECT_THAT(std::vector(keys.end() - 3, keys.end()), ElementsAreArray(test::tabKeys()));
  const std::vector<std::string> address(keys.begin() + head, keys.end() - 3);
  for (const auto& line : address) {
    EXPECT_FALSE(line.ends_with("ctrl") || line.find("alt") != std::string::npos) << line;
  }
  EXPECT_EQ(test::typedText(address), hanako.friendAddress);
}

TEST_F(StandinHost, ASendReturnsOnlyAfterASlowHostHasTakenTheLastKey) {
  std::ofstream(folder / "standin-slow").put('\n');
  startStandin();
  ASSERT_EQ(driver.SendHostKeys(u"abc{TAB}"), std::nullopt);
  const std::vector<std::string> atReturn = newKeys();
  EXPECT_THAT(atReturn, ElementsAre("down A -", "char U+0061 a -", "up A -", "down B -",
                                    "char U+0062 b -", "up B -", "down C -", "char U+0063 c -",
                                    "up C -", "down TAB -", "char U+0009 -", "up TAB -"));
  Sleep(500);
  EXPECT_EQ(newKeys(), atReturn);  // nothing was still on its way
}

TEST_F(StandinHost, AHostThatStopsWithinAChordIsLeftNoKeyHeld) {
  std::ofstream(folder / "standin-hang-on-key").put('\n');
  startStandin();
  EXPECT_NE(driver.SendHostKeys(u"%(FM)"), std::nullopt);
  for (int vk : {VK_MENU, VK_SHIFT, int{'M'}}) EXPECT_FALSE(GetAsyncKeyState(vk) & 0x8000) << vk;
  test::killStandins(folder.path());
}

TEST(Win32Clock, NowIsTheLocalDateAndTimeOfDay) {
  SYSTEMTIME before;
  GetLocalTime(&before);
  const LocalDateTime now = Win32Clock().now();
  SYSTEMTIME after;
  GetLocalTime(&after);
  ASSERT_EQ(before.wDay, after.wDay) << "run again away from midnight";
  EXPECT_EQ(now.date, std::chrono::year_month_day(std::chrono::year{after.wYear},
                                                  std::chrono::month{after.wMonth},
                                                  std::chrono::day{after.wDay}));
  const auto seconds = [](const SYSTEMTIME& t) {
    return t.wHour * 3600.0 + t.wMinute * 60.0 + t.wSecond + t.wMilliseconds / 1000.0;
  };
  EXPECT_GE(now.secondsOfDay, seconds(before));
  EXPECT_LE(now.secondsOfDay, seconds(after));
}

TEST_F(StandinHost, AMissingProgramIsToldAndNothingElseHappens) {
  fs::remove(folder / "PostPet20.EXE");
  runHostCommandButton(driver, dialogs, HostCommand::Inbox, ConnectionHint::Skip);
  EXPECT_THAT(journal.entries, ElementsAre("dialog QuillbyVer0.5"));
  ASSERT_EQ(dialogs.recorded.shown.size(), 1u);
  EXPECT_EQ(dialogs.recorded.shown[0].text, hostFailureMessage(HostFailure::NotStarted));
  EXPECT_EQ(FindWindowW(nullptr, kStandinTitle), nullptr);
  EXPECT_FALSE(fs::exists(folder / "standin-keys.log"));
}

TEST_F(StandinHost, AMissingProgramIsToldThoughTheHostRuns) {
  startStandin();
  fs::rename(folder / "PostPet20.EXE", folder / "PostPet20.old");  // a running program cannot go
  runHostCommandButton(driver, dialogs, HostCommand::Inbox, ConnectionHint::Skip);
  ASSERT_EQ(dialogs.recorded.shown.size(), 1u);
  EXPECT_EQ(dialogs.recorded.shown[0].text, hostFailureMessage(HostFailure::NotStarted));
  EXPECT_THAT(newKeys(), IsEmpty());
}

TEST_F(StandinHost, ExitClosesTheHostWithAltF4) {
  startStandin();
  HANDLE process = test::openStandinProcess();
  ASSERT_NE(process, nullptr);
  EXPECT_EQ(closeHost(driver), std::nullopt);
  EXPECT_EQ(WaitForSingleObject(process, 5000), WAIT_OBJECT_0);
  CloseHandle(process);
  EXPECT_THAT(newKeys(), ElementsAre("down MENU alt", "down F4 alt", "close"));
  EXPECT_EQ(closeHost(driver), HostFailure::NoWindow);  // nothing left to close
}

// Keys typed while one of our own windows is in front reach it before the
// send returns, and the host can be brought back in front afterwards.
LRESULT CALLBACK recordKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* seen = reinterpret_cast<std::vector<UINT>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (seen && message >= WM_KEYFIRST && message <= WM_KEYLAST) seen->push_back(message);
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(StandinHost, KeysForOurOwnWindowAreHandledBeforeTheSendReturns) {
  startStandin();
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = recordKeys;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"QuillbyHostTestWindow";
  RegisterClassW(&windowClass);
  HWND own = CreateWindowExW(0, windowClass.lpszClassName, L"Post office", WS_OVERLAPPEDWINDOW, 0,
                             0, 200, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
  ASSERT_NE(own, nullptr);
  std::vector<UINT> seen;
  SetWindowLongPtrW(own, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&seen));
  ShowWindow(own, SW_SHOWNORMAL);
  ASSERT_TRUE(test::bringToFront(own));

  ASSERT_EQ(driver.SendHostKeys(u"%{DOWN}"), std::nullopt);
  EXPECT_THAT(seen, ElementsAre(WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_KEYUP));
  EXPECT_THAT(newKeys(), IsEmpty());

  // Our own window, though its title begins with "Post", is never the host.
  ASSERT_EQ(driver.ActivateHost(), std::nullopt);
  EXPECT_EQ(GetForegroundWindow(), FindWindowW(nullptr, kStandinTitle));
  ASSERT_EQ(driver.SendHostKeys(u"x"), std::nullopt);
  EXPECT_THAT(newKeys(), ElementsAre("down X -", "char U+0078 x -", "up X -"));
  DestroyWindow(own);
}

}  // namespace
}  // namespace quillby

// The driver's keys as the stand-in host logs them, with real windows and
// input under a real user32.
#include <windows.h>
// after <windows.h>, whose types it uses
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <tlhelp32.h>

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

namespace quillby {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr wchar_t kStandinTitle[] = L"PostPet stand-in";

// Real time for the driver's waits; the date is never set from a test.
class TimeOnlyClock final : public Clock {
 public:
  LocalDateTime now() const override { return real_.now(); }
  void sleep(std::chrono::milliseconds duration) override { real_.sleep(duration); }
  ClockStatus setDate(std::chrono::year_month_day) override {
    ADD_FAILURE() << "a test set the date";
    return ClockProblem::Refused;
  }

 private:
  Win32Clock real_;
};

fs::path ownFolder() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return fs::path(path).parent_path();
}

bool inFolder(DWORD process, const fs::path& folder) {
  HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
  if (!handle) return false;
  std::wstring path(MAX_PATH, L'\0');
  DWORD size = static_cast<DWORD>(path.size());
  const bool named = QueryFullProcessImageNameW(handle, 0, path.data(), &size);
  CloseHandle(handle);
  if (!named) return false;
  path.resize(size);
  return fs::equivalent(fs::path(path).parent_path(), folder);
}

// The stand-in copies this test started from its folder, by process id.
std::vector<DWORD> standinsIn(const fs::path& folder) {
  std::vector<DWORD> found;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return found;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    if (lstrcmpiW(entry.szExeFile, L"PostPet20.EXE") == 0 &&
        inFolder(entry.th32ProcessID, folder)) {
      found.push_back(entry.th32ProcessID);
    }
  }
  CloseHandle(snapshot);
  return found;
}

class StandinHost : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy_file(ownFolder() / "standin_host.exe", folder / "PostPet20.EXE");
  }

  void TearDown() override {
    if (HWND window = FindWindowW(nullptr, kStandinTitle)) PostMessageW(window, WM_CLOSE, 0, 0);
    for (DWORD id : standinsIn(folder.path())) {
      HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id);
      if (!process) continue;
      if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the stand-in did not close";
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
      }
      CloseHandle(process);
    }
  }

  // The stand-in's key lines so far, without its start and exit lines.
  std::vector<std::string> keyLog() const {
    std::vector<std::string> lines;
    std::ifstream in(folder / "standin-keys.log", std::ios::binary);
    for (std::string line; std::getline(in, line);) {
      if (!line.starts_with("start") && line != "exit") lines.push_back(line);
    }
    return lines;
  }

  // The stand-in running in front, and its log from here on only.
  void startStandin() {
    ASSERT_EQ(driver.StartHost(), std::nullopt);
    ASSERT_EQ(driver.ActivateHost(), std::nullopt);
    skipped = keyLog().size();
  }

  std::vector<std::string> newKeys() const {
    std::vector<std::string> lines = keyLog();
    lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(skipped));
    return lines;
  }

  TempFolder folder;
  Journal journal;
  FakeFiles files{journal, folder.path()};
  Win32HostInput input;
  TimeOnlyClock clock;
  JournalDialogs dialogs{journal};
  HostDriver driver{input, files, clock};
  std::size_t skipped = 0;
};

const std::vector<std::string> kAltDown = {"down MENU alt", "down DOWN alt", "up DOWN alt",
                                           "up MENU -"};

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Alt held over Shift+letter, the way "%(" followed by two capitals types.
std::vector<std::string> altCapitals(char first, char second) {
  std::vector<std::string> lines = {"down MENU alt"};
  for (char c : {first, second}) {
    const std::string key(1, c);
    char code[8];
    std::snprintf(code, sizeof code, "%04X", static_cast<unsigned>(c));
    lines.insert(lines.end(), {"down SHIFT alt+shift", "down " + key + " alt+shift",
                               "syschar U+" + std::string(code) + " " + key + " alt+shift",
                               "up " + key + " alt+shift", "up SHIFT alt"});
  }
  lines.push_back("up MENU -");
  return lines;
}

TEST_F(StandinHost, ACommandTypesExactlyItsKeysInOrder) {
  startStandin();
  ASSERT_EQ(driver.RunHostCommand(u"%(FM)"), std::nullopt);
  EXPECT_THAT(newKeys(), ElementsAreArray(kAltDown + kAltDown + altCapitals('F', 'M')));
}

TEST_F(StandinHost, AColdStartWaitsForTheWindowAndTypesTheCommand) {
  ASSERT_EQ(FindWindowW(nullptr, kStandinTitle), nullptr);
  ASSERT_EQ(driver.RunHostCommand(u"^h"), std::nullopt);
  const std::vector<std::string> ctrlH = {"down CONTROL ctrl", "down H ctrl", "char U+0008 ctrl",
                                          "up H ctrl", "up CONTROL -"};
  const std::vector<std::string> keys = keyLog();
  ASSERT_GE(keys.size(), ctrlH.size());
  EXPECT_THAT(std::vector(keys.end() - 5, keys.end()), ElementsAreArray(ctrlH));
}

TEST_F(StandinHost, MailToAFriendTypesTheAddressAsStoredThenTab) {
  FriendTable friends;
  FriendEntry hanako;
  hanako.friendAddress = u"a+b%c{d}~e^(f)[g]@x.jp\u00e9";
  friends.rows.push_back(hanako);
  startStandin();
  mailToFriend(driver, dialogs, friends, [] { return 0; });
  EXPECT_THAT(dialogs.recorded.shown, IsEmpty());

  const std::vector<std::string> keys = newKeys();
  const std::size_t head = kAltDown.size() + altCapitals('F', 'N').size();
  ASSERT_GT(keys.size(), head + 3);
  EXPECT_THAT(std::vector(keys.begin(), keys.begin() + head),
              ElementsAreArray(kAltDown + altCapitals('F', 'N')));
  EXPECT_THAT(std::vector(keys.end() - 3, keys.end()),
              ElementsAre("down TAB -", "char U+0009 -", "up TAB -"));
  Text typed;
  for (auto line = keys.begin() + head; line != keys.end() - 3; ++line) {
    if (line->starts_with("char U+"))
      typed += static_cast<char16_t>(std::stoul(line->substr(7, 4), nullptr, 16));
    EXPECT_FALSE(line->ends_with("ctrl") || line->find("alt") != std::string::npos) << *line;
  }
  EXPECT_EQ(typed, hanako.friendAddress);
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
  runHostCommandButton(driver, dialogs, HostCommand::Inbox, u"1");
  EXPECT_THAT(journal.entries, ElementsAre("dialog QuillbyVer0.5"));
  ASSERT_EQ(dialogs.recorded.shown.size(), 1u);
  EXPECT_EQ(dialogs.recorded.shown[0].text, hostFailureMessage(HostFailure::NotStarted));
  EXPECT_EQ(FindWindowW(nullptr, kStandinTitle), nullptr);
  EXPECT_FALSE(fs::exists(folder / "standin-keys.log"));
}

TEST_F(StandinHost, ExitClosesTheHostWithAltF4) {
  startStandin();
  HWND window = FindWindowW(nullptr, kStandinTitle);
  ASSERT_NE(window, nullptr);
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
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
  SetForegroundWindow(own);
  for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&m);
  ASSERT_EQ(GetForegroundWindow(), own);

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

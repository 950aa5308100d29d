// How long PostPet's commands take to type, as users run them: on Windows, or
// here under Wine (cmake/wine-run), with the stand-in host beside this
// program as PostPet20.EXE. A warm command (受信簿, the host already running)
// from the click to its last key taken, and a mail to a friend, each against
// its floor: the same keys in one batch to the same window, until the host
// has logged the last of them. Prints median and spread of each.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "host/friend_mail.h"
#include "host/host_commands.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_host_input.h"

namespace quillby {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRounds = 15;
constexpr wchar_t kStandinTitle[] = L"PostPet stand-in";
constexpr char16_t kAddress[] = u"hiromi_2@example.jp";

class SteadyClock final : public quillby::Clock {
 public:
  LocalDateTime now() const override { return Win32Clock().now(); }
  double steadySeconds() const override { return Win32Clock().steadySeconds(); }
  void sleep(std::chrono::milliseconds duration) override { Win32Clock().sleep(duration); }
  ClockStatus setDate(std::chrono::year_month_day) override { return ClockProblem::Refused; }
};

fs::path ownFolder() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return fs::path(path).parent_path();
}

std::size_t loggedLines(const fs::path& log) {
  std::ifstream in(log, std::ios::binary);
  return static_cast<std::size_t>(std::count(std::istreambuf_iterator<char>(in), {}, '\n'));
}

bool inFront(HWND window) {
  SetForegroundWindow(window);
  const auto until = Clock::now() + std::chrono::seconds(5);
  while (GetForegroundWindow() != window) {
    if (Clock::now() > until) return false;
    waitAnswering(std::chrono::milliseconds(1));
  }
  return true;
}

void press(std::vector<INPUT>& out, WORD vk) {
  out.push_back(virtualKey(vk, false));
  out.push_back(virtualKey(vk, true));
}

void altDown(std::vector<INPUT>& out) {
  out.push_back(virtualKey(VK_MENU, false));
  press(out, VK_DOWN);
  out.push_back(virtualKey(VK_MENU, true));
}

void typed(std::vector<INPUT>& out, std::u16string_view text) {
  for (char16_t c : text) {
    const SHORT scan = VkKeyScanW(static_cast<wchar_t>(c));
    const bool shift = HIBYTE(scan) & 1;
    if (shift) out.push_back(virtualKey(VK_SHIFT, false));
    press(out, LOBYTE(scan));
    if (shift) out.push_back(virtualKey(VK_SHIFT, true));
  }
}

// Alt held over the capitals of "%(" ... ")".
void altCapitals(std::vector<INPUT>& out, std::u16string_view capitals) {
  out.push_back(virtualKey(VK_MENU, false));
  typed(out, capitals);
  out.push_back(virtualKey(VK_MENU, true));
}

std::vector<INPUT> commandFloorKeys() {
  std::vector<INPUT> keys;
  altDown(keys);
  altDown(keys);
  altCapitals(keys, u"FL");
  return keys;
}

std::vector<INPUT> mailFloorKeys() {
  std::vector<INPUT> keys;
  altDown(keys);
  altCapitals(keys, u"FN");
  typed(keys, kAddress);
  press(keys, VK_TAB);
  return keys;
}

struct Timed {
  std::function<void()> before;  // runs untimed first
  std::function<bool()> work;
};

// Milliseconds of each round of `a` and of `b`, sorted. The rounds alternate,
// so that both meet the host in the same state: how long it takes to paint
// what it has logged drifts over a run.
std::pair<std::vector<double>, std::vector<double>> time(const Timed& a, const Timed& b) {
  std::vector<double> rounds[2];
  for (int round = 0; round < kRounds; ++round) {
    for (int i = 0; i < 2; ++i) {
      const Timed& timed = i == 0 ? a : b;
      timed.before();
      const auto start = Clock::now();
      if (!timed.work()) {
        std::puts("a round failed");
        return {};
      }
      rounds[i].push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
  }
  for (auto& r : rounds) std::sort(r.begin(), r.end());
  return {rounds[0], rounds[1]};
}

void print(const char* what, const std::vector<double>& rounds) {
  if (rounds.empty()) return;
  std::printf("%-14s median %7.2f ms   min %7.2f   max %7.2f\n", what, rounds[rounds.size() / 2],
              rounds.front(), rounds.back());
}

void ratio(const char* what, const std::vector<double>& rounds, const std::vector<double>& floor,
           double target) {
  if (rounds.empty() || floor.empty()) return;
  const double times = rounds[rounds.size() / 2] / floor[floor.size() / 2];
  std::printf("%-14s %.1f times its floor (%s the target of %.0f)\n", what, times,
              times <= target ? "within" : "over", target);
}

int run() {
  const fs::path folder = ownFolder();
  const fs::path log = folder / "standin-keys.log";
  std::error_code error;
  fs::copy_file(folder / "standin_host.exe", folder / "PostPet20.EXE",
                fs::copy_options::overwrite_existing, error);
  if (!fs::exists(folder / "PostPet20.EXE")) {
    std::puts("the stand-in host is not beside this program");
    return 1;
  }
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"QuillbyKeyTiming";
  RegisterClassW(&windowClass);
  HWND own = CreateWindowExW(0, windowClass.lpszClassName, L"Quillby timing", WS_OVERLAPPEDWINDOW,
                             0, 0, 300, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
  ShowWindow(own, SW_SHOWNORMAL);

  Win32Files files;
  Win32HostInput input;
  SteadyClock clock;
  HostDriver driver(input, files, clock);
  if (driver.StartHost() || !FindWindowW(nullptr, kStandinTitle)) {
    std::puts("the stand-in host did not start");
    return 1;
  }
  const HWND host = FindWindowW(nullptr, kStandinTitle);
  const auto ours = [own] { inFront(own); };
  const auto theHost = [host] { inFront(host); };
  // Until the host has logged every line that `keys` give it.
  const auto batch = [&log](std::vector<INPUT> keys, std::size_t lines) {
    const std::size_t before = loggedLines(log);
    if (SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)) != keys.size()) {
      return false;
    }
    const auto until = Clock::now() + std::chrono::seconds(5);
    while (loggedLines(log) < before + lines) {
      if (Clock::now() > until) return false;
      SwitchToThread();
    }
    return true;
  };
  // The lines the host logs for a run of `work`.
  const auto linesOf = [&log](const std::function<void()>& before,
                              const std::function<bool()>& work) {
    before();
    const std::size_t start = loggedLines(log);
    work();
    // Until the host has logged nothing more for half a second.
    for (std::size_t seen = 0; seen != loggedLines(log);) {
      seen = loggedLines(log);
      Sleep(500);
    }
    return loggedLines(log) - start;
  };

  const auto command = [&driver] {
    return !driver.RunHostCommand(hostCommandKeys(HostCommand::Inbox));
  };
  FriendTable friends;
  friends.rows.push_back({});
  friends.rows[0].friendAddress = kAddress;
  const auto mail = [&driver, &friends] {
    const MailOutcome outcome = openMailToFriend(driver, friends, [] { return 0; });
    return !outcome.host && !outcome.untypableAddressOf;
  };
  const std::size_t commandLines = linesOf(theHost, [&] { return batch(commandFloorKeys(), 1); });
  const std::size_t mailLines = linesOf(theHost, [&] { return batch(mailFloorKeys(), 1); });

  std::printf("stand-in host; %d rounds each; the address \"hiromi_2@example.jp\"\n", kRounds);
  const auto [commands, commandFloor] =
      time({ours, command}, {theHost, [&] { return batch(commandFloorKeys(), commandLines); }});
  print("command", commands);
  print("command floor", commandFloor);
  ratio("command", commands, commandFloor, 3);
  const auto [mails, mailFloor] =
      time({ours, mail}, {theHost, [&] { return batch(mailFloorKeys(), mailLines); }});
  print("mail", mails);
  print("mail floor", mailFloor);
  ratio("mail", mails, mailFloor, 2);

  PostMessageW(host, WM_CLOSE, 0, 0);
  DestroyWindow(own);
  return 0;
}

}  // namespace
}  // namespace quillby

int main() { return quillby::run(); }

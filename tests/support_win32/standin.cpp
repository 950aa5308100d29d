#include "support_win32/standin.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <cstdio>
#include <fstream>

#include "platform/win32/win32_clock.h"

namespace quillby::test {
namespace {

namespace fs = std::filesystem;

constexpr DWORD kExitTimeoutMs = 10000;       // the longest the program waits on the host
constexpr UINT kStandinHangNow = WM_APP + 1;  // as the stand-in reads it

bool inFolder(DWORD process, const fs::path& folder) {
  HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
  if (!handle) return false;
  std::wstring path(MAX_PATH, L'\0');
  DWORD size = static_cast<DWORD>(path.size());
  const bool named = QueryFullProcessImageNameW(handle, 0, path.data(), &size);
  CloseHandle(handle);
  if (!named) return false;
  path.resize(size);
  std::error_code error;
  return fs::equivalent(fs::path(path).parent_path(), folder, error);
}

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

std::string hex4(unsigned value) {
  char code[8];
  std::snprintf(code, sizeof code, "%04X", value);
  return code;
}

}  // namespace

fs::path ownFolder() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return fs::path(path).parent_path();
}

bool installStandin(const fs::path& folder) {
  std::error_code error;
  return fs::copy_file(ownFolder() / "standin_host.exe", folder / "PostPet20.EXE", error);
}

HANDLE openStandinProcess() {
  DWORD id = 0;
  GetWindowThreadProcessId(FindWindowW(nullptr, kStandinTitle), &id);
  return id ? OpenProcess(SYNCHRONIZE, FALSE, id) : nullptr;
}

bool closeStandins(const fs::path& folder) {
  bool orderly = true;
  for (DWORD id : standinsIn(folder)) {
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id);
    if (!process) continue;
    for (HWND w = FindWindowW(nullptr, kStandinTitle); w;
         w = FindWindowExW(nullptr, w, nullptr, kStandinTitle)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(w, &owner);
      if (owner == id) PostMessageW(w, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process, kExitTimeoutMs) != WAIT_OBJECT_0) {
      orderly = false;
      TerminateProcess(process, 1);
      WaitForSingleObject(process, kExitTimeoutMs);
    }
    CloseHandle(process);
  }
  return orderly;
}

void killStandins(const fs::path& folder) {
  for (DWORD id : standinsIn(folder)) {
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id);
    if (!process) continue;
    TerminateProcess(process, 1);
    WaitForSingleObject(process, kExitTimeoutMs);
    CloseHandle(process);
  }
}

bool hangStandinNow() {
  const HWND standin = FindWindowW(nullptr, kStandinTitle);
  return standin && PostMessageW(standin, kStandinHangNow, 0, 0);
}

std::vector<std::string> standinKeys(const fs::path& folder, std::size_t skip) {
  std::vector<std::string> lines;
  std::ifstream in(folder / "standin-keys.log", std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with("start") || line == "exit" || line == "hang") continue;
    if (skip > 0) {
      --skip;
    } else {
      lines.push_back(line);
    }
  }
  return lines;
}

std::vector<std::string> altDownKeys() {
  return {"down MENU alt", "down DOWN alt", "up DOWN alt", "up MENU -"};
}

// Alt held over Shift+letter, the way "%(" followed by two capitals types.
std::vector<std::string> altCapitalKeys(char first, char second) {
  std::vector<std::string> lines = {"down MENU alt"};
  for (char c : {first, second}) {
    const std::string key(1, c);
    lines.insert(lines.end(),
                 {"down SHIFT alt+shift", "down " + key + " alt+shift",
                  "syschar U+" + hex4(static_cast<unsigned>(c)) + " " + key + " alt+shift",
                  "up " + key + " alt+shift", "up SHIFT alt"});
  }
  lines.push_back("up MENU -");
  return lines;
}

std::vector<std::string> ctrlKeys(char letter) {
  const std::string key(1, letter);
  return {"down CONTROL ctrl", "down " + key + " ctrl",
          "char U+" + hex4(static_cast<unsigned>(letter - 'A' + 1)) + " ctrl",
          "up " + key + " ctrl", "up CONTROL -"};
}

std::vector<std::string> tabKeys() { return {"down TAB -", "char U+0009 -", "up TAB -"}; }

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Text typedText(const std::vector<std::string>& lines) {
  Text typed;
  for (const std::string& line : lines) {
    if (line.starts_with("char U+"))
      typed += static_cast<char16_t>(std::stoul(line.substr(7, 4), nullptr, 16));
  }
  return typed;
}

LocalDateTime TimeOnlyClock::now() const { return Win32Clock().now(); }

double TimeOnlyClock::steadySeconds() const { return Win32Clock().steadySeconds(); }

void TimeOnlyClock::sleep(std::chrono::milliseconds duration) { Win32Clock().sleep(duration); }

ClockStatus TimeOnlyClock::setDate(std::chrono::year_month_day) {
  ADD_FAILURE() << "a test set the date";
  return ClockProblem::Refused;
}

}  // namespace quillby::test

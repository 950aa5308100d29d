#include <windows.h>

#include <cstdlib>
#include <string>

#include "crash/kill_timing.h"
#include "crash/save_child.h"

namespace quillby {
namespace {

void tellParent(char what) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), &what, 1, &written, nullptr);
}

std::wstring ownPath() {
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path;
}

}  // namespace

int childMain(const char* folder, const char* round) {
  return saveInChild(folder, std::atoi(round), tellParent);
}

ChildOutcome runSaveChild(const std::filesystem::path& folder, int round,
                          std::optional<double> killAfter) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE fromChild = nullptr;
  HANDLE toParent = nullptr;
  if (!CreatePipe(&fromChild, &toParent, &inherit, 0)) std::abort();
  SetHandleInformation(fromChild, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = toParent;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  const std::wstring program = ownPath();
  std::wstring command =
      L"\"" + program + L"\" child \"" + folder.wstring() + L"\" " + std::to_wstring(round);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::abort();
  }
  CloseHandle(toParent);
  ChildOutcome outcome;
  char told = 0;
  DWORD got = 0;
  outcome.aboutToSave =
      ReadFile(fromChild, &told, 1, &got, nullptr) && got == 1 && told == kAboutToSave;
  const auto start = Steady::now();
  if (outcome.aboutToSave && killAfter) {
    waitUntil(start, *killAfter);
    TerminateProcess(process.hProcess, 9);
  }
  // Killed, the child has told all it will once it has ended.
  if (killAfter) WaitForSingleObject(process.hProcess, INFINITE);
  DWORD waiting = 1;
  if (killAfter) PeekNamedPipe(fromChild, nullptr, 0, nullptr, &waiting, nullptr);
  outcome.saved =
      waiting > 0 && ReadFile(fromChild, &told, 1, &got, nullptr) && got == 1 && told == kSaved;
  outcome.seconds = secondsSince(start);
  if (!killAfter) WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CloseHandle(fromChild);
  return outcome;
}

}  // namespace quillby

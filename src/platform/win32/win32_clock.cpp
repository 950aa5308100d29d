#include "platform/win32/win32_clock.h"

#include <windows.h>

#include <algorithm>
#include <cmath>

namespace quillby {
namespace {

// Enables the right to set the system time while it lives, then puts the
// token back as it was.
class SystemTimePrivilege {
 public:
  SystemTimePrivilege() {
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token_)) {
      token_ = nullptr;
      return;
    }
    TOKEN_PRIVILEGES wanted{};
    wanted.PrivilegeCount = 1;
    wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueW(nullptr, SE_SYSTEMTIME_NAME, &wanted.Privileges[0].Luid)) return;
    DWORD size = sizeof(previous_);
    // Succeeds also when the account lacks the right; only the last error says so.
    if (!AdjustTokenPrivileges(token_, FALSE, &wanted, sizeof(previous_), &previous_, &size)) {
      return;
    }
    enabled_ = GetLastError() == ERROR_SUCCESS;
  }
  ~SystemTimePrivilege() {
    if (enabled_) AdjustTokenPrivileges(token_, FALSE, &previous_, 0, nullptr, nullptr);
    if (token_) CloseHandle(token_);
  }
  SystemTimePrivilege(const SystemTimePrivilege&) = delete;
  SystemTimePrivilege& operator=(const SystemTimePrivilege&) = delete;

  bool enabled() const { return enabled_; }

 private:
  HANDLE token_ = nullptr;
  TOKEN_PRIVILEGES previous_{};
  bool enabled_ = false;
};

// Minutes between local time and UTC at that local time.
long long utcOffsetAt(const SYSTEMTIME& local) {
  SYSTEMTIME utc;
  FILETIME localFile;
  FILETIME utcFile;
  if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) ||
      !SystemTimeToFileTime(&local, &localFile) || !SystemTimeToFileTime(&utc, &utcFile)) {
    return 0;
  }
  const auto ticks = [](const FILETIME& f) {
    return static_cast<long long>((ULONGLONG(f.dwHighDateTime) << 32) | f.dwLowDateTime);
  };
  return (ticks(localFile) - ticks(utcFile)) / (60LL * 10'000'000LL);
}

ClockProblem problemFromLastError() {
  return GetLastError() == ERROR_PRIVILEGE_NOT_HELD ? ClockProblem::NoPrivilege
                                                    : ClockProblem::Refused;
}

// Peeking handles the messages sent to us; paint messages are dispatched.
void answerWaiting() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT)) {
    DispatchMessageW(&message);
  }
}

}  // namespace

LocalDateTime Win32Clock::now() const {
  SYSTEMTIME t;
  GetLocalTime(&t);
  const std::chrono::year_month_day date{std::chrono::year{t.wYear}, std::chrono::month{t.wMonth},
                                         std::chrono::day{t.wDay}};
  return {date, t.wHour * 3600.0 + t.wMinute * 60.0 + t.wSecond + t.wMilliseconds / 1000.0};
}

double Win32Clock::steadySeconds() const {
  LARGE_INTEGER count;
  LARGE_INTEGER frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Win32Clock::sleep(std::chrono::milliseconds duration) {
  const double until = steadySeconds() + static_cast<double>(duration.count()) / 1000;
  for (double now = steadySeconds(); now < until; now = steadySeconds()) {
    waitAnswering(
        std::chrono::milliseconds(static_cast<long long>(std::ceil((until - now) * 1000))));
  }
}

void waitAnswering(std::chrono::milliseconds duration, void* event) {
  const DWORD ms = static_cast<DWORD>(std::clamp<long long>(duration.count(), 1, INFINITE - 1));
  HANDLE handles[] = {event};
  MsgWaitForMultipleObjects(event ? 1 : 0, event ? handles : nullptr, FALSE, ms,
                            QS_SENDMESSAGE | QS_PAINT);
  answerWaiting();
}

void yieldAnswering() {
  SwitchToThread();
  answerWaiting();
}

ClockStatus Win32Clock::setDate(std::chrono::year_month_day date) {
  if (!date.ok() || date.year() < std::chrono::year{1601} ||
      date.year() > std::chrono::year{30827}) {
    return ClockProblem::Refused;
  }
  SystemTimePrivilege privilege;
  if (!privilege.enabled()) return ClockProblem::NoPrivilege;

  SYSTEMTIME before;
  GetLocalTime(&before);
  SYSTEMTIME moved = before;
  moved.wYear = static_cast<WORD>(static_cast<int>(date.year()));
  moved.wMonth = static_cast<WORD>(static_cast<unsigned>(date.month()));
  moved.wDay = static_cast<WORD>(static_cast<unsigned>(date.day()));
  moved.wDayOfWeek = 0;  // ignored by SetLocalTime

  if (!SetLocalTime(&moved)) return problemFromLastError();
  // The first call converted with the daylight-saving rule of the old date;
  // across a change the second one converts with the new one. The date has
  // moved even when the second one fails.
  if (utcOffsetAt(before) != utcOffsetAt(moved) && !SetLocalTime(&moved)) {
    return ClockProblem::DaylightStep;
  }
  return std::nullopt;
}

}  // namespace quillby

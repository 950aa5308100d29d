#pragma once

// The stand-in host under its host name in a test's program folder, its key
// log, and the log lines that the keystroke strings give.
#include <windows.h>

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "model/text.h"
#include "platform/clock.h"

namespace quillby::test {

constexpr wchar_t kStandinTitle[] = L"PostPet stand-in";

// The folder of the running test program, where the build puts the stand-in.
std::filesystem::path ownFolder();

// Copies the stand-in into `folder` as "PostPet20.EXE".
bool installStandin(const std::filesystem::path& folder);

// The process of the stand-in's window, opened to wait for its end; null
// when there is none. The caller closes the handle.
HANDLE openStandinProcess();

// Closes every stand-in started from `folder` and waits for each to end, so
// that the folder can go; false when one had to be killed.
bool closeStandins(const std::filesystem::path& folder);

// Ends every stand-in started from `folder` by its process id at once, as a
// hung one will not close.
void killStandins(const std::filesystem::path& folder);

// Makes the running stand-in stop handling messages from now on; false when
// there is none.
bool hangStandinNow();

// The key lines the stand-in in `folder` has logged, without its start, hang
// and exit lines (a second start logs one too, and exits); the first `skip`
// left out.
std::vector<std::string> standinKeys(const std::filesystem::path& folder, std::size_t skip = 0);

// The lines of the stand-in's log for a key string:
std::vector<std::string> altDownKeys();                            // "%{DOWN}"
std::vector<std::string> altCapitalKeys(char first, char second);  // "%(FM)"
std::vector<std::string> ctrlKeys(char letter);                    // "^h": the letter in capitals
std::vector<std::string> tabKeys();                                // "{TAB}"

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b);

// The characters that the "char" lines of `lines` typed, in order.
Text typedText(const std::vector<std::string>& lines);

// Real time for the host driver's waits; the date is never set from a test.
class TimeOnlyClock : public Clock {
 public:
  LocalDateTime now() const override;
  double steadySeconds() const override;
  void sleep(std::chrono::milliseconds duration) override;
  ClockStatus setDate(std::chrono::year_month_day) override;
};

// Real time; the dates set are only recorded.
class DateRecordingClock final : public TimeOnlyClock {
 public:
  ClockStatus setDate(std::chrono::year_month_day date) override {
    dates.push_back(date);
    return std::nullopt;
  }

  std::vector<std::chrono::year_month_day> dates;
};

}  // namespace quillby::test

#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "host/host_driver.h"
#include "host/key_notation.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/host_input.h"
#include "support/recording_dialogs.h"

namespace quillby {

std::string utf8(TextView text);
std::string describe(std::span<const KeyEvent> keys);    // "+alt {DOWN} -alt"
std::string dateText(std::chrono::year_month_day date);  // "2026-12-07"

// Expected journal entries.
std::string sentEntry(TextView notation);  // the send of these keys
inline std::string setDateEntry(std::chrono::year_month_day date) {
  return "setDate " + dateText(date);
}

struct InjectedFault {};

// Every operation of the fakes below in the order they happened. The
// operations that can fail are counted, so that a test can fail or throw in
// any one of them.
struct Journal {
  std::vector<std::string> entries;
  std::optional<std::size_t> failAt;   // which fallible operation fails
  std::optional<std::size_t> throwAt;  // which one throws InjectedFault
  std::size_t fallible = 0;
  std::optional<std::string> failed;  // the entry that failed
  // Runs after each fallible operation is recorded, as whatever the program
  // does meanwhile (a key the user pressed, handed out while keys are sent).
  std::function<void()> meanwhile;

  // Records a fallible operation; false when it is the one to fail.
  bool operation(std::string entry);
  void note(std::string entry) { entries.push_back(std::move(entry)); }
  std::size_t count(const std::string& entry) const;
};

// A clock that only pretends: setDate moves its own calendar, time moves when
// told or slept through. Its steady seconds start at the time of day it is
// set to and move only with time.
class FakeClock final : public Clock {
 public:
  FakeClock(Journal& journal, std::chrono::year_month_day date, double secondsOfDay)
      : journal_(journal), now_{date, secondsOfDay}, steady_(secondsOfDay) {}

  LocalDateTime now() const override { return now_; }
  double steadySeconds() const override { return steady_; }
  void sleep(std::chrono::milliseconds duration) override;
  ClockStatus setDate(std::chrono::year_month_day date) override;

  void reset(std::chrono::year_month_day date, double secondsOfDay) {
    now_ = {date, secondsOfDay};
    steady_ = secondsOfDay;
    slept_ = 0;
  }
  void advance(double seconds);  // across midnight too
  // Something else sets the computer's clock by `seconds`; no time passes.
  void jump(double seconds);
  double slept() const { return slept_; }

  ClockProblem failure = ClockProblem::Refused;  // how an injected failure looks

 private:
  void moveWallClock(double seconds);

  Journal& journal_;
  LocalDateTime now_;
  double steady_;
  double slept_ = 0;
};

// The host as a recording: which program was started, which window activated,
// which keys sent. Each send takes `secondsPerSend` on the clock, if any. A
// hung host keeps each activation and send waiting for the patience it is
// given, at most the five seconds the real platform waits, then fails it.
class FakeHostInput final : public HostInput {
 public:
  explicit FakeHostInput(Journal& journal, FakeClock* clock = nullptr, double secondsPerSend = 0)
      : secondsPerSend(secondsPerSend), journal_(journal), clock_(clock) {}

  bool start(const std::filesystem::path& program, StartOutcome outcome) override;
  bool windowExists(TextView title) const override;
  Activation activate(TextView title, std::chrono::milliseconds patience) override;
  bool send(std::span<const KeyEvent> keys, std::chrono::milliseconds patience) override;

  double secondsPerSend;
  bool hung = false;
  bool running = true;        // a host window exists
  int windowAfterChecks = 0;  // once started, the window shows after this many checks
  mutable int checks = 0;

 private:
  Journal& journal_;
  void waitInVain(std::chrono::milliseconds patience);

  FakeClock* clock_;
  bool started_ = false;
};

// The program folder and the current directory; nothing else is used here.
class FakeFiles final : public Files {
 public:
  FakeFiles(Journal& journal, std::filesystem::path folder)
      : journal_(journal), folder_(std::move(folder)) {}

  std::filesystem::path programFolder() const override { return folder_; }
  FileStatus setCurrentDirectory(const std::filesystem::path& folder) override;
  bool exists(const std::filesystem::path&) const override { return false; }
  Result<Bytes, FileError> readAll(const std::filesystem::path&) const override {
    return FileError{FileProblem::NotFound};
  }
  FileStatus writeAtomic(const std::filesystem::path&, BytesView) override {
    return FileError{FileProblem::AccessDenied};
  }
  FileStatus writeTemporary(const std::filesystem::path&, BytesView,
                            const std::filesystem::path&) override {
    return FileError{FileProblem::AccessDenied};
  }
  FileStatus move(const std::filesystem::path&, const std::filesystem::path&) override {
    return FileError{FileProblem::AccessDenied};
  }
  FileStatus makeFolder(const std::filesystem::path&) override {
    return FileError{FileProblem::AccessDenied};
  }
  Result<std::vector<std::filesystem::path>, FileError> listFolder(
      const std::filesystem::path&) const override {
    return FileError{FileProblem::NotFound};
  }
  FileStatus remove(const std::filesystem::path&) override {
    return FileError{FileProblem::AccessDenied};
  }

 private:
  Journal& journal_;
  std::filesystem::path folder_;
};

// Answers as RecordingDialogs does and notes each box in the journal.
class JournalDialogs final : public Dialogs {
 public:
  explicit JournalDialogs(Journal& journal) : journal_(journal) {}
  DialogAnswer show(const DialogRequest& request) override {
    journal_.note("dialog " + utf8(request.title));
    return recorded.show(request);
  }
  RecordingDialogs recorded;

 private:
  Journal& journal_;
};

// The driver on fakes, at noon on 7 December 2026, every send taking half a
// second; PostPet runs in "/prog".
struct HostRig {
  static constexpr const char* kStart = "start /prog/PostPet20.EXE";
  static constexpr const char* kEnterFolder = "cd /prog";
  static constexpr const char* kActivate = "activate Post";

  Journal journal;
  FakeClock clock{journal, std::chrono::year{2026} / 12 / 7, 12 * 3600.0};
  FakeHostInput input{journal, &clock, 0.5};
  FakeFiles files{journal, "/prog"};
  JournalDialogs dialogs{journal};
  HostDriver driver{input, files, clock};

  const std::vector<DialogRequest>& shown() const { return dialogs.recorded.shown; }
};

}  // namespace quillby

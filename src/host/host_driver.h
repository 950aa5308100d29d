#pragma once

#include <chrono>
#include <optional>

#include "host/key_notation.h"
#include "model/text.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/host_input.h"

namespace quillby {

enum class HostFailure {
  NotStarted,    // the executable could not be started
  NoWindow,      // no window of it could be brought to the front
  NotSent,       // the keys did not go out or were not taken
  NotAnswering,  // its window does not answer, or time ran out waiting for it
  NoFolder,      // the program's folder could not be made current
  BadKeys,       // a keystroke string that does not parse
};

using HostStatus = std::optional<HostFailure>;  // nullopt: done

// Drives the host mail program from outside, as a user at the keyboard would.
// Holds nothing between calls: the host is started again for every command.
class HostDriver {
 public:
  static constexpr TextView kProgram = u"PostPet20.EXE";
  static constexpr TextView kWindowTitle = u"Post";

  HostDriver(HostInput& input, Files& files, Clock& clock)
      : input_(input), files_(files), clock_(clock) {}

  // Starts the executable beside our own. After a cold start (no host window
  // before) it waits up to 10 seconds for the window to appear.
  HostStatus StartHost();
  HostStatus ActivateHost();
  // Returns once the focused window has handled every key.
  HostStatus SendHostKeys(TextView keys);
  HostStatus EnterProgramFolder();
  // Start, Alt+Down twice, program folder, activation, then `keys`. A
  // malformed `keys` fails before anything is started.
  HostStatus RunHostCommand(TextView keys);

 private:
  friend class HostTimeLimit;

  HostStatus send(const KeySequence& keys);
  // How long the next step may wait on the host; zero once the limit is past.
  std::chrono::milliseconds patience() const;

  HostInput& input_;
  Files& files_;
  Clock& clock_;
  std::optional<double> until_;  // on the clock's steady seconds
};

// While this lives, every step of `driver` gives up `seconds` from now at the
// latest, whatever the host does.
class HostTimeLimit {
 public:
  HostTimeLimit(HostDriver& driver, double seconds);
  ~HostTimeLimit() { driver_.until_ = previous_; }
  HostTimeLimit(const HostTimeLimit&) = delete;
  HostTimeLimit& operator=(const HostTimeLimit&) = delete;

 private:
  HostDriver& driver_;
  std::optional<double> previous_;
};

}  // namespace quillby

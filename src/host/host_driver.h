#pragma once

#include <optional>

#include "host/key_notation.h"
#include "model/text.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/host_input.h"

namespace quillby {

enum class HostFailure {
  NotStarted,  // the executable could not be started
  NoWindow,    // no window of it could be brought to the front
  NotSent,     // the keys did not go out or were not taken
  NoFolder,    // the program's folder could not be made current
  BadKeys,     // a keystroke string that does not parse
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
  HostStatus send(const KeySequence& keys);

  HostInput& input_;
  Files& files_;
  Clock& clock_;
};

// What to tell the user when a host step failed.
Text hostFailureMessage(HostFailure failure);
// Shows that message when `status` holds a failure.
void reportHostFailure(Dialogs& dialogs, const HostStatus& status);

// A box that tells of a failure, with the program's title and an OK button.
DialogRequest problemBox(Text text);

}  // namespace quillby

#pragma once

#include "host/host_driver.h"
#include "model/text.h"

namespace quillby {

// The PostPet buttons that run one keystroke string through RunHostCommand.
enum class HostCommand {
  MailCheck,  // Command4 of both windows, asks first
  Inbox,      // Command5 of both windows
  Snack,      // Command6 of both windows
  Bath,       // Command1 of the compact window
  HowAreYou,  // Command7 of the compact window
};

TextView hostCommandKeys(HostCommand command);

// Closes the host at exit: activation and Alt+F4, without starting it first.
// NoWindow when the host is not running; the exit goes on regardless. Gives
// up after 3 seconds, whatever the host does.
HostStatus closeHost(HostDriver& driver);

}  // namespace quillby

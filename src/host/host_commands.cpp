#include "host/host_commands.h"

namespace quillby {
namespace {

// The program is leaving: what the host does with Alt+F4 may not keep it.
constexpr double kCloseSeconds = 3;

}  // namespace

TextView hostCommandKeys(HostCommand command) {
  switch (command) {
    case HostCommand::MailCheck:
      return u"%(FM)";
    case HostCommand::Inbox:
      return u"%(FL)";
    case HostCommand::Snack:
      return u"^h";
    case HostCommand::Bath:
      return u"^9";
    case HostCommand::HowAreYou:
      return u"^i";
  }
  return {};
}

HostStatus closeHost(HostDriver& driver) {
  const HostTimeLimit limit(driver, kCloseSeconds);
  if (auto failure = driver.ActivateHost()) return failure;
  return driver.SendHostKeys(u"%({F4})");
}

}  // namespace quillby

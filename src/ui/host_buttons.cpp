#include "ui/host_buttons.h"

#include "host/friend_mail.h"
#include "ui/messages.h"

namespace quillby {
namespace {

constexpr int kEnter = 13;

// True when the user may go on: always when the hint is skipped, else only
// when `question` is answered OK.
bool confirmConnection(Dialogs& dialogs, const DialogRequest& question, ConnectionHint hint) {
  return hint == ConnectionHint::Skip || dialogs.show(question) == DialogAnswer::Ok;
}

void reportHostFailure(Dialogs& dialogs, const HostStatus& status) {
  if (status) dialogs.show(problemBox(hostFailureMessage(*status)));
}

}  // namespace

void runHostCommandButton(HostDriver& driver, Dialogs& dialogs, HostCommand command,
                          ConnectionHint hint) {
  if (command == HostCommand::MailCheck && !confirmConnection(dialogs, mailCheckQuestion(), hint)) {
    return;
  }
  reportHostFailure(dialogs, driver.RunHostCommand(hostCommandKeys(command)));
}

void callPetBack(HostDriver& driver, Clock& clock, Dialogs& dialogs, ConnectionHint hint,
                 const ShowCountdown& showCountdown) {
  if (!confirmConnection(dialogs, recallQuestion(), hint)) return;
  const RecallOutcome outcome = recallPet(driver, clock, showCountdown);
  if (outcome.dateNotMoved) {
    dialogs.show(problemBox(dateNotMovedMessage(*outcome.dateNotMoved)));
    return;
  }
  reportHostFailure(dialogs, outcome.host);
  if (outcome.timeMaybeOff) {
    dialogs.show(problemBox(timeMaybeOffMessage()));
  } else if (outcome.dateNotRestored) {
    dialogs.show(problemBox(dateNotRestoredMessage(*outcome.dateNotRestored)));
  }
}

void mailToFriend(HostDriver& driver, Dialogs& dialogs, const FriendTable& friends,
                  const std::function<int()>& listIndex) {
  const MailOutcome outcome = openMailToFriend(driver, friends, listIndex);
  if (outcome.untypableAddressOf) {
    dialogs.show(problemBox(untypableAddressMessage(*outcome.untypableAddressOf)));
  }
  reportHostFailure(dialogs, outcome.host);
}

void mailToFriendKeyPress(int keyAscii, HostDriver& driver, Dialogs& dialogs,
                          const FriendTable& friends, const std::function<int()>& listIndex) {
  if (keyAscii == kEnter) mailToFriend(driver, dialogs, friends, listIndex);
}

ConnectionHint HostButtons::hint() const {
  return settings_.showsConnectionHint() ? ConnectionHint::Show : ConnectionHint::Skip;
}

void HostButtons::runAlone(const std::function<void(HostDriver&)>& action) {
  if (running_) return;
  running_ = true;
  struct Done {
    bool& running;
    ~Done() { running = false; }
  } done{running_};
  action(driver_);
}

void HostButtons::bind(std::initializer_list<CommandButton> buttons) {
  for (const CommandButton& row : buttons) {
    row.button.onClick = [this, command = row.command] { this->command(command); };
  }
}

void HostButtons::command(HostCommand command) {
  runAlone([&](HostDriver& driver) { runHostCommandButton(driver, s_.dialogs, command, hint()); });
}

void HostButtons::callBack() {
  runAlone([this](HostDriver& driver) {
    callPetBack(driver, s_.clock, s_.dialogs, hint(), [this](const Text& text) {
      countdown_.setCaption(text);
      form_.refresh();
    });
  });
}

void HostButtons::mail(const FriendTable& friends, const ListBox& list) {
  runAlone([&](HostDriver& driver) {
    mailToFriend(driver, s_.dialogs, friends, [&list] { return list.listIndex(); });
  });
}

void HostButtons::mailKey(char16_t keyAscii, const FriendTable& friends, const ListBox& list) {
  runAlone([&](HostDriver& driver) {
    mailToFriendKeyPress(keyAscii, driver, s_.dialogs, friends,
                         [&list] { return list.listIndex(); });
  });
}

}  // namespace quillby

#include "ui/host_buttons.h"

#include "host/friend_mail.h"
#include "ui/messages.h"

namespace quillby {
namespace {

constexpr int kEnter = 13;

// True when the user may go on: always, unless `noConnCheckFlag` is exactly
// "0"; then only when `question` is answered OK.
bool confirmConnection(Dialogs& dialogs, const DialogRequest& question, TextView noConnCheckFlag) {
  return noConnCheckFlag != u"0" || dialogs.show(question) == DialogAnswer::Ok;
}

void reportHostFailure(Dialogs& dialogs, const HostStatus& status) {
  if (status) dialogs.show(problemBox(hostFailureMessage(*status)));
}

}  // namespace

void runHostCommandButton(HostDriver& driver, Dialogs& dialogs, HostCommand command,
                          TextView noConnCheckFlag) {
  if (command == HostCommand::MailCheck &&
      !confirmConnection(dialogs, mailCheckQuestion(), noConnCheckFlag)) {
    return;
  }
  reportHostFailure(dialogs, driver.RunHostCommand(hostCommandKeys(command)));
}

void callPetBack(HostDriver& driver, Clock& clock, Dialogs& dialogs, TextView noConnCheckFlag,
                 const ShowCountdown& showCountdown) {
  if (!confirmConnection(dialogs, recallQuestion(), noConnCheckFlag)) return;
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

Text HostButtons::noConnCheckFlag() const {
  const auto& flag = settings_.noConnCheckFlag;
  return Text(flag.begin(), flag.end());  // digits only
}

// While keys go to our own window, the keys the user pressed meanwhile are
// handed out too; an action they start would mix its keys into this one's, so
// it is dropped.
template <class Action>
void HostButtons::runAlone(Action action) {
  if (running_) return;
  running_ = true;
  struct Done {
    bool& running;
    ~Done() { running = false; }
  } done{running_};
  action();
}

void HostButtons::command(HostCommand command) {
  runAlone([&] { runHostCommandButton(driver_, s_.dialogs, command, noConnCheckFlag()); });
}

void HostButtons::callBack() {
  runAlone([this] {
    callPetBack(driver_, s_.clock, s_.dialogs, noConnCheckFlag(), [this](const Text& text) {
      countdown_.setCaption(text);
      form_.refresh();
    });
  });
}

void HostButtons::mail(const FriendTable& friends, const ListBox& list) {
  runAlone(
      [&] { mailToFriend(driver_, s_.dialogs, friends, [&list] { return list.listIndex(); }); });
}

void HostButtons::exit(SettingsValues& settings, ExitingWindow exiting, WindowId window,
                       const std::function<void()>& endProgram) {
  runAlone([&] { runExitSequence(s_, driver_, settings, exiting, window, endProgram); });
}

void HostButtons::mailKey(char16_t keyAscii, const FriendTable& friends, const ListBox& list) {
  runAlone([&] {
    mailToFriendKeyPress(keyAscii, driver_, s_.dialogs, friends,
                         [&list] { return list.listIndex(); });
  });
}

}  // namespace quillby

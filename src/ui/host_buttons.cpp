#include "ui/host_buttons.h"

#include "host/friend_mail.h"
#include "host/pet_recall.h"

namespace quillby {

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

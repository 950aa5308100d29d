#include "ui/host_buttons.h"

#include "host/friend_mail.h"
#include "host/pet_recall.h"

namespace quillby {

Text HostButtons::noConnCheckFlag() const {
  const auto& flag = settings_.noConnCheckFlag;
  return Text(flag.begin(), flag.end());  // digits only
}

void HostButtons::command(HostCommand command) {
  runHostCommandButton(driver_, s_.dialogs, command, noConnCheckFlag());
}

void HostButtons::callBack() {
  callPetBack(driver_, s_.clock, s_.dialogs, noConnCheckFlag(), [this](const Text& text) {
    countdown_.setCaption(text);
    form_.refresh();
  });
}

void HostButtons::mail(const FriendTable& friends, const ListBox& list) {
  mailToFriend(driver_, s_.dialogs, friends, [&list] { return list.listIndex(); });
}

void HostButtons::mailKey(char16_t keyAscii, const FriendTable& friends, const ListBox& list) {
  mailToFriendKeyPress(keyAscii, driver_, s_.dialogs, friends,
                       [&list] { return list.listIndex(); });
}

}  // namespace quillby

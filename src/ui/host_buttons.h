#pragma once

#include <functional>
#include <initializer_list>

#include "controls/controls.h"
#include "controls/form.h"
#include "formats/settings_file.h"
#include "host/host_commands.h"
#include "host/host_driver.h"
#include "host/pet_recall.h"
#include "model/friend_table.h"
#include "ui/services.h"

namespace quillby {

// Whether the mail check and the recall first ask for a connection.
enum class ConnectionHint { Skip, Show };

// The host's sequences as a click runs them: the question first where there
// is one, then the sequence, then what went wrong, in words.
void runHostCommandButton(HostDriver& driver, Dialogs& dialogs, HostCommand command,
                          ConnectionHint hint);
// The recall's question comes before the date moves; failures are told after
// the date is back.
void callPetBack(HostDriver& driver, Clock& clock, Dialogs& dialogs, ConnectionHint hint,
                 const ShowCountdown& showCountdown);
void mailToFriend(HostDriver& driver, Dialogs& dialogs, const FriendTable& friends,
                  const std::function<int()>& listIndex);
// A key typed in the list: Enter (13) mails the friend, other keys do nothing.
void mailToFriendKeyPress(int keyAscii, HostDriver& driver, Dialogs& dialogs,
                          const FriendTable& friends, const std::function<int()>& listIndex);

// A window's button and the command a click on it runs.
struct CommandButton {
  Button& button;
  HostCommand command;
};

// The PostPet buttons and the mail to a friend, as both windows run them, one
// at a time: each window has its own driver, its own no-connection-check
// value, its own countdown label and its own friends.
class HostButtons {
 public:
  HostButtons(Services& services, const SettingsValues& settings, Form& form, Label& countdown)
      : s_(services),
        settings_(settings),
        form_(form),
        countdown_(countdown),
        driver_(services.input, services.files, services.clock) {}

  // Each click on a button runs its command.
  void bind(std::initializer_list<CommandButton> buttons);
  void callBack();
  void mail(const FriendTable& friends, const ListBox& list);
  void mailKey(char16_t keyAscii, const FriendTable& friends, const ListBox& list);

  // Runs `action` with this window's driver, unless another of this window's
  // host actions is under way: the keys the user pressed meanwhile are handed
  // out while keys go to our own window, and an action they start would mix
  // its keys into the running one's, so it is dropped.
  void runAlone(const std::function<void(HostDriver&)>& action);

 private:
  void command(HostCommand command);
  ConnectionHint hint() const;

  Services& s_;
  const SettingsValues& settings_;
  Form& form_;
  Label& countdown_;
  HostDriver driver_;
  bool running_ = false;
};

}  // namespace quillby

#pragma once

#include "controls/controls.h"
#include "controls/form.h"
#include "formats/settings_file.h"
#include "host/host_commands.h"
#include "host/host_driver.h"
#include "host/pet_recall.h"
#include "model/friend_table.h"
#include "ui/exit_sequence.h"
#include "ui/services.h"

namespace quillby {

// The host's sequences as a click runs them: the question first where there
// is one, then the sequence, then what went wrong, in words.
void runHostCommandButton(HostDriver& driver, Dialogs& dialogs, HostCommand command,
                          TextView noConnCheckFlag);
// The recall's question comes before the date moves; failures are told after
// the date is back.
void callPetBack(HostDriver& driver, Clock& clock, Dialogs& dialogs, TextView noConnCheckFlag,
                 const ShowCountdown& showCountdown);
void mailToFriend(HostDriver& driver, Dialogs& dialogs, const FriendTable& friends,
                  const std::function<int()>& listIndex);
// A key typed in the list: Enter (13) mails the friend, other keys do nothing.
void mailToFriendKeyPress(int keyAscii, HostDriver& driver, Dialogs& dialogs,
                          const FriendTable& friends, const std::function<int()>& listIndex);

// The PostPet buttons, the mail to a friend and the exit, as both windows run
// them, one at a time: each window has its own driver, its own
// no-connection-check value, its own countdown label and its own friends.
class HostButtons {
 public:
  HostButtons(Services& services, const SettingsValues& settings, Form& form, Label& countdown)
      : s_(services),
        settings_(settings),
        form_(form),
        countdown_(countdown),
        driver_(services.input, services.files, services.clock) {}

  void command(HostCommand command);
  void callBack();
  void mail(const FriendTable& friends, const ListBox& list);
  void mailKey(char16_t keyAscii, const FriendTable& friends, const ListBox& list);

  // The exit sequence from this window, which closes PostPet if so chosen.
  void exit(SettingsValues& settings, ExitingWindow exiting, WindowId window,
            const std::function<void()>& endProgram);

 private:
  Text noConnCheckFlag() const;
  template <class Action>
  void runAlone(Action action);

  Services& s_;
  const SettingsValues& settings_;
  Form& form_;
  Label& countdown_;
  HostDriver driver_;
  bool running_ = false;
};

}  // namespace quillby

#pragma once

#include "controls/controls.h"
#include "controls/form.h"
#include "formats/settings_file.h"
#include "host/host_commands.h"
#include "host/host_driver.h"
#include "model/friend_table.h"
#include "ui/services.h"

namespace quillby {

// The PostPet buttons and the mail to a friend, as both windows run them: each
// window has its own driver, its own no-connection-check value, its own
// countdown label and its own friends.
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

  HostDriver& driver() { return driver_; }

 private:
  Text noConnCheckFlag() const;

  Services& s_;
  const SettingsValues& settings_;
  Form& form_;
  Label& countdown_;
  HostDriver driver_;
};

}  // namespace quillby

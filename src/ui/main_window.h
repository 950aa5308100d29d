#pragma once

#include "editing/friend_list_editing.h"
#include "formats/settings_file.h"
#include "host/host_driver.h"
#include "model/friend_table.h"
#include "ui/main_layout.h"
#include "ui/services.h"

namespace quillby {

// The start-up window: the friend list with its six fields, save, the host
// commands and the options.
class Main {
 public:
  explicit Main(Services& services);
  Main(const Main&) = delete;
  Main& operator=(const Main&) = delete;

  // Reads the settings and the friends. False when the friend book cannot be
  // used: the user has been told why, and the program must end.
  bool Form_Load();

  MainControls c;
  const FriendTable& table() const { return table_; }
  const SettingsValues& settings() const { return settings_; }

  void Command1_Click();  // save
  void Command2_Click();  // call the pet back
  void Command4_Click();  // mail check
  void Command5_Click();  // inbox
  void Command6_Click();  // snack
  void List1_DblClick();
  void List1_KeyPress(char16_t keyAscii);
  void Check1_Click();
  void Check2_Click();
  void Check3_Click();
  void Label10_Click();
  void Label11_Click();

 private:
  void connect();
  void applySettings();
  Text noConnCheckFlag() const;
  int selectedIndex() const { return c.List1.listIndex(); }

  Services& s_;
  FriendTable table_;
  SettingsValues settings_;
  HostDriver driver_;
  FriendListEditing editing_;
};

}  // namespace quillby

#pragma once

#include <functional>

#include "formats/settings_file.h"
#include "model/friend_table.h"
#include "ui/host_buttons.h"
#include "ui/services.h"
#include "ui/small_layout.h"

namespace quillby {

// The compact window: the friends' names, the PostPet commands and two
// options. It reads the settings and the friend book once, at its own load,
// and shares nothing with the main window afterwards.
class SmallForm {
 public:
  // `mainForm` is shown again by expand; `endProgram` ends the run.
  SmallForm(Services& services, Form& mainForm, std::function<void()> endProgram);
  SmallForm(const SmallForm&) = delete;
  SmallForm& operator=(const SmallForm&) = delete;

  // A friend book that cannot be read is told and leaves the list empty.
  void Form_Load();

  SmallControls c;
  const FriendTable& table() const { return compactTable_; }
  const SettingsValues& settings() const { return settings_; }

  void Command2_Click();  // call the pet back
  void Command3_Click();  // exit
  void List1_DblClick();
  void List1_KeyPress(char16_t keyAscii);
  void Check1_Click();
  void Check2_Click();
  void Label10_Click();
  void Label2_Click();
  void expand_Click();
  void Form_MouseDown();
  void Label1_MouseDown();

 private:
  void connect();
  void fillList();

  WindowDialogs dialogs_;
  Services s_;  // with this window's boxes
  Form& mainForm_;
  std::function<void()> endProgram_;
  FriendTable compactTable_;
  SettingsValues settings_;
  HostButtons host_;
};

}  // namespace quillby

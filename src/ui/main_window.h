#pragma once

#include <functional>
#include <memory>

#include "editing/friend_list_editing.h"
#include "formats/settings_file.h"
#include "model/friend_table.h"
#include "ui/host_buttons.h"
#include "ui/main_layout.h"
#include "ui/services.h"
#include "ui/small_window.h"

namespace quillby {

// What only the program's owner can do. Left empty, as in tests, the compact
// window stays in memory and ending the program does nothing.
struct ProgramHooks {
  // Gives the compact window its real window before it loads; false when the
  // system refuses one.
  std::function<bool(SmallForm&)> buildCompact;
  std::function<void()> endProgram;
};

// The start-up window: the friend list with its six fields, save, the host
// commands and the options.
class Main {
 public:
  explicit Main(Services& services, ProgramHooks hooks = {});
  Main(const Main&) = delete;
  Main& operator=(const Main&) = delete;

  // Reads the settings and the friends, then shows this window, or the
  // compact one when the program was last left from there. False when the
  // friend book cannot be used: the user has been told why, and the program
  // must end.
  bool Form_Load();

  MainControls c;
  const FriendTable& table() const { return table_; }
  const SettingsValues& settings() const { return settings_; }
  // Null until the first switch to it.
  SmallForm* compactWindow() const { return small_.get(); }

  void Command1_Click();  // save
  void Command2_Click();  // call the pet back
  void List1_DblClick();
  void List1_KeyPress(char16_t keyAscii);
  void Check1_Click();
  void Check2_Click();
  void Check3_Click();
  void Label10_Click();
  void Label11_Click();
  void shrink_Click();
  void end_Click();

 private:
  void connect();
  void applySettings();

  WindowDialogs dialogs_;
  Services s_;  // with this window's boxes
  ProgramHooks hooks_;
  FriendTable table_;
  SettingsValues settings_;
  HostButtons host_;
  FriendListEditing editing_;
  std::unique_ptr<SmallForm> small_;
};

}  // namespace quillby

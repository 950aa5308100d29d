#pragma once

#include "controls/controls.h"
#include "model/friend_table.h"
#include "platform/dialogs.h"

namespace quillby {

// The controls of the main window that show the friend table.
struct FriendListControls {
  ListBox& List1;
  TextBox& txtName;
  TextBox& txtNum;
  TextBox& txtAddress;
  TextBox& txtPetName;
  TextBox& txtPetKind;
  TextBox& txtMemo;
};

// The boxes the editing raises, worded by the windows.
struct EditingBoxes {
  DialogRequest tableFull;
  DialogRequest deleteQuestion;  // OK deletes
};

// Selection, field editing, add, delete and reorder on the main window. The
// handlers re-enter each other through the control events (a name edit
// re-selects its row, which shows the row again); every handler reads the
// selection afresh, so a nested run leaves nothing stale behind.
class FriendListEditing {
 public:
  FriendListEditing(FriendTable& table, FriendListControls controls, Dialogs& dialogs,
                    EditingBoxes boxes);

  // Wires the controls' events to the handlers below.
  void connect();
  // Lists the table and selects the first friend; with no friends the six
  // boxes are emptied.
  void fillList();

  void List1_Click();
  void txtName_Change();
  void txtAddress_Change();
  void txtMemo_Change();
  void Add_Click();
  void Del_Click();
  void Up_Click();
  void Down_Click();

 private:
  FriendEntry* selectedRow();
  void showRow(const FriendEntry& row);
  void emptyBoxes();
  void exchange(int a, int b);

  FriendTable& table_;
  FriendListControls c_;
  Dialogs& dialogs_;
  EditingBoxes boxes_;
};

}  // namespace quillby

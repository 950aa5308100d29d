#include "editing/friend_list_editing.h"

#include <utility>

#include "editing/new_friend.h"

namespace quillby {

FriendListEditing::FriendListEditing(FriendTable& table, FriendListControls controls,
                                     Dialogs& dialogs, EditingBoxes boxes)
    : table_(table), c_(controls), dialogs_(dialogs), boxes_(std::move(boxes)) {}

void FriendListEditing::connect() {
  c_.List1.onClick = [this] { List1_Click(); };
  c_.txtName.onChange = [this] { txtName_Change(); };
  c_.txtAddress.onChange = [this] { txtAddress_Change(); };
  c_.txtMemo.onChange = [this] { txtMemo_Change(); };
}

void FriendListEditing::fillList() {
  c_.List1.setLines(table_.names());
  if (!table_.rows.empty()) c_.List1.setListIndex(0);
  if (auto* row = selectedRow()) {
    showRow(*row);
  } else {
    emptyBoxes();
  }
}

void FriendListEditing::emptyBoxes() {
  for (TextBox* box :
       {&c_.txtName, &c_.txtNum, &c_.txtAddress, &c_.txtPetName, &c_.txtPetKind, &c_.txtMemo}) {
    box->setText(Text{});
  }
}

FriendEntry* FriendListEditing::selectedRow() {
  const int index = c_.List1.listIndex();
  return table_.contains(index) ? &table_.rows[static_cast<std::size_t>(index)] : nullptr;
}

void FriendListEditing::showRow(const FriendEntry& row) {
  // Copies, because each setter may run an edit handler that writes the row.
  const FriendEntry shown = row;
  c_.txtName.setText(shown.friendName);
  c_.txtNum.setText(shown.friendNum);
  c_.txtAddress.setText(shown.friendAddress);
  c_.txtPetName.setText(shown.petName);
  c_.txtPetKind.setText(shown.petKindName);
  c_.txtMemo.setText(shown.friendMemo);
}

void FriendListEditing::List1_Click() {
  if (auto* row = selectedRow()) showRow(*row);
}

void FriendListEditing::txtName_Change() {
  const int index = c_.List1.listIndex();
  auto* row = selectedRow();
  if (!row) return;
  row->friendName = c_.txtName.text();
  // Removing the selected line leaves none selected, so selecting it again
  // shows the row afresh.
  c_.List1.removeItem(index);
  c_.List1.insertItem(index, row->friendName);
  c_.List1.setListIndex(index);
}

void FriendListEditing::txtAddress_Change() {
  if (auto* row = selectedRow()) row->friendAddress = c_.txtAddress.text();
}

void FriendListEditing::txtMemo_Change() {
  if (auto* row = selectedRow()) row->friendMemo = c_.txtMemo.text();
}

void FriendListEditing::Add_Click() {
  if (table_.full()) {
    dialogs_.show(boxes_.tableFull);
    return;
  }
  table_.rows.push_back(newFriend());
  c_.List1.addItem(table_.rows.back().friendName);
  c_.List1.setListIndex(c_.List1.listCount() - 1);
}

void FriendListEditing::Del_Click() {
  if (!table_.rows.empty()) {
    if (dialogs_.show(boxes_.deleteQuestion) != DialogAnswer::Ok) return;
    const int index = c_.List1.listIndex();
    if (table_.contains(index)) {
      c_.List1.removeItem(index);
      table_.rows.erase(table_.rows.begin() + index);
      if (index != 0) {
        c_.List1.setListIndex(index - 1);
      } else if (!table_.rows.empty()) {
        c_.List1.setListIndex(0);
      }
    }
  }
  if (table_.rows.empty()) emptyBoxes();
}

void FriendListEditing::exchange(int a, int b) {
  Text line = c_.List1.line(a);
  c_.List1.setLine(a, c_.List1.line(b));
  c_.List1.setLine(b, std::move(line));
  std::swap(table_.rows[static_cast<std::size_t>(a)], table_.rows[static_cast<std::size_t>(b)]);
}

void FriendListEditing::Up_Click() {
  const int index = c_.List1.listIndex();
  if (index <= 0 || !table_.contains(index)) return;
  exchange(index - 1, index);
  c_.List1.setListIndex(index - 1);
}

void FriendListEditing::Down_Click() {
  const int index = c_.List1.listIndex();
  if (!table_.contains(index) || !table_.contains(index + 1)) return;
  exchange(index + 1, index);
  c_.List1.setListIndex(index + 1);
}

}  // namespace quillby

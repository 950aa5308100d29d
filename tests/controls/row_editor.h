#pragma once

#include <initializer_list>
#include <vector>

#include "controls/controls.h"

namespace quillby {

// A window that shows rows as the main window does: selecting a line fills the
// boxes, and a name edit writes back, replaces the list line and re-selects,
// which re-enters the selection. Counts every event it sees.
class RowEditor {
 public:
  struct Row {
    Text name;
    Text address;
  };

  explicit RowEditor(std::initializer_list<Row> rows) : rows_(rows) {
    name.setText(u"名前");
    address.setText(u"メールアドレス");
    for (const auto& row : rows_) list.addItem(row.name);
    list.onClick = [this] {
      ++clicks;
      const int cur = list.listIndex();
      if (cur < 0) return;
      name.setText(rows_[static_cast<std::size_t>(cur)].name);
      address.setText(rows_[static_cast<std::size_t>(cur)].address);
    };
    name.onChange = [this] {
      ++nameChanges;
      const int cur = list.listIndex();
      if (cur < 0) return;
      rows_[static_cast<std::size_t>(cur)].name = name.text();
      list.removeItem(cur);
      list.insertItem(cur, rows_[static_cast<std::size_t>(cur)].name);
      list.setListIndex(cur);
    };
    address.onChange = [this] {
      ++addressChanges;
      const int cur = list.listIndex();
      if (cur < 0) return;
      rows_[static_cast<std::size_t>(cur)].address = address.text();
    };
  }

  const Row& row(int i) const { return rows_.at(static_cast<std::size_t>(i)); }

  ListBox list;
  TextBox name;
  TextBox address;
  int clicks = 0;
  int nameChanges = 0;
  int addressChanges = 0;

 private:
  std::vector<Row> rows_;
};

}  // namespace quillby

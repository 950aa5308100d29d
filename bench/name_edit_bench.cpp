// One key typed into the name box with 1000 friends listed: the name edit,
// the line replacement and the nested re-selection, on the in-memory controls.
#include <benchmark/benchmark.h>

#include "editing/friend_list_editing.h"
#include "formats/large_book.h"
#include "platform/dialogs.h"

namespace quillby {
namespace {

class NoDialogs final : public Dialogs {
 public:
  DialogAnswer show(const DialogRequest&) override { return DialogAnswer::Ok; }
};

void TypeIntoNameWith1000Friends(benchmark::State& state) {
  FriendTable table{largeBookRows()};
  ListBox list;
  TextBox name, num, address, petName, petKind, memo;
  NoDialogs dialogs;
  FriendListEditing editing(table, {list, name, num, address, petName, petKind, memo}, dialogs,
                            EditingBoxes{});
  editing.connect();
  editing.fillList();
  list.userSelected(500);
  Text typed = name.text();
  for (auto _ : state) {
    typed += u'あ';
    if (typed.size() > 40) typed.resize(1);
    name.userEdited(typed);
  }
}
BENCHMARK(TypeIntoNameWith1000Friends);

}  // namespace
}  // namespace quillby

#include "editing/new_friend.h"

namespace quillby {

FriendEntry newFriend() {
  FriendEntry row;
  row.friendName = u"新しいおともだち";
  row.friendAddress = u"friend@example.com";
  row.friendMemo = u"ここにメモを書いて下さい";
  return row;
}

}  // namespace quillby

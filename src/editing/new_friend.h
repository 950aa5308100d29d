#pragma once

#include "model/friend_table.h"

namespace quillby {

inline constexpr char16_t kTableFullMessage[] =
    u"おともだちは1000人まで登録できます。これ以上追加するには、先に誰かを削除して下さい。";

// A friend added in the program: name, placeholder address and memo prompt; no
// pet, no count, and no record in the friend book yet.
FriendEntry newFriend();

}  // namespace quillby

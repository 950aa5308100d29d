#pragma once

#include "model/friend_table.h"

namespace quillby {

// A friend added in the program: name, placeholder address and memo prompt; no
// pet, no count, and no record in the friend book yet.
FriendEntry newFriend();

}  // namespace quillby

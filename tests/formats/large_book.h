#pragma once

#include <vector>

#include "model/friend_table.h"

namespace quillby {

// The largest friend book there can be: 1000 friends with mixed Japanese names
// whose encoded book fills exactly 65,536 bytes. New rows, as if typed in.
std::vector<FriendEntry> largeBookRows();

}  // namespace quillby

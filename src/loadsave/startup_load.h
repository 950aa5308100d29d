#pragma once

#include "loadsave/book_errors.h"
#include "model/friend_table.h"
#include "platform/charset.h"
#include "platform/files.h"

namespace quillby {

// The main window's start: reads the friend book, and only once it has read
// without error replaces the safety copy with it, then attaches the memos. On
// any failure no file has been changed.
Result<FriendTable, BookFailureInfo> loadFriendsWithMemos(Files& files, const Charset& charset);

// The compact window's load: the friend book alone, no safety copy, no memos.
Result<FriendTable, BookFailureInfo> loadFriends(Files& files, const Charset& charset);

}  // namespace quillby

#pragma once

#include "formats/settings_file.h"
#include "loadsave/book_errors.h"
#include "model/friend_table.h"
#include "platform/charset.h"
#include "platform/files.h"

namespace quillby {

// The main window's start: finishes a save that was cut short, reads the friend
// book, and only once it has read without error replaces the safety copy with
// it, then attaches the memos. On any failure no file has been changed but by
// finishing that save.
Result<FriendTable, BookFailureInfo> loadFriendsWithMemos(Files& files, const Charset& charset);

// What the main window reads at its start, read in this order: the settings
// first, then the friends as loadFriendsWithMemos reads them.
struct StartupFiles {
  SettingsValues settings;
  Result<FriendTable, BookFailureInfo> friends;
};
StartupFiles readStartupFiles(Files& files, const Charset& charset);

// The compact window's load: the friend book alone, no safety copy, no memos.
Result<FriendTable, BookFailureInfo> loadFriends(Files& files, const Charset& charset);

}  // namespace quillby

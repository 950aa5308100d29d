#pragma once

#include <optional>

#include "loadsave/book_errors.h"
#include "model/friend_table.h"
#include "platform/charset.h"
#include "platform/clock.h"
#include "platform/files.h"

namespace quillby {

// Writes the memo file and the friend book from the table. Everything that can
// fail is checked before the first file is touched, and the two files are
// replaced together (loadsave/save_journal.h), after the versions they replace
// are kept (loadsave/backups.h; the clock dates them). Each row's count is taken from its own
// record in the friend book on disk, so counts the host program changed meanwhile are kept and
// counts stay with their friends after a move. On success the rows' counts and
// origins describe the file just written.
//
// Friends that another program added, removed or changed in the book since it
// was last read or written would be lost: unless told to write over them, the
// save then fails with ChangedMeanwhile and touches nothing. Told to write over
// them, each row takes the count of the friend on disk that it is.
//
// A save first finishes what an earlier one cut short (finishInterruptedSave).
enum class OtherChanges { Keep, WriteOver };
std::optional<BookFailureInfo> saveFriends(FriendTable& table, Files& files, const Clock& clock,
                                           const Charset& charset,
                                           OtherChanges others = OtherChanges::Keep);

// After a save killed on its way: both files are made the old or both the new
// pair, and what it left half-written is removed. Fails, naming the file, only
// when a file cannot be moved into place.
std::optional<BookFailureInfo> finishInterruptedSave(Files& files);

}  // namespace quillby

#pragma once

#include <optional>

#include "loadsave/book_errors.h"
#include "platform/files.h"

namespace quillby {

// The memo file and the friend book change together: memos follow their
// friends by name and place, so a new memo file beside the old book would give
// a friend the save deleted back its old place with an empty memo. Both new
// versions are written in full beside the files and flushed; then a marker,
// written in one step, names the moves to make; then the moves are made; then
// the marker goes. A save killed before the marker is there leaves both files
// as they were; one killed after it is finished by finishJournal.

// Replaces the memo file and then the friend book. Should the book not be
// moved in, the memo file is put back as `memoBefore`; should even that fail,
// memoFileReplaced says so, and the marker left makes the next start finish
// either the save or its undo.
std::optional<BookFailureInfo> replaceBothFiles(Files& files, BytesView memo, BytesView book,
                                                BytesView memoBefore);

// Makes the moves that the marker of a save cut short names, and removes the
// temporaries that saves and writes cut short left (ours, known by name). Fails
// only when a move cannot be made; the marker then stays for the next try.
std::optional<BookFailureInfo> finishJournal(Files& files);

}  // namespace quillby

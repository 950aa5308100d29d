#pragma once

#include <cstddef>
#include <optional>

#include "loadsave/book_errors.h"
#include "platform/clock.h"
#include "platform/files.h"

namespace quillby {

// Every version of the friend book and the memo file that a save replaces is
// kept in "Quillby.backup", the two of one save in a folder of its own, named
// by a number that counts the saves and the date and time
// ("000042_2026-12-07_12-00-00"), so that the names sort as the saves came
// whatever the clock said. A folder is written under a name marked unfinished
// and named so only when complete. The kKeptSaves made last are kept; a version
// the same as the newest kept is not kept again. Only folders of ours are ever
// removed: named as a save names them and holding nothing but the files a save
// writes.
inline constexpr std::size_t kKeptSaves = 20;

// Keeps `book` and `memo` (none where there was no memo file) before a save
// replaces them. A failure means the save must not go on; nothing kept before
// is lost.
std::optional<BookFailureInfo> keepEarlierVersion(Files& files, const Clock& clock, BytesView book,
                                                  const std::optional<Bytes>& memo);

// Removes the folders that saves killed on their way left unfinished.
void removeUnfinishedBackups(Files& files);

}  // namespace quillby

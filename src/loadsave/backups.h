#pragma once

#include <cstddef>
#include <optional>

#include "loadsave/book_errors.h"
#include "platform/clock.h"
#include "platform/files.h"

namespace quillby {

// Every version of the friend book and the memo file that a save replaces is
// kept in "Quillby.backup", the two of one save in a folder named by the date
// and time of that save ("2026-12-07_12-00-00"), so that the names sort as the
// saves came. The newest kKeptSaves are kept; a version the same as the newest
// kept is not kept again.
inline constexpr std::size_t kKeptSaves = 20;

// Keeps `book` and `memo` (none where there was no memo file) before a save
// replaces them. A failure means the save must not go on; nothing kept before
// is lost.
std::optional<BookFailureInfo> keepEarlierVersion(Files& files, const Clock& clock, BytesView book,
                                                  const std::optional<Bytes>& memo);

}  // namespace quillby

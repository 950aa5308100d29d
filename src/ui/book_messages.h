#pragma once

#include "loadsave/book_errors.h"
#include "model/friend_table.h"

namespace quillby {

// What the user is told when the friend book cannot be loaded or saved. The
// table names the friend whose field does not fit.
Text bookFailureMessage(const BookFailureInfo& info, const FriendTable& table);

Text fileProblemText(const FileError& error);

}  // namespace quillby

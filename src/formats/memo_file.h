#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "model/friend_table.h"
#include "model/result.h"
#include "platform/charset.h"

namespace quillby {

// "Quillby.memo": one line per friend, "name","address","memo" CR LF, Shift-JIS.
// A double quote inside a field is written doubled. A record that does not read
// cleanly so was written with quotes left raw, by hand or by older programs,
// and is read that way, on its own. A file that today's editors saved in UTF-8
// (a byte-order mark, or valid UTF-8 as a whole) is read as UTF-8, one saved
// in UTF-16 with its byte-order mark (Notepad's "Unicode") as that, and an
// end-of-file byte 0x1A that older ones put at its end is not part of the
// last memo.

struct MemoRecord {
  Text name;
  Text address;
  Text memo;
  // As a Shift-JIS file held it, quotes undoubled; none from a UTF-8 file.
  std::optional<Bytes> memoBytes = std::nullopt;
};

// At most FriendTable::kCapacity records are kept; the rest are read over.
std::vector<MemoRecord> readMemoFile(BytesView file, const Charset& charset);

// Gives each row the memo of the record that is the same friend (matchFriends):
// a friend the host program renamed, re-addressed or moved keeps its memo. Rows
// that get no memo keep theirs. A memo given keeps its Shift-JIS bytes, so that
// one the user leaves alone is written back as it was, even where it does not
// decode.
void attachMemos(std::vector<FriendEntry>& rows, std::vector<MemoRecord> records);

enum class MemoField { Name, Address, Memo };

struct MemoEncodeError {
  std::size_t row;
  MemoField field;  // the field with a character that code page 932 cannot hold
};

Result<Bytes, MemoEncodeError> encodeMemoFile(const std::vector<FriendEntry>& rows,
                                              const Charset& charset);

}  // namespace quillby

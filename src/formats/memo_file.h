#pragma once

#include <cstddef>
#include <vector>

#include "model/friend_table.h"
#include "model/result.h"
#include "platform/charset.h"

namespace quillby {

// "Quillby.memo": one line per friend, "name","address","memo" CR LF, Shift-JIS.
// A double quote inside a field is written doubled. A file that does not read
// cleanly so was written with quotes left raw, by hand or by older programs,
// and is read that way, each record on its own.

struct MemoRecord {
  Text name;
  Text address;
  Text memo;
  Bytes memoBytes = {};  // as the file held it, quotes undoubled
};

// At most FriendTable::kCapacity records are kept; the rest are read over.
std::vector<MemoRecord> readMemoFile(BytesView file, const Charset& charset);

// Gives each row the memo of the record that is the same friend (matchFriends):
// a friend the host program renamed, re-addressed or moved keeps its memo. Rows
// that get no memo keep theirs. A memo given keeps its bytes, so that one the user
// leaves alone is written back as it was, even where it does not decode.
void attachMemos(std::vector<FriendEntry>& rows, std::vector<MemoRecord> records);

enum class MemoField { Name, Address, Memo };

struct MemoEncodeError {
  std::size_t row;
  MemoField field;  // the field with a character that code page 932 cannot hold
};

Result<Bytes, MemoEncodeError> encodeMemoFile(const std::vector<FriendEntry>& rows,
                                              const Charset& charset);

}  // namespace quillby

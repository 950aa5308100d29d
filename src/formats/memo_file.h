#pragma once

#include <cstddef>
#include <vector>

#include "model/friend_table.h"
#include "model/result.h"
#include "platform/charset.h"

namespace quillby {

// "Quillby.memo": one line per friend, "name","address","memo" CR LF, Shift-JIS.
// A double quote inside a field is written doubled.

struct MemoRecord {
  Text name;
  Text address;
  Text memo;
  Bytes memoBytes = {};  // as the file held it, quotes undoubled
};

// At most FriendTable::kCapacity records are kept; the rest are read over.
std::vector<MemoRecord> readMemoFile(BytesView file, const Charset& charset);

// Gives each row its memo: record i to row i when name and address match, else to
// the first unclaimed row with that name and address; a record whose name and
// address no row has goes to row i if that row got no memo otherwise. Rows that
// get no memo keep theirs. A memo given keeps its bytes, so that one the user
// leaves alone is written back as it was, even where it does not decode.
void attachMemos(std::vector<FriendEntry>& rows, const std::vector<MemoRecord>& records);

enum class MemoField { Name, Address, Memo };

struct MemoEncodeError {
  std::size_t row;
  MemoField field;  // the field with a character that code page 932 cannot hold
};

Result<Bytes, MemoEncodeError> encodeMemoFile(const std::vector<FriendEntry>& rows,
                                              const Charset& charset);

}  // namespace quillby

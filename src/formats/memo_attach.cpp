#include <map>
#include <optional>
#include <utility>

#include "formats/memo_file.h"

namespace quillby {
namespace {

using FriendKey = std::pair<TextView, TextView>;  // name, address

// The rows of each name and address, in row order, handed out front first.
class RowsByFriend {
 public:
  explicit RowsByFriend(const std::vector<FriendEntry>& rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
      rows_[{rows[i].friendName, rows[i].friendAddress}].rows.push_back(i);
    }
  }

  bool knows(const FriendKey& key) const { return rows_.contains(key); }

  std::optional<std::size_t> firstUnclaimed(const FriendKey& key,
                                            const std::vector<bool>& claimed) {
    auto it = rows_.find(key);
    if (it == rows_.end()) return std::nullopt;
    Queue& q = it->second;
    while (q.front < q.rows.size() && claimed[q.rows[q.front]]) ++q.front;
    if (q.front == q.rows.size()) return std::nullopt;
    return q.rows[q.front];
  }

 private:
  struct Queue {
    std::vector<std::size_t> rows;
    std::size_t front = 0;
  };
  std::map<FriendKey, Queue> rows_;
};

bool sameFriend(const MemoRecord& record, const FriendEntry& row) {
  return record.name == row.friendName && record.address == row.friendAddress;
}

}  // namespace

// Three passes, so that a record standing at its own friend's position is never
// robbed of it by an earlier record of the same name and address, and a record
// of a friend no longer in the book takes only a position nobody else claims.
void attachMemos(std::vector<FriendEntry>& rows, const std::vector<MemoRecord>& records) {
  std::vector<bool> claimed(rows.size(), false);
  std::vector<bool> placed(records.size(), false);
  auto give = [&](std::size_t record, std::size_t row) {
    rows[row].friendMemo = records[record].memo;
    rows[row].memoAsRead = StoredText{records[record].memo, records[record].memoBytes};
    claimed[row] = true;
    placed[record] = true;
  };

  for (std::size_t i = 0; i < records.size() && i < rows.size(); ++i) {
    if (sameFriend(records[i], rows[i])) give(i, i);
  }
  RowsByFriend byFriend(rows);
  std::vector<bool> unknown(records.size(), false);
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (placed[i]) continue;
    const FriendKey key{records[i].name, records[i].address};
    if (!byFriend.knows(key)) {
      unknown[i] = true;
    } else if (auto row = byFriend.firstUnclaimed(key, claimed)) {
      give(i, *row);
    }
  }
  for (std::size_t i = 0; i < records.size() && i < rows.size(); ++i) {
    if (unknown[i] && !claimed[i]) give(i, i);
  }
}

}  // namespace quillby

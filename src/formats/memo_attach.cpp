#include "formats/friend_match.h"
#include "formats/memo_file.h"

namespace quillby {

void attachMemos(std::vector<FriendEntry>& rows, std::vector<MemoRecord> records) {
  std::vector<FriendKey> recordKeys;
  recordKeys.reserve(records.size());
  for (const auto& record : records) recordKeys.push_back({record.name, record.address});
  std::vector<FriendKey> rowKeys;
  std::vector<std::optional<std::size_t>> places;
  rowKeys.reserve(rows.size());
  places.reserve(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    rowKeys.push_back({rows[i].friendName, rows[i].friendAddress});
    places.push_back(i);
  }
  // The memo file may be older than the book's last change by the host
  // program, so a memo still goes to the friend at its place.
  const auto recordOf = matchFriends(recordKeys, rowKeys, places, PlaceAlone::Pairs);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (!recordOf[i]) continue;
    // Each record goes to one row at most, so it can give its memo away.
    MemoRecord& record = records[*recordOf[i]];
    rows[i].friendMemo = record.memo;
    rows[i].memoAsRead =
        record.memoBytes
            ? std::optional(StoredText{std::move(record.memo), std::move(*record.memoBytes)})
            : std::nullopt;
  }
}

}  // namespace quillby

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/text.h"

namespace quillby {

// A text field as the friend book stored it: kept so that a field the user has
// not changed is written back byte for byte, even where it does not decode.
struct StoredText {
  Text shown;   // what the load decoded (undecodable bytes shown as U+FFFD)
  Bytes bytes;  // the bytes on disk
};

// The record of the friend book on disk that a row was read from.
struct BookOrigin {
  std::size_t record = 0;  // position in the file at the latest load or save
  std::uint8_t kindCode = 0;
  std::array<std::uint8_t, 3> afterKind{};   // filler the host program may use
  std::array<std::uint8_t, 2> afterCount{};  // likewise
  StoredText petName;
  StoredText friendName;
  StoredText friendAddress;
};

struct FriendEntry {
  Text friendName;
  Text friendAddress;
  Text petName;
  Text petKindName;
  Text friendNum;  // count as shown: a blank and the digits (" 12"), empty for a new friend
  Text friendMemo;
  std::optional<BookOrigin> origin;                     // none for a friend added in the program
  std::optional<StoredText> memoAsRead = std::nullopt;  // as the memo file held it
};

// The friends in file order. Holds at most kCapacity rows; the row count is
// rows.size().
struct FriendTable {
  static constexpr std::size_t kCapacity = 1000;
  std::vector<FriendEntry> rows;
  // The friend book as last read or written: a save compares the book on disk
  // with it, counts aside, to see whether another program changed friends.
  Bytes bookOnDisk = {};

  bool full() const { return rows.size() >= kCapacity; }
  bool contains(long index) const {
    return index >= 0 && static_cast<std::size_t>(index) < rows.size();
  }
  // The lines of a friend list: each friend's name, in row order.
  std::vector<Text> names() const {
    std::vector<Text> names;
    names.reserve(rows.size());
    for (const auto& row : rows) names.push_back(row.friendName);
    return names;
  }
};

}  // namespace quillby

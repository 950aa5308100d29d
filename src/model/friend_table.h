#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "model/text.h"

namespace quillby {

// A stored text field seen where it is kept: what the load decoded
// (undecodable bytes shown as U+FFFD) and the bytes on disk. While a field still
// shows `shown`, a save writes `bytes`, so it goes back byte for byte even where
// it does not decode.
struct StoredView {
  TextView shown;
  BytesView bytes;
};

// A text field as a file stored it, kept on its own.
struct StoredText {
  Text shown;
  Bytes bytes;
  StoredView view() const { return {shown, bytes}; }
};

// The friend book as one load read it, shared by every row read from it, so
// that a row's record of its fields costs no strings of its own.
struct LoadedBook {
  Bytes bytes;  // the whole book
  Text shown;   // the decoded texts of its records, back to back
};

// Where one field of a record lies in its LoadedBook.
struct FieldPlace {
  std::uint32_t bytesAt = 0;
  std::uint32_t bytesSize = 0;
  std::uint32_t shownAt = 0;
  std::uint32_t shownSize = 0;
};

// The record of the friend book on disk that a row was read from.
struct BookOrigin {
  std::size_t record = 0;  // position in the file at the latest load or save
  std::uint8_t kindCode = 0;
  std::array<std::uint8_t, 3> afterKind{};   // filler the host program may use
  std::array<std::uint8_t, 2> afterCount{};  // likewise
  std::shared_ptr<const LoadedBook> book;
  FieldPlace pet;
  FieldPlace name;
  FieldPlace address;

  StoredView petName() const { return field(pet); }
  StoredView friendName() const { return field(name); }
  StoredView friendAddress() const { return field(address); }

 private:
  StoredView field(const FieldPlace& place) const {
    return {TextView(book->shown).substr(place.shownAt, place.shownSize),
            BytesView(book->bytes).substr(place.bytesAt, place.bytesSize)};
  }
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

#pragma once

#include <optional>

#include "model/friend_table.h"

namespace quillby {

// The row's record of how `field` was stored, if the row was read from the book.
inline const StoredText* storedField(const FriendEntry& row, StoredText BookOrigin::*field) {
  return row.origin ? &(*row.origin.*field) : nullptr;
}

// The bytes to write for a text field: the bytes it was read from while it
// still shows what the load made of them (so undecodable bytes survive a save),
// otherwise `encode(text)`, which gives nothing for text it cannot hold.
template <class Encode>
std::optional<Bytes> fieldBytes(const Text& text, const StoredText* stored, Encode&& encode) {
  if (stored != nullptr && text == stored->shown) return stored->bytes;
  return encode(text);
}

}  // namespace quillby

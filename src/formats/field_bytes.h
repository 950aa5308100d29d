#pragma once

#include <optional>

#include "model/friend_table.h"

namespace quillby {

// The row's record of how `field` was stored, if the row was read from the book.
inline std::optional<StoredView> storedField(const FriendEntry& row,
                                             StoredView (BookOrigin::*field)() const) {
  if (!row.origin) return std::nullopt;
  return ((*row.origin).*field)();
}

// The row's memo as the memo file held it, if it came from there.
inline std::optional<StoredView> storedMemo(const FriendEntry& row) {
  if (!row.memoAsRead) return std::nullopt;
  return row.memoAsRead->view();
}

// The bytes to write for a text field: the bytes it was read from while it
// still shows what the load made of them (so undecodable bytes survive a save),
// otherwise `encode(text)`, which gives nothing for text it cannot hold.
template <class Encode>
std::optional<Bytes> fieldBytes(const Text& text, std::optional<StoredView> stored,
                                Encode&& encode) {
  if (stored && text == stored->shown) return Bytes(stored->bytes);
  return encode(text);
}

}  // namespace quillby

#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "formats/friend_book.h"

namespace quillby {

// One friend-book record as laid out on disk. The texts are views into the book
// (when read) or into the caller's buffers (when written).
struct BookRecord {
  std::uint8_t kindCode = 0;
  std::array<std::uint8_t, 3> afterKind{};
  BytesView petName;
  BytesView friendName;
  BytesView address;
  std::uint16_t count = 0;
  std::array<std::uint8_t, 2> afterCount{};
};

// Every record of the book, in order; never reads past the end of `book`.
Result<std::vector<BookRecord>, BookError> splitBook(BytesView book);

// Appends the record; each text must be at most kMaxFieldLength bytes.
void appendRecord(Bytes& out, const BookRecord& record);

}  // namespace quillby

#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/friend_table.h"
#include "model/result.h"
#include "platform/charset.h"

namespace quillby {

// The host program's friend book: records back to back, no header.
//   kind(1) filler(3) L1 petName(L1) L2 friendName(L2) L3 address(L3) count(2, LE) filler(2)

enum class BookProblem {
  Truncated,       // a record runs past the end of the file
  TooManyRecords,  // more than FriendTable::kCapacity records
};

struct BookError {
  BookProblem problem;
  std::size_t record;  // 0-based number of the offending record
  std::size_t offset;  // byte offset at which that record starts
};

// Every record as a row with its origin set (record index, raw fields, filler).
Result<std::vector<FriendEntry>, BookError> readFriendBook(BytesView book, const Charset& charset);

// Only the counts, by record (the save's re-read of what the host program changed).
Result<std::vector<std::uint16_t>, BookError> readCounts(BytesView book);

// The book with every count set to 0: the part that only a save of ours may
// change, since the host program counts its mails while we run.
Result<Bytes, BookError> withCountsCleared(BytesView book);

enum class BookField { PetName, FriendName, FriendAddress };

enum class EncodeProblem {
  TooLong,        // pet or friend name over 255 bytes, address over 255 characters
  NotSingleByte,  // an address character without a single-byte code
  NotEncodable,   // a name character without a code in code page 932
  ImageTooLarge,  // the whole book over 65,536 bytes
};

struct EncodeError {
  EncodeProblem problem;
  std::size_t row;  // 0-based row of the friend table
  BookField field;  // meaningless for ImageTooLarge
};

inline constexpr std::size_t kMaxFieldLength = 255;
inline constexpr std::size_t kMaxBookSize = 65536;

// The complete new friend book for the rows, in order. Fields a row still holds
// as loaded are written as their stored bytes.
Result<Bytes, EncodeError> encodeFriendBook(const std::vector<FriendEntry>& rows,
                                            const Charset& charset);

// A count as the table shows it: a blank and the digits.
Text countText(std::uint16_t count);

}  // namespace quillby

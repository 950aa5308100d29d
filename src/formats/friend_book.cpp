#include "formats/friend_book.h"

#include <string>

#include "formats/book_record.h"
#include "formats/display_text.h"
#include "formats/single_byte_text.h"
#include "model/pet_kind.h"

namespace quillby {
namespace {

// The shown names come decoded, all of the book's at once.
FriendEntry rowOf(const BookRecord& record, std::size_t number, Text petName, Text friendName) {
  BookOrigin origin;
  origin.record = number;
  origin.kindCode = record.kindCode;
  origin.afterKind = record.afterKind;
  origin.afterCount = record.afterCount;
  origin.petName = {std::move(petName), Bytes(record.petName)};
  origin.friendName = {std::move(friendName), Bytes(record.friendName)};
  origin.friendAddress = {singleByteText(record.address), Bytes(record.address)};

  FriendEntry row;
  row.friendName = origin.friendName.shown;
  row.friendAddress = origin.friendAddress.shown;
  row.petName = origin.petName.shown;
  row.petKindName = Text(kindName(record.kindCode).value_or(TextView{}));
  row.friendNum = countText(record.count);
  row.origin = std::move(origin);
  return row;
}

}  // namespace

Result<std::vector<FriendEntry>, BookError> readFriendBook(BytesView book, const Charset& charset) {
  auto records = splitBook(book);
  if (!records) return records.error();
  std::vector<BytesView> names;
  names.reserve(records.value().size() * 2);
  for (const BookRecord& record : records.value()) {
    names.push_back(record.petName);
    names.push_back(record.friendName);
  }
  std::vector<Text> shown = decodeAllForDisplay(names, charset);
  std::vector<FriendEntry> rows;
  rows.reserve(records.value().size());
  for (const BookRecord& record : records.value()) {
    const std::size_t n = rows.size();
    rows.push_back(rowOf(record, n, std::move(shown[2 * n]), std::move(shown[2 * n + 1])));
  }
  return rows;
}

Result<std::vector<std::uint16_t>, BookError> readCounts(BytesView book) {
  auto records = splitBook(book);
  if (!records) return records.error();
  std::vector<std::uint16_t> counts;
  counts.reserve(records.value().size());
  for (const BookRecord& record : records.value()) counts.push_back(record.count);
  return counts;
}

Result<Bytes, BookError> withCountsCleared(BytesView book) {
  auto records = splitBook(book);
  if (!records) return records.error();
  Bytes cleared;
  cleared.reserve(book.size());
  for (BookRecord record : records.value()) {
    record.count = 0;
    appendRecord(cleared, record);
  }
  return cleared;
}

Text countText(std::uint16_t count) {
  const std::string digits = std::to_string(count);
  return u" " + Text(digits.begin(), digits.end());
}

}  // namespace quillby

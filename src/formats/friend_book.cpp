#include "formats/friend_book.h"

#include <memory>
#include <string>

#include "formats/book_record.h"
#include "formats/display_text.h"
#include "formats/single_byte_text.h"
#include "model/pet_kind.h"

namespace quillby {
namespace {

std::uint32_t offsetIn(BytesView whole, BytesView part) {
  return static_cast<std::uint32_t>(part.data() - whole.data());
}

// The rows' stored texts all live in one shared LoadedBook: a thousand rows
// would otherwise hold some six thousand small strings of their own.
FriendEntry rowOf(const BookRecord& record, std::size_t number,
                  const std::shared_ptr<const LoadedBook>& book, FieldPlace pet, FieldPlace name,
                  FieldPlace address) {
  BookOrigin origin;
  origin.record = number;
  origin.kindCode = record.kindCode;
  origin.afterKind = record.afterKind;
  origin.afterCount = record.afterCount;
  origin.book = book;
  origin.pet = pet;
  origin.name = name;
  origin.address = address;

  FriendEntry row;
  row.friendName = Text(origin.friendName().shown);
  row.friendAddress = Text(origin.friendAddress().shown);
  row.petName = Text(origin.petName().shown);
  row.petKindName = Text(kindName(record.kindCode).value_or(TextView{}));
  row.friendNum = countText(record.count);
  row.origin = std::move(origin);
  return row;
}

}  // namespace

Result<std::vector<FriendEntry>, BookError> readFriendBook(BytesView bytes,
                                                           const Charset& charset) {
  auto records = splitBook(bytes);
  if (!records) return records.error();
  // The fields lie at the same offsets in the rows' shared copy.
  auto book = std::make_shared<LoadedBook>();
  book->bytes = Bytes(bytes);
  std::vector<BytesView> names;
  names.reserve(records.value().size() * 2);
  std::size_t addressBytes = 0;
  for (const BookRecord& record : records.value()) {
    names.push_back(record.petName);
    names.push_back(record.friendName);
    addressBytes += record.address.size();
  }
  DecodedPieces decoded = decodeAllInOne(names, charset);
  book->shown = std::move(decoded.text);
  book->shown.reserve(book->shown.size() + addressBytes);
  const auto placeOf = [&](BytesView field, DecodedPieces::Place shown) {
    return FieldPlace{offsetIn(bytes, field), static_cast<std::uint32_t>(field.size()),
                      static_cast<std::uint32_t>(shown.at), static_cast<std::uint32_t>(shown.size)};
  };
  std::vector<FieldPlace> addresses;
  addresses.reserve(records.value().size());
  for (const BookRecord& record : records.value()) {
    const std::size_t at = book->shown.size();
    appendSingleByteText(book->shown, record.address);
    addresses.push_back(placeOf(record.address, {at, record.address.size()}));
  }

  const std::shared_ptr<const LoadedBook> shared = std::move(book);
  std::vector<FriendEntry> rows;
  rows.reserve(records.value().size());
  for (const BookRecord& record : records.value()) {
    const std::size_t n = rows.size();
    rows.push_back(rowOf(record, n, shared, placeOf(record.petName, decoded.places[2 * n]),
                         placeOf(record.friendName, decoded.places[2 * n + 1]), addresses[n]));
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

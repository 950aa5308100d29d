#include <cmath>
#include <string>

#include "formats/book_record.h"
#include "formats/field_bytes.h"
#include "formats/friend_book.h"
#include "formats/leading_number.h"
#include "formats/single_byte_text.h"
#include "model/pet_kind.h"

namespace quillby {
namespace {

// A code without a name shows as an empty kind; while the kind still shows what
// the code gave, the code itself goes back, so no pet changes kind by a save.
std::uint8_t kindCodeOf(const FriendEntry& row) {
  if (row.origin && row.petKindName == kindName(row.origin->kindCode).value_or(TextView{})) {
    return row.origin->kindCode;
  }
  return kindCode(row.petKindName);
}

// The count is stored in two bytes; a value outside them wraps as it would there.
std::uint16_t countOf(const Text& friendNum) {
  std::string ascii;
  for (char16_t c : friendNum) {
    if (c >= 0x80) break;
    ascii += static_cast<char>(c);
  }
  const double wrapped = std::fmod(std::round(leadingNumber(ascii)), 65536.0);
  return static_cast<std::uint16_t>(static_cast<long>(wrapped) & 0xFFFF);
}

Result<Bytes, EncodeProblem> checked(std::optional<Bytes> bytes, EncodeProblem unencodable) {
  if (!bytes) return unencodable;
  if (bytes->size() > kMaxFieldLength) return EncodeProblem::TooLong;
  return std::move(*bytes);
}

}  // namespace

Result<Bytes, EncodeError> encodeFriendBook(const std::vector<FriendEntry>& rows,
                                            const Charset& charset) {
  const auto shiftJis = [&charset](TextView text) { return charset.fromUnicode(text); };
  Bytes book;
  for (std::size_t n = 0; n < rows.size(); ++n) {
    const FriendEntry& row = rows[n];
    auto pet = checked(fieldBytes(row.petName, storedField(row, &BookOrigin::petName), shiftJis),
                       EncodeProblem::NotEncodable);
    if (!pet) return EncodeError{pet.error(), n, BookField::PetName};
    auto name =
        checked(fieldBytes(row.friendName, storedField(row, &BookOrigin::friendName), shiftJis),
                EncodeProblem::NotEncodable);
    if (!name) return EncodeError{name.error(), n, BookField::FriendName};
    auto address =
        checked(fieldBytes(row.friendAddress, storedField(row, &BookOrigin::friendAddress),
                           singleByteBytes),
                EncodeProblem::NotSingleByte);
    if (!address) return EncodeError{address.error(), n, BookField::FriendAddress};

    BookRecord record;
    record.kindCode = kindCodeOf(row);
    if (row.origin) {
      record.afterKind = row.origin->afterKind;
      record.afterCount = row.origin->afterCount;
    }
    record.petName = pet.value();
    record.friendName = name.value();
    record.address = address.value();
    record.count = countOf(row.friendNum);
    appendRecord(book, record);
    if (book.size() > kMaxBookSize) {
      return EncodeError{EncodeProblem::ImageTooLarge, n, BookField::PetName};
    }
  }
  return book;
}

}  // namespace quillby

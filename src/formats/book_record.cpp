#include "formats/book_record.h"

#include <algorithm>
#include <cassert>
#include <optional>

namespace quillby {
namespace {

// Reads forward through one record; any read past the end marks it short.
class Cursor {
 public:
  explicit Cursor(BytesView data) : data_(data) {}

  std::uint8_t byte() {
    if (pos_ == data_.size()) {
      short_ = true;
      return 0;
    }
    return static_cast<std::uint8_t>(data_[pos_++]);
  }

  BytesView take(std::size_t n) {
    if (n > data_.size() - pos_) {
      short_ = true;
      pos_ = data_.size();
      return {};
    }
    BytesView piece = data_.substr(pos_, n);
    pos_ += n;
    return piece;
  }

  bool isShort() const { return short_; }
  std::size_t position() const { return pos_; }

 private:
  BytesView data_;
  std::size_t pos_ = 0;
  bool short_ = false;
};

// The record at the start of `data` and its length, or nothing if it runs past the end.
std::optional<std::pair<BookRecord, std::size_t>> readRecord(BytesView data) {
  Cursor in(data);
  BookRecord r;
  r.kindCode = in.byte();
  for (auto& b : r.afterKind) b = in.byte();
  r.petName = in.take(in.byte());
  r.friendName = in.take(in.byte());
  r.address = in.take(in.byte());
  const std::uint8_t low = in.byte();
  const std::uint8_t high = in.byte();
  r.count = static_cast<std::uint16_t>(high << 8 | low);
  for (auto& b : r.afterCount) b = in.byte();
  if (in.isShort()) return std::nullopt;
  return std::pair{r, in.position()};
}

}  // namespace

Result<std::vector<BookRecord>, BookError> splitBook(BytesView book) {
  constexpr std::size_t kShortestRecord = 11;
  std::vector<BookRecord> records;
  records.reserve(std::min(book.size() / kShortestRecord, FriendTable::kCapacity));
  std::size_t offset = 0;
  while (offset < book.size()) {
    const std::size_t number = records.size();
    if (number == FriendTable::kCapacity) {
      return BookError{BookProblem::TooManyRecords, number, offset};
    }
    auto record = readRecord(book.substr(offset));
    if (!record) return BookError{BookProblem::Truncated, number, offset};
    records.push_back(record->first);
    offset += record->second;
  }
  return records;
}

void appendRecord(Bytes& out, const BookRecord& record) {
  auto put = [&out](std::uint8_t b) { out.push_back(static_cast<char>(b)); };
  auto putText = [&](BytesView text) {
    assert(text.size() <= kMaxFieldLength);
    put(static_cast<std::uint8_t>(text.size()));
    out.append(text);
  };
  put(record.kindCode);
  for (auto b : record.afterKind) put(b);
  putText(record.petName);
  putText(record.friendName);
  putText(record.address);
  put(static_cast<std::uint8_t>(record.count & 0xFF));
  put(static_cast<std::uint8_t>(record.count >> 8));
  for (auto b : record.afterCount) put(b);
}

}  // namespace quillby

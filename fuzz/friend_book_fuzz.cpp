// Friend book: the reader and the count walk agree, names decoded all at once
// read as each would alone, and whatever reads without damage is written back
// byte for byte, or, re-encoded from its texts, reads back as the same texts.
#include <cstdint>
#include <initializer_list>

#include "formats/display_text.h"
#include "formats/friend_book.h"
#include "fuzz_check.h"
#include "platform/posix/iconv_charset.h"

using namespace quillby;

namespace {

bool sameTexts(const FriendEntry& a, const FriendEntry& b) {
  return a.friendName == b.friendName && a.friendAddress == b.friendAddress &&
         a.petName == b.petName && a.petKindName == b.petKindName && a.friendNum == b.friendNum;
}

void checkFreshEncoding(std::vector<FriendEntry> rows, const Charset& charset) {
  for (auto& row : rows) row.origin.reset();
  auto fresh = encodeFriendBook(rows, charset);
  if (!fresh.ok()) return;  // undecodable texts have no encoding of their own
  auto again = readFriendBook(fresh.value(), charset);
  require(again.ok() && again.value().size() == rows.size(), "fresh encoding reads back");
  for (std::size_t i = 0; i < rows.size(); ++i) {
    require(sameTexts(again.value()[i], rows[i]), "fresh encoding keeps the texts");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const IconvCharset charset;
  const BytesView book(reinterpret_cast<const char*>(data), size);
  auto rows = readFriendBook(book, charset);
  auto counts = readCounts(book);
  require(rows.ok() == counts.ok(), "reader and count walk agree on damage");
  if (!rows.ok()) {
    require(rows.error().offset < size && rows.error().record <= FriendTable::kCapacity,
            "error names a record inside the book");
    return 0;
  }
  require(rows.value().size() == counts.value().size(), "same number of records");
  for (std::size_t i = 0; i < counts.value().size(); ++i) {
    const FriendEntry& row = rows.value()[i];
    require(row.friendNum == countText(counts.value()[i]), "same counts");
    for (const StoredView name : {row.origin->petName(), row.origin->friendName()}) {
      require(name.shown == decodeForDisplay(name.bytes, charset), "names decode as alone");
    }
  }
  if (size <= kMaxBookSize) {
    auto written = encodeFriendBook(rows.value(), charset);
    require(written.ok() && written.value() == book, "unchanged book written back byte for byte");
  }
  checkFreshEncoding(rows.value(), charset);
  return 0;
}

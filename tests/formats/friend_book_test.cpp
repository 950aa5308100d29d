#include "formats/friend_book.h"

#include <gtest/gtest.h>

#include "formats/book_bytes.h"
#include "formats/large_book.h"
#include "formats/test_charset.h"

namespace quillby {
namespace {

const TestCharset charset;

const Bytes kDog = bytes({0x09, 0x01, 0x02, 0x03,        // kind, filler
                          0x04, 0x83, 0x7C, 0x83, 0x60,  // "ポチ"
                          0x02, 0x8E, 0x52,              // "山"
                          0x03, 'a',  '@',  0xB1,        // "a@ｱ"
                          0x39, 0x30, 0xAA, 0xBB});      // count 0x3039, filler
const Bytes kEmpty = bytes({0x05, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0});

std::vector<FriendEntry> read(const Bytes& book) {
  auto rows = readFriendBook(book, charset);
  EXPECT_TRUE(rows.ok());
  return rows.ok() ? rows.value() : std::vector<FriendEntry>{};
}

Bytes encode(const std::vector<FriendEntry>& rows) {
  auto book = encodeFriendBook(rows, charset);
  EXPECT_TRUE(book.ok());
  return book.ok() ? book.value() : Bytes{};
}

TEST(FriendBookRead, RecordsBecomeRowsWithTheirOrigin) {
  const auto rows = read(kDog + kEmpty);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].petKindName, u"イヌ");
  EXPECT_EQ(rows[0].petName, u"ポチ");
  EXPECT_EQ(rows[0].friendName, u"山");
  EXPECT_EQ(rows[0].friendAddress, u"a@ｱ");
  EXPECT_EQ(rows[0].friendNum, u" 12345");
  EXPECT_EQ(rows[0].origin->afterKind, (std::array<std::uint8_t, 3>{1, 2, 3}));
  EXPECT_EQ(rows[0].origin->afterCount, (std::array<std::uint8_t, 2>{0xAA, 0xBB}));
  EXPECT_EQ(rows[1].origin->record, 1u);
  EXPECT_EQ(rows[1].petKindName, u"");  // code 5 has no name
  EXPECT_EQ(rows[1].friendNum, u" 65535");
  EXPECT_EQ(rows[1].friendName, u"");

  auto counts = readCounts(kDog + kEmpty);
  ASSERT_TRUE(counts.ok());
  EXPECT_EQ(counts.value(), (std::vector<std::uint16_t>{0x3039, 0xFFFF}));
  EXPECT_TRUE(read("").empty());
}

TEST(FriendBookRead, UndecodableBytesShowAsReplacementsAndSurvive) {
  const Bytes book = bytes({0x00, 0,    0,    0,                 // kind, filler
                            0x05, 0x82, 0xA0, 0x85, 0x40, 0x81,  // 85 40 unassigned, lead at end
                            0x03, 'x',  0x81, '"',               // stray lead byte before a quote
                            0x04, 0x80, 0xA0, 0xE0, 'z',         // no single-byte code but 'z'
                            0x00, 0x80, 0,    0});               // count, filler
  const auto rows = read(book);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].petName, u"あ\uFFFD\uFFFD");
  EXPECT_EQ(rows[0].friendName, u"x\uFFFD\"");
  EXPECT_EQ(rows[0].friendAddress, u"\uFFFD\uFFFD\uFFFDz");
  EXPECT_EQ(rows[0].friendNum, u" 32768");
  EXPECT_EQ(encode(rows), book);
}

// A line feed in a name keeps that name out of the one conversion for all
// the others; each row still gets its own texts and writes back its bytes.
TEST(FriendBookRead, NamesWithLineFeedsAndNamesWithoutKeepTheirPlaces) {
  const Bytes fed = bytes({0x00, 0, 0, 0,           // kind, filler
                           0x03, 0x8E, 0x52, '\n',  // "山" and a line feed
                           0x01, 'b',               // "b"
                           0x02, 'c', '@',          // "c@"
                           0x01, 0x00, 0, 0});      // count, filler
  const auto rows = read(kDog + fed + kDog);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1].petName, u"山\n");
  EXPECT_EQ(rows[1].friendName, u"b");
  EXPECT_EQ(rows[1].friendAddress, u"c@");
  for (std::size_t i : {0u, 2u}) {
    EXPECT_EQ(rows[i].petName, u"ポチ");
    EXPECT_EQ(rows[i].friendName, u"山");
    EXPECT_EQ(rows[i].friendAddress, u"a@ｱ");
  }
  EXPECT_EQ(encode(rows), kDog + fed + kDog);
}

TEST(FriendBookRead, DamagedOrOverlongBookNamesRecordAndOffset) {
  const Bytes book = kDog + kDog;
  for (std::size_t cut = kDog.size() + 1; cut < book.size(); ++cut) {
    auto rows = readFriendBook(BytesView(book).substr(0, cut), charset);
    ASSERT_FALSE(rows.ok()) << cut;
    EXPECT_EQ(rows.error().problem, BookProblem::Truncated);
    EXPECT_EQ(rows.error().record, 1u);
    EXPECT_EQ(rows.error().offset, kDog.size());
    EXPECT_FALSE(readCounts(BytesView(book).substr(0, cut)).ok());
  }
  // A length byte pointing far past the end.
  EXPECT_FALSE(readCounts(bytes({0, 0, 0, 0, 0xFF, 'a'})).ok());

  Bytes full;
  for (int i = 0; i < 1000; ++i) full += kEmpty;
  EXPECT_EQ(read(full).size(), 1000u);
  auto over = readCounts(full + kEmpty);
  ASSERT_FALSE(over.ok());
  EXPECT_EQ(over.error().problem, BookProblem::TooManyRecords);
  EXPECT_EQ(over.error().record, 1000u);
  EXPECT_EQ(over.error().offset, 1000 * kEmpty.size());
}

TEST(FriendBookRoundTrip, UnchangedBookIsWrittenBackByteForByte) {
  Bytes odd;
  for (int kind : {0, 5, 10, 255}) {
    odd += bytes({kind, 0xFF, 0x00, 0x7F, 0x00, 0x00, 0x01, 0xDF, 0xFE, 0xFF, 0x01, 0x80});
  }
  EXPECT_EQ(encode(read(odd)), odd);
  EXPECT_EQ(encode(read(kDog + kEmpty)), kDog + kEmpty);

  const auto large = encodeFriendBook(largeBookRows(), charset);
  ASSERT_TRUE(large.ok());
  ASSERT_EQ(large.value().size(), kMaxBookSize);
  EXPECT_EQ(encode(read(large.value())), large.value());
}

TEST(FriendBookEncode, EditedFieldsAreEncodedAndNewRowsGetZeros) {
  auto rows = read(kDog + kEmpty);
  rows[0].friendName = u"ｱ";
  rows[0].petKindName = u"ハムスター";
  rows[1].petKindName = u"テディベア";
  FriendEntry added;
  added.friendName = u"森";
  added.friendAddress = u"m@x";
  rows.push_back(added);
  // clang-format off
  const Bytes expected = bytes({
      0x07, 0x01, 0x02, 0x03, 0x04, 0x83, 0x7C, 0x83, 0x60,  // new kind, same pet name
      0x01, 0xB1, 0x03, 'a', '@', 0xB1, 0x39, 0x30, 0xAA, 0xBB,  // name edited
      0x01, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0,  // kind 5 replaced by a named one
      0x00, 0, 0, 0, 0, 0x02, 0x90, 0x58, 0x03, 'm', '@', 'x', 0, 0, 0, 0});  // added
  // clang-format on
  EXPECT_EQ(encode(rows), expected);

  // A kind emptied out is 0; a count as shown goes back as a number.
  rows[0].petKindName.clear();
  rows[2].friendNum = u" 65535";
  const Bytes book = encode(rows);
  EXPECT_EQ(book[0], 0);
  EXPECT_EQ(book.substr(book.size() - 4, 2), bytes({0xFF, 0xFF}));
}

TEST(FriendBookEncode, FieldsThatCannotBeStoredStopTheWholeBook) {
  struct Case {
    const char* what;
    void (*edit)(FriendEntry&);
    EncodeProblem problem;
    BookField field;
  };
  const Case cases[] = {
      {"pet name of 256 bytes", [](FriendEntry& r) { r.petName = Text(128, u'山'); },
       EncodeProblem::TooLong, BookField::PetName},
      {"name without a code", [](FriendEntry& r) { r.friendName = Text(u"한"); },
       EncodeProblem::NotEncodable, BookField::FriendName},
      {"address of 256", [](FriendEntry& r) { r.friendAddress = Text(256, u'a'); },
       EncodeProblem::TooLong, BookField::FriendAddress},
      {"full-width address", [](FriendEntry& r) { r.friendAddress = u"ａ@b"; },
       EncodeProblem::NotSingleByte, BookField::FriendAddress},
      {"replacement left in the address", [](FriendEntry& r) { r.friendAddress += u"\uFFFD"; },
       EncodeProblem::NotSingleByte, BookField::FriendAddress},
  };
  for (const Case& c : cases) {
    auto rows = read(kEmpty + kDog);
    c.edit(rows[1]);
    auto book = encodeFriendBook(rows, charset);
    ASSERT_FALSE(book.ok()) << c.what;
    EXPECT_EQ(book.error().problem, c.problem) << c.what;
    EXPECT_EQ(book.error().field, c.field) << c.what;
    EXPECT_EQ(book.error().row, 1u) << c.what;
  }

  auto rows = read(kDog);
  rows[0].petName = Text(127, u'山') + u"a";  // 255 bytes still fits
  EXPECT_TRUE(encodeFriendBook(rows, charset).ok());

  auto large = largeBookRows();
  large[998].friendAddress += u"!";
  auto book = encodeFriendBook(large, charset);
  ASSERT_FALSE(book.ok());
  EXPECT_EQ(book.error().problem, EncodeProblem::ImageTooLarge);
  EXPECT_EQ(book.error().row, 999u);
}

}  // namespace
}  // namespace quillby

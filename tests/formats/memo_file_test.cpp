#include "formats/memo_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "formats/book_bytes.h"
#include "formats/friend_book.h"
#include "formats/test_charset.h"
#include "formats/utf8_text.h"

namespace quillby {
namespace {

using ::testing::ElementsAre;
using ::testing::Field;

const TestCharset charset;

FriendEntry row(Text name, Text address, Text memo = u"") {
  FriendEntry r;
  r.friendName = std::move(name);
  r.friendAddress = std::move(address);
  r.friendMemo = std::move(memo);
  return r;
}

Bytes encode(const std::vector<FriendEntry>& rows) {
  auto file = encodeMemoFile(rows, charset);
  EXPECT_TRUE(file.ok());
  return file.ok() ? file.value() : Bytes{};
}

std::vector<Text> memosOf(const std::vector<FriendEntry>& rows) {
  std::vector<Text> memos;
  for (const auto& r : rows) memos.push_back(r.friendMemo);
  return memos;
}

TEST(MemoFile, WritesQuotedFieldsAndReadsThemBack) {
  EXPECT_EQ(encode({}), "");
  EXPECT_EQ(encode({row(u"N", u"a@b")}), "\"N\",\"a@b\",\"\"\r\n");

  const std::vector<FriendEntry> rows{row(u"山田", u"y@x", u"一行目\r\n二行目"),
                                      row(u"A, B", u"b@x", u"say \"hi\", then go"),
                                      row(u"", u"", u"\"")};
  const Bytes file = encode(rows);
  EXPECT_NE(file.find("\"say \"\"hi\"\", then go\""), Bytes::npos);
  const auto records = readMemoFile(file, charset);
  ASSERT_EQ(records.size(), 3u);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(records[i].name, rows[i].friendName);
    EXPECT_EQ(records[i].address, rows[i].friendAddress);
    EXPECT_EQ(records[i].memo, rows[i].friendMemo);
  }
}

TEST(MemoFile, ReadsHandWrittenAndShortFiles) {
  // Unquoted fields run to the comma; a record that is not tidy is its line.
  const auto records = readMemoFile(
      "  \"a\",\"a@x\",\"m1\"\r\n"
      "b,b@x , m2,\"extra\"\n"
      "\r\n"
      "\"c\"junk,\"c@x\"\r\n"
      "\"d\",\"d@x\",\"m4\"\r\n",
      charset);
  EXPECT_THAT(records, ElementsAre(Field(&MemoRecord::memo, u"m1"), Field(&MemoRecord::memo, u"m2"),
                                   Field(&MemoRecord::memo, u""), Field(&MemoRecord::memo, u"m4")));
  EXPECT_EQ(records[1].address, u"b@x ");
  EXPECT_EQ(records[2].name, u"c");
  EXPECT_EQ(records[2].address, u"c@x");

  const auto shortLast = readMemoFile("\"a\",\"a@x\",\"m\"\r\n\"b\",\"b@x\"", charset);
  ASSERT_EQ(shortLast.size(), 2u);
  EXPECT_EQ(shortLast[1].address, u"b@x");
  EXPECT_EQ(shortLast[1].memo, u"");

  EXPECT_EQ(
      readMemoFile(bytes({'"', 0x85, 0x40, '"', ',', ',', '"', 0x82, 0xA0, '"'}), charset)[0].memo,
      u"あ");
  EXPECT_TRUE(readMemoFile("\r\n  \r\n", charset).empty());

  Bytes many;
  for (int i = 0; i < 1005; ++i) many += "\"n\",\"a\",\"m\"\r\n";
  EXPECT_EQ(readMemoFile(many, charset).size(), 1000u);
}

// Files written with quotes left raw (by hand, or by a writer that escapes
// nothing): every record keeps its own fields, and so does every record after.
TEST(MemoFile, ReadsFilesWithRawQuotes) {
  struct Case {
    const char* what;
    Bytes record;  // friend B's record, as written
    Text name;
    Text memo;
  };
  const Case cases[] = {
      {"quote at the end",
       "\"B\",\"b\",\"\x83\x54\x83\x43\x83\x59\x82\xcd"
       "12\"\"\r\n",
       u"B", u"サイズは12\""},
      {"quote in the middle", "\"B\",\"b\",\"12\"inch\"\r\n", u"B", u"12\"inch"},
      {"two quotes", "\"B\",\"b\",\"say \"hi\" now\"\r\n", u"B", u"say \"hi\" now"},
      {"quoted memo", "\"B\",\"b\",\"\"hi\"\"\r\n", u"B", u"\"hi\""},
      {"quote before a line break", "\"B\",\"b\",\"say \"hi\"\r\nbye\"\r\n", u"B",
       u"say \"hi\"\r\nbye"},
      {"quote in a name", "\"B\"2\",\"b\",\"m\"\r\n", u"B\"2", u"m"},
      // Where a quote cannot be told from a closing one, the field ends at it.
      {"quote and comma", "\"B\",\"b\",\"x\", y\"\r\n", u"B", u"x"},
  };
  const Bytes after = "\"C\",\"c\",\"one, two\r\nthree\"\r\n\"D\",\"d\",\"m\"\r\n";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto records = readMemoFile("\"A\",\"a\",\"first\"\r\n" + c.record + after, charset);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].memo, u"first");
    EXPECT_EQ(records[1].name, c.name);
    EXPECT_EQ(records[1].address, u"b");
    EXPECT_EQ(records[1].memo, c.memo);
    EXPECT_EQ(records[2].name, u"C");
    EXPECT_EQ(records[2].memo, u"one, two\r\nthree");
    EXPECT_EQ(records[3].name, u"D");
    EXPECT_EQ(records[3].memo, u"m");
  }
}

Bytes shiftJis(TextView text) { return charset.fromUnicode(text).value(); }

Bytes utf8(std::u8string_view text) { return Bytes(text.begin(), text.end()); }

// Each record is read in its own form: one written by hand among ours changes
// nothing for the others, and an end-of-file mark or blank lines after the last
// record do not cut its memo.
TEST(MemoFile, EachRecordIsReadInItsOwnForm) {
  const Bytes ours =
      encode({row(u"A", u"a", u"彼は\"まあね\"と"), row(u"B", u"b", u"返事は\"はい\", でした")});
  const Bytes handWritten = shiftJis(u"\"Cさん\",\"c@example.jp\",\"He said \"hi\"\"\r\n");
  const auto records = readMemoFile(ours + handWritten + ours, charset);
  EXPECT_THAT(records, ElementsAre(Field(&MemoRecord::memo, u"彼は\"まあね\"と"),
                                   Field(&MemoRecord::memo, u"返事は\"はい\", でした"),
                                   Field(&MemoRecord::memo, u"He said \"hi\""),
                                   Field(&MemoRecord::memo, u"彼は\"まあね\"と"),
                                   Field(&MemoRecord::memo, u"返事は\"はい\", でした")));
  EXPECT_EQ(records[2].name, u"Cさん");

  const Bytes last = shiftJis(u"\"D\",\"d\",\"サイズは\"12\"です\"");
  for (const Bytes& end : {Bytes("\x1A"), Bytes("\r\n\x1A"), Bytes("\r\n\r\n  \r\n")}) {
    SCOPED_TRACE(testing::PrintToString(end));
    const auto withEnd = readMemoFile(ours + last + end, charset);
    ASSERT_EQ(withEnd.size(), 3u);
    EXPECT_EQ(withEnd[2].memo, u"サイズは\"12\"です");
  }
}

// A file saved as UTF-8 reads as UTF-8, and the save writes it in Shift-JIS.
TEST(MemoFile, ReadsUtf8FilesAndWritesThemInShiftJis) {
  const Bytes file = utf8(u8"\"山田\",\"y@x\",\"お元気で、\"また\"\r\n二行目\"\r\n");
  for (const Bytes& mark : {Bytes{}, Bytes("\xEF\xBB\xBF")}) {
    SCOPED_TRACE(mark.empty() ? "without a byte-order mark" : "with a byte-order mark");
    std::vector<FriendEntry> rows{row(u"山田", u"y@x")};
    attachMemos(rows, readMemoFile(mark + file, charset));
    EXPECT_EQ(rows[0].friendMemo, u"お元気で、\"また\"\r\n二行目");
    EXPECT_EQ(encode(rows), shiftJis(u"\"山田\",\"y@x\",\"お元気で、\"\"また\"\"\r\n二行目\"\r\n"));
  }
  // Shift-JIS, and text that is not UTF-8 after a byte-order mark.
  EXPECT_EQ(readMemoFile(shiftJis(u"\"N\",\"a\",\"メモ\""), charset)[0].memo, u"メモ");
  EXPECT_EQ(readMemoFile("\xEF\xBB\xBF\"N\",\"a\",\"x\x82\xA0\"", charset)[0].memo,
            u"x\uFFFD\uFFFD");
}

// Notepad's "Unicode": UTF-16 after a byte-order mark, either way round.
TEST(MemoFile, ReadsUtf16FilesByTheirMark) {
  const Text text = u"\"山田\",\"y@x\",\"猫😀\xD800\"\r\n";
  for (const bool little : {true, false}) {
    SCOPED_TRACE(little ? "little-endian" : "big-endian");
    const auto records = readMemoFile(utf16(text, little), charset);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].name, u"山田");
    EXPECT_EQ(records[0].address, u"y@x");
    EXPECT_EQ(records[0].memo, u"猫😀\uFFFD");
  }
}

TEST(Utf8Text, DecodesOnlyWhatTheStandardAllows) {
  EXPECT_EQ(decodeUtf8(utf8(u8"aé山😀")).text, u"aé山😀");
  EXPECT_TRUE(isUtf8(utf8(u8"aé山😀")));
  // Overlong, a surrogate, past U+10FFFF, a cut sequence, a lone continuation.
  for (const Bytes& bad : {Bytes("\xC0\xAF"), Bytes("\xED\xA0\x80"), Bytes("\xF4\x90\x80\x80"),
                           Bytes("\xE5\xB1"), Bytes("\x80")}) {
    SCOPED_TRACE(testing::PrintToString(bad));
    EXPECT_FALSE(isUtf8(bad));
    const auto decoded = decodeUtf8(bad + "z");
    EXPECT_FALSE(decoded.valid);
    EXPECT_EQ(decoded.text, Text(bad.size(), u'\uFFFD') + u"z");
  }
}

TEST(MemoFile, UneditedNamesKeepTheirStoredBytes) {
  const Bytes book = bytes({0, 0, 0, 0, 0, 0x02, 0x85, 0x40, 0x01, 0x80, 0, 0, 0, 0});
  auto rows = readFriendBook(book, charset).value();
  EXPECT_EQ(encode(rows),
            bytes({'"', 0x85, 0x40, '"', ',', '"', 0x80, '"', ',', '"', '"', '\r', '\n'}));

  rows[0].friendMemo = Text(u"한");
  auto failed = encodeMemoFile(rows, charset);
  ASSERT_FALSE(failed.ok());
  EXPECT_EQ(failed.error().row, 0u);
  EXPECT_EQ(failed.error().field, MemoField::Memo);
  rows[0].friendMemo.clear();
  rows[0].friendName += u"x";  // edited: the U+FFFD shown has no code
  EXPECT_EQ(encodeMemoFile(rows, charset).error().field, MemoField::Name);
}

// A memo the user leaves alone goes back as the file held it, even bytes that
// do not decode; once edited it is written from its text.
TEST(MemoFile, UneditedMemosKeepTheirBytes) {
  const Bytes file = bytes({'"', 'N', '"', ',', '"', 'a', '"', ',', '"', 0x85, 0x40, '"', '"', 'q',
                            '"', '"', '"', '\r', '\n'});
  std::vector<FriendEntry> rows{row(u"N", u"a")};
  attachMemos(rows, readMemoFile(file, charset));
  EXPECT_EQ(rows[0].friendMemo, u"\uFFFD\"q\"");
  EXPECT_EQ(encode(rows), file);

  rows[0].friendMemo = u"ok";
  EXPECT_EQ(encode(rows), "\"N\",\"a\",\"ok\"\r\n");
  rows[0].friendMemo = u"\uFFFD";  // typed: no code to write it with
  EXPECT_EQ(encodeMemoFile(rows, charset).error().field, MemoField::Memo);
}

TEST(AttachMemos, MemosFollowTheirFriends) {
  std::vector<FriendEntry> written{row(u"A", u"a"), row(u"B", u"b"), row(u"C", u"c")};
  written[0].friendMemo = u"memo A";
  written[1].friendMemo = u"memo B";
  written[2].friendMemo = u"memo C";
  const auto records = readMemoFile(encode(written), charset);

  std::vector<FriendEntry> reordered{row(u"C", u"c"), row(u"B", u"b"), row(u"A", u"a")};
  attachMemos(reordered, records);
  EXPECT_THAT(memosOf(reordered), ElementsAre(u"memo C", u"memo B", u"memo A"));

  // A friend gone from the book leaves its memo unused when its position is
  // taken by one the memo file does not know.
  std::vector<FriendEntry> changed{row(u"X", u"x"), row(u"A", u"a"), row(u"Y", u"y")};
  attachMemos(changed, records);
  EXPECT_THAT(memosOf(changed), ElementsAre(u"", u"memo A", u"memo C"));

  // Two friends of the same name and address, and a duplicate record, which
  // only its place can give a friend.
  std::vector<FriendEntry> twins{row(u"T", u"t"), row(u"T", u"t"), row(u"U", u"u")};
  attachMemos(twins, {{u"T", u"t", u"1"}, {u"T", u"t", u"2"}, {u"T", u"t", u"3"}});
  EXPECT_THAT(memosOf(twins), ElementsAre(u"1", u"2", u"3"));

  std::vector<FriendEntry> fewer{row(u"B", u"b")};
  attachMemos(fewer, records);
  EXPECT_THAT(memosOf(fewer), ElementsAre(u"memo B"));
}

// What the host program does to its friend book between runs: each friend
// keeps its memo, whatever else changed.
TEST(AttachMemos, FriendsTheHostRenamedReaddressedOrMovedKeepTheirMemos) {
  const std::vector<MemoRecord> records{{u"A", u"a", u"memo A"},
                                        {u"B", u"b", u"memo B"},
                                        {u"C", u"c", u"memo C"},
                                        {u"D", u"d", u"memo D"}};
  struct Case {
    const char* what;
    std::vector<FriendEntry> book;
    std::vector<Text> memos;
  };
  const Case cases[] = {
      {"renamed",
       {row(u"A", u"a"), row(u"Bee", u"b"), row(u"C", u"c"), row(u"D", u"d")},
       {u"memo A", u"memo B", u"memo C", u"memo D"}},
      {"re-addressed and moved to the top",
       {row(u"C", u"new"), row(u"A", u"a"), row(u"B", u"b"), row(u"D", u"d")},
       {u"memo C", u"memo A", u"memo B", u"memo D"}},
      {"one renamed, another re-addressed and moved",
       {row(u"D", u"new"), row(u"A", u"a"), row(u"Bee", u"b"), row(u"C", u"c")},
       {u"memo D", u"memo A", u"memo B", u"memo C"}},
      {"deleted",
       {row(u"A", u"a"), row(u"C", u"c"), row(u"D", u"d")},
       {u"memo A", u"memo C", u"memo D"}},
      {"renamed and deleted before it",
       {row(u"B", u"b"), row(u"Cee", u"c"), row(u"D", u"d")},
       {u"memo B", u"memo C", u"memo D"}},
      // Sharing an address or a name tells nothing: place decides, where free.
      {"two share an address",
       {row(u"A2", u"a"), row(u"A3", u"a"), row(u"C", u"c"), row(u"D", u"d")},
       {u"memo A", u"memo B", u"memo C", u"memo D"}},
      {"two share a name",
       {row(u"C", u"x"), row(u"C", u"y"), row(u"A", u"a"), row(u"D", u"d")},
       {u"", u"memo B", u"memo A", u"memo D"}},
      {"all at once",
       {row(u"D", u"new"), row(u"Bee", u"b"), row(u"E", u"e"), row(u"F", u"e"), row(u"A", u"a")},
       {u"memo D", u"memo B", u"memo C", u"", u"memo A"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto rows = c.book;
    attachMemos(rows, records);
    EXPECT_EQ(memosOf(rows), c.memos);
  }
}

}  // namespace
}  // namespace quillby

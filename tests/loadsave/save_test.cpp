#include "loadsave/save.h"

#include <gtest/gtest.h>

#include "loadsave/book_folder.h"
#include "loadsave/startup_load.h"
#include "support/fault_files.h"

namespace quillby {
namespace {

using namespace std::string_literals;

class Save : public ::testing::Test {
 protected:
  FriendTable start(std::vector<FriendEntry> rows) {
    f.put(kBookFile, bookOf(std::move(rows), f.charset));
    auto table = loadFriendsWithMemos(f.files, f.charset);
    EXPECT_TRUE(table.ok());
    return table.ok() ? table.value() : FriendTable{};
  }
  FriendTable restart() {
    auto table = loadFriendsWithMemos(f.files, f.charset);
    EXPECT_TRUE(table.ok());
    return table.ok() ? table.value() : FriendTable{};
  }
  BookFolder f;
};

TEST_F(Save, UneditedSaveWritesTheBookBackByteForByte) {
  // Odd kind code, filler in use, a count past 32767, a name that is not
  // valid Shift-JIS: all of it belongs to the host program.
  const Bytes book =
      "\x05\x01\x02\x03"
      "\x02\x83\x7f"
      "\x02\x81\x40"
      "\x03xyz"
      "\x10\x90"
      "\x07\x08"
      "\x09\x00\x00\x00"
      "\x00"
      "\x02\xff\xfe"
      "\x00"
      "\x00\x00"
      "\x00\x00"s;
  f.put(kBookFile, book);
  auto table = restart();
  ASSERT_EQ(table.rows.size(), 2u);
  EXPECT_EQ(table.rows[0].friendNum, u" 36880");
  ASSERT_EQ(saveFriends(table, f.files, f.clock, f.charset), std::nullopt);
  EXPECT_EQ(f.get(kBookFile), book);
  ASSERT_EQ(saveFriends(table, f.files, f.clock, f.charset), std::nullopt);
  EXPECT_EQ(f.get(kBookFile), book);
}

TEST_F(Save, EditsMemosAndOrderSurviveARestart) {
  auto table = start({friendRow(u"A", 1), friendRow(u"B", 2), friendRow(u"C", 3)});
  table.rows[0].friendMemo = u"line 1\r\nline \"2\", end";
  table.rows[1].friendName = u"ボブ";
  table.rows[2].friendAddress = u"c@example.jp";
  std::swap(table.rows[0], table.rows[2]);
  ASSERT_EQ(saveFriends(table, f.files, f.clock, f.charset), std::nullopt);

  auto again = restart();
  ASSERT_EQ(again.rows.size(), 3u);
  EXPECT_EQ(again.rows[0].friendName, u"C");
  EXPECT_EQ(again.rows[0].friendAddress, u"c@example.jp");
  EXPECT_EQ(again.rows[1].friendName, u"ボブ");
  EXPECT_EQ(again.rows[2].friendMemo, u"line 1\r\nline \"2\", end");
  // Counts follow their friends, not the positions.
  EXPECT_EQ(again.rows[0].friendNum, u" 3");
  EXPECT_EQ(again.rows[2].friendNum, u" 1");
}

TEST_F(Save, CountsTheHostChangedMeanwhileAreKept) {
  auto table = start({friendRow(u"A", 1), friendRow(u"B", 2)});
  f.put(kBookFile, bookOf({friendRow(u"A", 11), friendRow(u"B", 22)}, f.charset));
  table.rows.erase(table.rows.begin());
  FriendEntry added;
  added.friendName = u"新しいおともだち";
  table.rows.push_back(added);
  ASSERT_EQ(saveFriends(table, f.files, f.clock, f.charset), std::nullopt);
  EXPECT_EQ(table.rows[0].friendNum, u" 22");
  EXPECT_EQ(table.rows[1].friendNum, u"");
  auto again = restart();
  EXPECT_EQ(again.rows[0].friendNum, u" 22");
  EXPECT_EQ(again.rows[1].friendNum, u" 0");
  EXPECT_EQ(again.rows[1].petKindName, u"");

  // After the save each row's record is the one just written at its place.
  std::swap(table.rows[0], table.rows[1]);
  ASSERT_EQ(saveFriends(table, f.files, f.clock, f.charset), std::nullopt);
  EXPECT_EQ(restart().rows[1].friendNum, u" 22");
}

// Friends another program added, removed or changed since the load would be
// lost: the save touches nothing unless told to write over them, and after
// such a save the book is ours again.
TEST_F(Save, FriendsChangedMeanwhileAreNotWrittenOverUnasked) {
  auto table = start({friendRow(u"A", 1), friendRow(u"B", 2)});
  table.rows[0].friendMemo = u"edited";
  for (const auto& other :
       {std::vector{friendRow(u"New", 9), friendRow(u"A", 1), friendRow(u"B", 2)},
        std::vector{friendRow(u"B", 2)}, std::vector{friendRow(u"A", 1), friendRow(u"Bee", 2)}}) {
    f.put(kBookFile, bookOf(other, f.charset));
    const Bytes book = f.get(kBookFile);
    const Bytes memo = f.get(kMemoFile);
    const auto failure = saveFriends(table, f.files, f.clock, f.charset);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->failure, BookFailure::ChangedMeanwhile);
    EXPECT_EQ(f.get(kBookFile), book);
    EXPECT_EQ(f.get(kMemoFile), memo);
  }

  EXPECT_FALSE(saveFriends(table, f.files, f.clock, f.charset, OtherChanges::WriteOver));
  EXPECT_EQ(restart().rows.size(), 2u);
  EXPECT_FALSE(saveFriends(table, f.files, f.clock, f.charset));
}

// Saving over a book the host program changed: each friend keeps its own
// count, whoever the host removed, renamed or counted a mail for.
TEST_F(Save, WritingOverOtherChangesTakesEachFriendsOwnCount) {
  const auto who = [](Text name, Text address, std::uint16_t count) {
    FriendEntry row = friendRow(std::move(name), count);
    row.friendAddress = std::move(address);
    return row;
  };
  const std::vector<FriendEntry> loaded{who(u"あきこ", u"akiko@x.jp", 5),
                                        who(u"ひろし", u"hiroshi@x.jp", 7),
                                        who(u"ケン", u"ken@x.jp", 9)};
  struct Case {
    const char* what;
    std::vector<FriendEntry> onDisk;
    std::vector<Text> counts;
  };
  const Case cases[] = {
      {"removed one, counted another",
       {who(u"ひろし", u"hiroshi@x.jp", 7), who(u"ケン", u"ken@x.jp", 10)},
       {u" 5", u" 7", u" 10"}},
      {"renamed and counted, added one at the top",
       {who(u"新人", u"new@x.jp", 3), who(u"あきこ", u"akiko@x.jp", 5),
        who(u"ひろ", u"hiroshi@x.jp", 8), who(u"ケン", u"ken@x.jp", 9)},
       {u" 5", u" 8", u" 9"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BookFolder g;
    g.put(kBookFile, bookOf(loaded, g.charset));
    auto table = loadFriendsWithMemos(g.files, g.charset).value();
    g.put(kBookFile, bookOf(c.onDisk, g.charset));
    ASSERT_EQ(saveFriends(table, g.files, g.clock, g.charset, OtherChanges::WriteOver),
              std::nullopt);
    auto saved = loadFriends(g.files, g.charset).value();
    ASSERT_EQ(saved.rows.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(saved.rows[i].friendNum, c.counts[i]) << i;
  }
}

TEST_F(Save, RefusesAnEmptyTableAndAVanishedBookWithoutTouchingFiles) {
  auto table = start({friendRow(u"A")});
  const Bytes book = f.get(kBookFile);
  FriendTable empty;
  auto failure = saveFriends(empty, f.files, f.clock, f.charset);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->failure, BookFailure::EmptyTable);
  EXPECT_EQ(f.get(kBookFile), book);

  std::filesystem::remove(f.folder / kBookFile);
  table.rows[0].friendMemo = u"new";
  failure = saveFriends(table, f.files, f.clock, f.charset);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->failure, BookFailure::Missing);
  EXPECT_FALSE(f.has(kBookFile));
  EXPECT_EQ(f.get(kMemoFile), "");
}

TEST_F(Save, EncodingFailuresNameTheFriendAndFieldAndWriteNothing) {
  struct Case {
    const char* what;
    std::function<void(FriendEntry&)> edit;
    BookFailure failure;
    std::size_t row;
  };
  const Case cases[] = {
      {"long name", [](FriendEntry& r) { r.friendName = Text(128, u'あ'); },
       BookFailure::CannotEncode, 1},
      {"wide address", [](FriendEntry& r) { r.friendAddress = u"ａ@b.jp"; },
       BookFailure::CannotEncode, 1},
      {"memo outside code page 932", [](FriendEntry& r) { r.friendMemo = u"\U0001F600"; },
       BookFailure::CannotEncodeMemo, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    BookFolder g;
    g.put(kBookFile, bookOf({friendRow(u"A"), friendRow(u"B")}, g.charset));
    auto table = loadFriendsWithMemos(g.files, g.charset).value();
    g.put(kMemoFile, "old memos");
    const Bytes book = g.get(kBookFile);
    c.edit(table.rows[1]);
    auto failure = saveFriends(table, g.files, g.clock, g.charset);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->failure, c.failure);
    const auto row = failure->encodeError ? failure->encodeError->row : failure->memoError->row;
    EXPECT_EQ(row, c.row);
    EXPECT_EQ(g.get(kBookFile), book);
    EXPECT_EQ(g.get(kMemoFile), "old memos");
  }
}

// Whatever step of the save fails, the friend book and the memo file are both
// as they were, so the next start still gives every friend its own memo.
TEST_F(Save, AFailureAtAnyStepLeavesBothFilesAsTheyWere) {
  const std::pair<FileOperation, int> steps[] = {
      {FileOperation::ReadAll, 1},         // the book
      {FileOperation::ReadAll, 2},         // the memo file
      {FileOperation::MakeFolder, 1},      // the backups
      {FileOperation::MakeFolder, 2},      // this save's backup
      {FileOperation::WriteTemporary, 1},  // the book's backup
      {FileOperation::WriteTemporary, 2},  // the memo file's backup
      {FileOperation::Move, 1},            // the backup, complete
      {FileOperation::WriteTemporary, 3},  // the new memo file
      {FileOperation::WriteTemporary, 4},  // the new book
      {FileOperation::WriteAtomic, 1},     // the marker naming them
      {FileOperation::Move, 2},            // the memo file
      {FileOperation::Move, 3},            // the book, after the memo file was replaced
  };
  for (const auto& [step, nth] : steps) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(step) << " #" << nth);
    BookFolder g;
    g.put(kBookFile, bookOf({friendRow(u"A"), friendRow(u"B")}, g.charset));
    auto table = loadFriendsWithMemos(g.files, g.charset).value();
    table.rows[0].friendMemo = u"memo A";
    table.rows[1].friendMemo = u"memo B";
    ASSERT_FALSE(saveFriends(table, g.files, g.clock, g.charset));
    const Bytes book = g.get(kBookFile);
    const Bytes memo = g.get(kMemoFile);

    table.rows[0].friendName = u"エー";
    std::swap(table.rows[0], table.rows[1]);
    FaultFiles files(g.files);
    files.failNth(step, nth, FileError{FileProblem::DiskFull, 28});
    const auto failure = saveFriends(table, files, g.clock, g.charset);
    ASSERT_TRUE(failure);
    EXPECT_FALSE(failure->memoFileReplaced);
    EXPECT_EQ(g.get(kBookFile), book);
    EXPECT_EQ(g.get(kMemoFile), memo);
    // Book, safety copy, memo, backups: no leftovers.
    EXPECT_EQ(g.folder.entries().size(), 4u);

    auto reloaded = loadFriendsWithMemos(g.files, g.charset).value();
    ASSERT_EQ(reloaded.rows.size(), 2u);
    EXPECT_EQ(reloaded.rows[0].friendMemo, u"memo A");
    EXPECT_EQ(reloaded.rows[1].friendMemo, u"memo B");
  }
}

// Where the memo file cannot be put back, the user is told, and the next start
// makes the two files one pair again: the save's or the one before it.
TEST_F(Save, SaysSoWhenTheMemoFileCannotBePutBackAndTheNextStartMendsIt) {
  struct Case {
    const char* what;
    std::pair<FileOperation, int> alsoFails;
    Text memoAfterStart;
  };
  const Case cases[] = {
      {"the old memo file not written: the save is finished",
       {FileOperation::WriteTemporary, 5},
       u"new"},
      {"the old memo file not moved back: the save is undone", {FileOperation::Move, 4}, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BookFolder g;
    g.put(kBookFile, bookOf({friendRow(u"A"), friendRow(u"B")}, g.charset));
    auto table = loadFriendsWithMemos(g.files, g.charset).value();
    table.rows[0].friendMemo = u"new";
    table.rows[1].friendName = u"Bee";
    FaultFiles files(g.files);
    // After the backup's folder: the memo file, then the book.
    files.failNth(FileOperation::Move, 3, FileError{FileProblem::AccessDenied, 5});
    files.failNth(c.alsoFails.first, c.alsoFails.second, FileError{FileProblem::DiskFull, 28});
    const auto failure = saveFriends(table, files, g.clock, g.charset);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->failure, BookFailure::NotWritten);
    EXPECT_EQ(failure->file, kBookFile);
    EXPECT_TRUE(failure->memoFileReplaced);

    auto again = loadFriendsWithMemos(g.files, g.charset).value();
    EXPECT_EQ(again.rows[0].friendMemo, c.memoAfterStart);
    EXPECT_EQ(again.rows[1].friendName, c.memoAfterStart.empty() ? u"B" : u"Bee");
    EXPECT_EQ(g.folder.entries().size(), 4u);
  }
}

}  // namespace
}  // namespace quillby

#include "loadsave/startup_load.h"

#include <gtest/gtest.h>

#include "loadsave/book_folder.h"
#include "support/fault_files.h"

namespace quillby {
namespace {

TEST(StartupLoad, ReadsFriendsAttachesMemosAndRefreshesTheSafetyCopy) {
  BookFolder f;
  const Bytes book = bookOf({friendRow(u"あきこ", 5), friendRow(u"ひろし", 7)}, f.charset);
  f.put(kBookFile, book);
  f.put(kBackupFile, "older copy");
  f.put(kMemoFile, "\"\x82\xd0\x82\xeb\x82\xb5\",\"a@b.jp\",\"hi\"\r\n");  // ひろし

  auto table = loadFriendsWithMemos(f.files, f.charset);
  ASSERT_TRUE(table.ok());
  ASSERT_EQ(table.value().rows.size(), 2u);
  EXPECT_EQ(table.value().rows[0].friendNum, u" 5");
  EXPECT_EQ(table.value().rows[1].friendMemo, u"hi");  // followed its friend
  EXPECT_EQ(table.value().rows[0].friendMemo, u"");
  EXPECT_EQ(f.get(kBackupFile), book);
}

TEST(StartupLoad, CreatesAMissingMemoFileAndTakesAnEmptyBook) {
  BookFolder f;
  f.put(kBookFile, "");
  auto table = loadFriendsWithMemos(f.files, f.charset);
  ASSERT_TRUE(table.ok());
  EXPECT_TRUE(table.value().rows.empty());
  EXPECT_TRUE(f.has(kMemoFile));
  EXPECT_EQ(f.get(kMemoFile), "");
}

// On every failure each file stays exactly as it was: above all, the last good
// safety copy is not overwritten with a damaged book.
TEST(StartupLoad, FailuresLeaveEveryFileAsItWas) {
  struct Case {
    const char* what;
    std::optional<Bytes> book;
    BookFailure expected;
  };
  BookFolder probe;
  const Bytes good = bookOf({friendRow(u"A")}, probe.charset);
  Bytes tooMany;
  for (int i = 0; i < 1001; ++i) tooMany += bookOf({friendRow(u"")}, probe.charset);
  const Case cases[] = {
      {"missing", std::nullopt, BookFailure::Missing},
      {"truncated", good.substr(0, good.size() - 1), BookFailure::Damaged},
      {"1001 records", tooMany, BookFailure::Damaged},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    BookFolder f;
    if (c.book) f.put(kBookFile, *c.book);
    f.put(kBackupFile, "last good copy");
    auto table = loadFriendsWithMemos(f.files, f.charset);
    ASSERT_FALSE(table.ok());
    EXPECT_EQ(table.error().failure, c.expected);
    EXPECT_EQ(table.error().file, kBookFile);
    EXPECT_EQ(f.get(kBackupFile), "last good copy");
    EXPECT_FALSE(f.has(kMemoFile));
    if (c.book) {
      EXPECT_EQ(f.get(kBookFile), *c.book);
    }
  }
}

TEST(StartupLoad, DamageIsReportedWithRecordAndOffset) {
  BookFolder f;
  const Bytes one = bookOf({friendRow(u"A")}, f.charset);
  f.put(kBookFile, one + one.substr(0, 5));
  auto table = loadFriendsWithMemos(f.files, f.charset);
  ASSERT_FALSE(table.ok());
  ASSERT_TRUE(table.error().bookError);
  EXPECT_EQ(table.error().bookError->record, 1u);
  EXPECT_EQ(table.error().bookError->offset, one.size());
}

TEST(StartupLoad, UnreadableMemoFileOrFailedCopyStopsTheStart) {
  for (auto operation : {FileOperation::ReadAll, FileOperation::WriteAtomic}) {
    BookFolder f;
    f.put(kBookFile, bookOf({friendRow(u"A")}, f.charset));
    f.put(kMemoFile, "\"A\",\"a@b.jp\",\"keep me\"\r\n");
    f.put(kBackupFile, "last good copy");
    FaultFiles files(f.files);
    // The memo file is the second read; the safety copy the first write.
    files.failNth(operation, operation == FileOperation::ReadAll ? 2 : 1,
                  FileError{FileProblem::AccessDenied, 5});
    auto table = loadFriendsWithMemos(files, f.charset);
    ASSERT_FALSE(table.ok());
    EXPECT_EQ(table.error().file, operation == FileOperation::ReadAll ? kMemoFile : kBackupFile);
    EXPECT_EQ(f.get(kBackupFile), "last good copy");
    EXPECT_EQ(f.get(kMemoFile), "\"A\",\"a@b.jp\",\"keep me\"\r\n");
  }
}

TEST(StartupLoad, CompactLoadMakesNoCopyAndReadsNoMemos) {
  BookFolder f;
  f.put(kBookFile, bookOf({friendRow(u"A")}, f.charset));
  f.put(kMemoFile, "\"A\",\"a@b.jp\",\"memo\"\r\n");
  auto table = loadFriends(f.files, f.charset);
  ASSERT_TRUE(table.ok());
  EXPECT_EQ(table.value().rows.at(0).friendMemo, u"");
  EXPECT_FALSE(f.has(kBackupFile));
}

}  // namespace
}  // namespace quillby

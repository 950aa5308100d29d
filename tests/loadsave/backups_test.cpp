// Every version a save replaces is kept in "Quillby.backup", so that a save the
// user regrets can be undone by copying two files back.
#include "loadsave/backups.h"

#include <gtest/gtest.h>

#include "loadsave/book_folder.h"
#include "loadsave/save.h"
#include "loadsave/startup_load.h"
#include "support/fault_files.h"

namespace quillby {
namespace {

namespace fs = std::filesystem;

class Backups : public ::testing::Test {
 protected:
  void SetUp() override {
    f.put(kBookFile, bookOf({friendRow(u"A", 1), friendRow(u"B", 2)}, f.charset));
    f.put(kMemoFile, "\"A\",\"a@b.jp\",\"first\"\r\n");
    table = loadFriendsWithMemos(f.files, f.charset).value();
  }
  std::optional<BookFailureInfo> save(Files& files) {
    return saveFriends(table, files, f.clock, f.charset);
  }
  void editAndSave(const Text& memo) {
    table.rows[0].friendMemo = memo;
    ASSERT_EQ(save(f.files), std::nullopt);
  }
  void at(int hour, int minute, int second) {
    f.clock.at.secondsOfDay = hour * 3600 + minute * 60 + second + 0.75;
  }
  std::vector<fs::path> kept() const {
    std::vector<fs::path> names;
    if (!fs::exists(f.folder / kBackupsFolder)) return names;
    for (const auto& entry : fs::directory_iterator(f.folder / kBackupsFolder)) {
      names.push_back(entry.path().filename());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  Bytes keptFile(const fs::path& save, const fs::path& file) const {
    return f.get(kBackupsFolder / save / file);
  }

  BookFolder f;
  FriendTable table;
};

TEST_F(Backups, EachSaveKeepsTheBookAndMemoFileItReplaces) {
  const Bytes book0 = f.get(kBookFile);
  const Bytes memo0 = f.get(kMemoFile);
  const Bytes safetyCopy = f.get(kBackupFile);
  at(9, 5, 7);
  editAndSave(u"second");
  const Bytes memo1 = f.get(kMemoFile);
  ASSERT_NE(memo1, memo0);
  at(23, 59, 59);
  table.rows[1].friendName = u"Bee";
  editAndSave(u"third");

  const std::vector<fs::path> expected{"2026-12-07_09-05-07", "2026-12-07_23-59-59"};
  ASSERT_EQ(kept(), expected);
  EXPECT_EQ(keptFile(expected[0], kBookFile), book0);
  EXPECT_EQ(keptFile(expected[0], kMemoFile), memo0);
  EXPECT_EQ(keptFile(expected[1], kBookFile), book0);  // the book was written unchanged
  EXPECT_EQ(keptFile(expected[1], kMemoFile), memo1);
  EXPECT_EQ(f.get(kBackupFile), safetyCopy);

  // Going back: the two files copied over the current ones.
  f.put(kBookFile, keptFile(expected[0], kBookFile));
  f.put(kMemoFile, keptFile(expected[0], kMemoFile));
  auto restored = loadFriendsWithMemos(f.files, f.charset).value();
  EXPECT_EQ(restored.rows[1].friendName, u"B");
  EXPECT_EQ(restored.rows[0].friendMemo, u"first");
}

TEST_F(Backups, SameVersionIsKeptOnceAndSavesInOneSecondDoNotClash) {
  // The first save writes the memo file in its own form; after that, saving
  // without edits replaces only what the latest backup already holds.
  for (int n = 0; n < 3; ++n) ASSERT_EQ(save(f.files), std::nullopt);
  editAndSave(u"changed");
  editAndSave(u"again");
  const std::vector<fs::path> expected{"2026-12-07_12-00-00", "2026-12-07_12-00-00-01",
                                       "2026-12-07_12-00-00-02"};
  EXPECT_EQ(kept(), expected);
}

TEST_F(Backups, KeepsTheLastTwentySavesAndNothingElseIsTouched) {
  fs::create_directory(f.folder / kBackupsFolder);
  f.put(kBackupsFolder / "my notes.txt", "mine");
  fs::create_directory(f.folder / kBackupsFolder / "2026-12-07_10-00");
  for (int n = 0; n < 25; ++n) {
    at(13, 0, n);
    editAndSave(u"memo " + Text(1, static_cast<char16_t>(u'A' + n)));
  }
  const auto names = kept();
  ASSERT_EQ(names.size(), kKeptSaves + 2);
  EXPECT_EQ(names[0], "2026-12-07_10-00");
  EXPECT_EQ(names[1], "2026-12-07_13-00-05");
  EXPECT_EQ(names[kKeptSaves], "2026-12-07_13-00-24");
  EXPECT_EQ(names.back(), "my notes.txt");
}

// A save whose backup cannot be written writes nothing and leaves no part of
// the backup behind.
TEST_F(Backups, ABackupThatCannotBeWrittenStopsTheSave) {
  const std::pair<FileOperation, int> steps[] = {
      {FileOperation::MakeFolder, 1},   // Quillby.backup
      {FileOperation::MakeFolder, 2},   // this save's folder
      {FileOperation::WriteAtomic, 1},  // the book's copy
      {FileOperation::WriteAtomic, 2},  // the memo file's copy
  };
  const Bytes book = f.get(kBookFile);
  const Bytes memo = f.get(kMemoFile);
  table.rows[0].friendMemo = u"lost?";
  for (const auto& [step, nth] : steps) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(step) << " #" << nth);
    FaultFiles files(f.files);
    files.failNth(step, nth, FileError{FileProblem::DiskFull, 28});
    const auto failure = save(files);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->failure, BookFailure::BackupNotWritten);
    EXPECT_EQ(failure->fileError->problem, FileProblem::DiskFull);
    EXPECT_EQ(f.get(kBookFile), book);
    EXPECT_EQ(f.get(kMemoFile), memo);
    EXPECT_TRUE(kept().empty());
  }

  // A file in the folder's place.
  fs::remove(f.folder / kBackupsFolder);
  f.put(kBackupsFolder, "not a folder");
  const auto failure = save(f.files);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->failure, BookFailure::BackupNotWritten);
  EXPECT_EQ(failure->file, kBackupsFolder);
  EXPECT_EQ(f.get(kMemoFile), memo);
}

}  // namespace
}  // namespace quillby

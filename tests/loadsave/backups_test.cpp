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

  const std::vector<fs::path> expected{"000001_2026-12-07_09-05-07", "000002_2026-12-07_23-59-59"};
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

TEST_F(Backups, SameVersionIsKeptOnce) {
  // The first save writes the memo file in its own form; after that, saving
  // without edits replaces only what the latest backup already holds.
  for (int n = 0; n < 3; ++n) ASSERT_EQ(save(f.files), std::nullopt);
  editAndSave(u"changed");
  editAndSave(u"again");
  const std::vector<fs::path> expected{"000001_2026-12-07_12-00-00", "000002_2026-12-07_12-00-00",
                                       "000003_2026-12-07_12-00-00"};
  EXPECT_EQ(kept(), expected);
}

// The twenty made last are kept, however the clock went: set back, or standing
// still for many saves. Only folders of ours are removed, oldest first those of
// earlier versions, named by date alone.
TEST_F(Backups, KeepsTheTwentyMadeLastAndRemovesNothingButThem) {
  const fs::path userFolder = kBackupsFolder / "2026-12-01_09-00-00";
  const fs::path earlierVersion = kBackupsFolder / "2026-12-01_08-00-00";
  fs::create_directories(f.folder / userFolder);
  fs::create_directories(f.folder / earlierVersion);
  f.put(userFolder / kBookFile, "the user's copy");
  f.put(userFolder / "why.txt", "mine");
  f.put(earlierVersion / kBookFile, "an old save");
  f.put(kBackupsFolder / "2026-12-01_10-00-00", "a file named like a save");
  for (int n = 0; n < 25; ++n) {
    if (n < 10) at(20 - n, 0, 0);  // each save an hour before the last
    editAndSave(u"memo " + Text(1, static_cast<char16_t>(u'A' + n)));
  }
  const Bytes lastReplaced = f.get(kMemoFile);
  editAndSave(u"the last");

  auto names = kept();
  ASSERT_EQ(names.size(), kKeptSaves + 2);
  EXPECT_EQ(names[0], "000007_2026-12-07_14-00-00");
  EXPECT_EQ(names[kKeptSaves - 1], "000026_2026-12-07_11-00-00");
  EXPECT_EQ(keptFile(names[kKeptSaves - 1], kMemoFile), lastReplaced);
  EXPECT_EQ(names[kKeptSaves], "2026-12-01_09-00-00");
  EXPECT_EQ(names[kKeptSaves + 1], "2026-12-01_10-00-00");
  EXPECT_EQ(f.get(userFolder / kBookFile), "the user's copy");
}

// What a save or a write killed on its way left is removed at the next start;
// anything of the user's stays, whatever its name.
TEST_F(Backups, WhatKilledSavesLeftIsRemovedAtTheNextStart) {
  const fs::path unfinished = kBackupsFolder / "~000003_2026-12-07_11-00-00";
  const fs::path unfinishedEarlier = kBackupsFolder / "2026-12-06_10-00-00";
  const fs::path usersOwn = kBackupsFolder / "~000004_2026-12-07_11-00-00";
  for (const auto& folder : {unfinished, unfinishedEarlier, usersOwn}) {
    fs::create_directories(f.folder / folder);
  }
  f.put(unfinished / kBookFile, "half");
  f.put(unfinishedEarlier / "~quillby-12-0.tmp", "half");
  f.put(usersOwn / kBookFile, "mine");
  f.put(usersOwn / "notes.txt", "mine");
  f.put(kNewMemoFile, "half");
  f.put("~quillby-12-1.tmp", "half");
  f.put("~quillby-notes.txt", "mine");
  const auto before = f.folder.entries();

  ASSERT_TRUE(loadFriendsWithMemos(f.files, f.charset));
  EXPECT_EQ(kept(), std::vector<fs::path>{usersOwn.filename()});
  EXPECT_EQ(f.folder.entries().size(), before.size() - 2);
  EXPECT_TRUE(f.has("~quillby-notes.txt"));
  editAndSave(u"saved");
  EXPECT_EQ(kept(), (std::vector<fs::path>{"000005_2026-12-07_12-00-00", usersOwn.filename()}));
}

// A save whose backup cannot be written writes nothing and leaves no part of
// the backup behind.
TEST_F(Backups, ABackupThatCannotBeWrittenStopsTheSave) {
  const std::pair<FileOperation, int> steps[] = {
      {FileOperation::MakeFolder, 1},      // Quillby.backup
      {FileOperation::MakeFolder, 2},      // this save's folder
      {FileOperation::WriteTemporary, 1},  // the book's copy
      {FileOperation::WriteTemporary, 2},  // the memo file's copy
      {FileOperation::Move, 1},            // the folder, complete
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

// The system's Files in real temporary folders; the same cases on every system.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

#include "support/system_platform.h"
#include "support/temp_folder.h"

namespace quillby {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

const fs::path kBook = u8"おともだち帳";
const fs::path kCopy = u8"おともだち帳.original";
const fs::path kMemo = u8"Quillby.memo";

// Written and read with the standard library, so that Files is checked against
// something other than itself.
void put(const fs::path& file, BytesView data) {
  std::ofstream out(file, std::ios::binary);
  out.write(data.data(), static_cast<std::streamsize>(data.size()));
  ASSERT_TRUE(out.good());
}

Bytes contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

void makeReadOnly(const fs::path& file) {
  fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

Bytes everyByteValue() {
  Bytes data;
  for (int round = 0; round < 3; ++round) {
    for (int byte = 0; byte < 256; ++byte) data.push_back(static_cast<char>(byte));
  }
  return data + "\r\n\n\r\x1A";  // nothing may be translated as text
}

class FilesTest : public ::testing::Test {
 protected:
  SystemFiles files;
  TempFolder folder;
};

TEST_F(FilesTest, WritesANewFileExactlyAndLeavesNothingElse) {
  const Bytes data = everyByteValue();
  EXPECT_EQ(files.writeAtomic(folder / kMemo, data), std::nullopt);
  EXPECT_EQ(contents(folder / kMemo), data);
  EXPECT_THAT(folder.entries(), ElementsAre(kMemo));
}

TEST_F(FilesTest, ReplacesAFileWhole) {
  put(folder / kMemo, Bytes(1000, 'x'));
  EXPECT_EQ(files.writeAtomic(folder / kMemo, "short"), std::nullopt);
  EXPECT_EQ(contents(folder / kMemo), "short");
  EXPECT_THAT(folder.entries(), ElementsAre(kMemo));
}

TEST_F(FilesTest, ReadsEveryByte) {
  const Bytes data = everyByteValue();
  put(folder / kMemo, data);
  const auto read = files.readAll(folder / kMemo);
  ASSERT_TRUE(read);
  EXPECT_EQ(read.value(), data);
}

TEST_F(FilesTest, EmptyFiles) {
  EXPECT_EQ(files.writeAtomic(folder / kMemo, ""), std::nullopt);
  EXPECT_TRUE(files.exists(folder / kMemo));
  const auto read = files.readAll(folder / kMemo);
  ASSERT_TRUE(read);
  EXPECT_EQ(read.value(), "");
}

TEST_F(FilesTest, JapaneseNames) {
  EXPECT_EQ(files.writeAtomic(folder / kBook, "book"), std::nullopt);
  EXPECT_EQ(files.writeAtomic(folder / kCopy, "copy"), std::nullopt);
  EXPECT_EQ(files.writeAtomic(folder / kMemo, "memo"), std::nullopt);
  EXPECT_THAT(folder.entries(), ElementsAre(kMemo, kBook, kCopy));
  EXPECT_TRUE(files.exists(folder / kBook));
  const auto read = files.readAll(folder / kBook);
  ASSERT_TRUE(read);
  EXPECT_EQ(read.value(), "book");
}

TEST_F(FilesTest, ReadOnlyFileIsRefusedAndKept) {
  put(folder / kBook, "old");
  makeReadOnly(folder / kBook);

  const auto written = files.writeAtomic(folder / kBook, "new");
  ASSERT_TRUE(written);
  EXPECT_EQ(written->problem, FileProblem::AccessDenied);

  EXPECT_EQ(contents(folder / kBook), "old");
  EXPECT_THAT(folder.entries(), ElementsAre(kBook));
  const auto read = files.readAll(folder / kBook);
  ASSERT_TRUE(read);
  EXPECT_EQ(read.value(), "old");
}

TEST_F(FilesTest, MissingFileOrFolderIsNotFound) {
  const fs::path missingFolder = folder / "missing";
  const auto written = files.writeAtomic(missingFolder / kBook, "data");
  ASSERT_TRUE(written);
  EXPECT_EQ(written->problem, FileProblem::NotFound);
  EXPECT_NE(written->systemCode, 0);

  const auto read = files.readAll(folder / kBook);
  ASSERT_FALSE(read);
  EXPECT_EQ(read.error().problem, FileProblem::NotFound);
  const auto moved = files.setCurrentDirectory(missingFolder);
  ASSERT_TRUE(moved);
  EXPECT_EQ(moved->problem, FileProblem::NotFound);

  EXPECT_FALSE(files.exists(folder / kBook));
  EXPECT_TRUE(folder.entries().empty());
}

TEST_F(FilesTest, FolderInPlaceOfAFileIsRefused) {
  fs::create_directory(folder / kBook);
  EXPECT_FALSE(files.exists(folder / kBook));
  const auto read = files.readAll(folder / kBook);
  ASSERT_FALSE(read);
  EXPECT_EQ(read.error().problem, FileProblem::AccessDenied);
  const auto written = files.writeAtomic(folder / kBook, "data");
  ASSERT_TRUE(written);
  EXPECT_EQ(written->problem, FileProblem::AccessDenied);
  EXPECT_TRUE(fs::is_directory(folder / kBook));
  EXPECT_THAT(folder.entries(), ElementsAre(kBook));
}

// Puts the current directory back, whatever the test did.
class CurrentDirectoryKeeper {
 public:
  ~CurrentDirectoryKeeper() {
    std::error_code ignored;
    fs::current_path(saved_, ignored);
  }

 private:
  fs::path saved_ = fs::current_path();
};

TEST_F(FilesTest, NamesWithoutAFolderAreInTheCurrentDirectory) {
  CurrentDirectoryKeeper keeper;
  EXPECT_EQ(files.setCurrentDirectory(folder.path()), std::nullopt);
  EXPECT_TRUE(fs::equivalent(fs::current_path(), folder.path()));

  EXPECT_EQ(files.writeAtomic(kBook, "book"), std::nullopt);
  EXPECT_TRUE(files.exists(kBook));
  EXPECT_EQ(contents(folder / kBook), "book");
  EXPECT_THAT(folder.entries(), ElementsAre(kBook));
}

TEST_F(FilesTest, ReadsUpToTheLimitAndRefusesMore) {
  std::ofstream(folder / kBook, std::ios::binary).close();
  fs::resize_file(folder / kBook, kMaxReadSize);
  const auto atLimit = files.readAll(folder / kBook);
  ASSERT_TRUE(atLimit);
  EXPECT_EQ(atLimit.value().size(), kMaxReadSize);

  fs::resize_file(folder / kBook, kMaxReadSize + 1);
  const auto overLimit = files.readAll(folder / kBook);
  ASSERT_FALSE(overLimit);
  EXPECT_EQ(overLimit.error().problem, FileProblem::Other);
}

// What the backups of a save need: a folder made (again), listed, emptied.
TEST_F(FilesTest, MakesListsAndRemovesFolders) {
  const fs::path backups = folder / u8"Quillby.backup";
  EXPECT_EQ(files.makeFolder(backups), std::nullopt);
  EXPECT_EQ(files.makeFolder(backups), std::nullopt);  // already there
  EXPECT_EQ(files.makeFolder(backups / kBook), std::nullopt);
  put(backups / kMemo, "m");
  auto names = files.listFolder(backups);
  ASSERT_TRUE(names.ok());
  std::sort(names.value().begin(), names.value().end());
  EXPECT_THAT(names.value(), ElementsAre(kMemo, kBook));

  EXPECT_EQ(files.makeFolder(backups / kMemo)->problem, FileProblem::AccessDenied);  // a file
  EXPECT_EQ(files.makeFolder(folder / "no" / "such")->problem, FileProblem::NotFound);
  EXPECT_EQ(files.listFolder(folder / "none").error().problem, FileProblem::NotFound);
  EXPECT_TRUE(files.remove(backups));  // not empty
  EXPECT_EQ(files.remove(backups / kMemo), std::nullopt);
  EXPECT_EQ(files.remove(backups / kBook), std::nullopt);
  EXPECT_EQ(files.remove(backups), std::nullopt);
  EXPECT_TRUE(folder.entries().empty());
}

// What a change of several files needs: new versions written under names of
// the caller's, then moved in; a folder moves whole, to a free name only.
TEST_F(FilesTest, WritesTemporariesAndMovesThemIn) {
  const fs::path temporary = folder / "~new";
  put(folder / kBook, "old");
  put(temporary, "a longer leftover");
  EXPECT_EQ(files.writeTemporary(temporary, "new", folder / kBook), std::nullopt);
  EXPECT_EQ(contents(temporary), "new");
  EXPECT_EQ(files.move(temporary, folder / kBook), std::nullopt);
  EXPECT_EQ(contents(folder / kBook), "new");

  makeReadOnly(folder / kBook);
  EXPECT_EQ(files.writeTemporary(temporary, "newer", folder / kBook)->problem,
            FileProblem::AccessDenied);
  EXPECT_FALSE(fs::exists(temporary));
  EXPECT_EQ(files.writeTemporary(folder / "none" / kMemo, "x", {})->problem, FileProblem::NotFound);

  const fs::path unfinished = folder / "~save";
  const fs::path finished = folder / "save";
  fs::create_directories(unfinished);
  EXPECT_EQ(files.writeTemporary(unfinished / kMemo, "memo", {}), std::nullopt);
  fs::create_directories(finished);
  EXPECT_TRUE(files.move(unfinished, finished));
  fs::remove(finished);
  EXPECT_EQ(files.move(unfinished, finished), std::nullopt);
  EXPECT_EQ(contents(finished / kMemo), "memo");
  EXPECT_THAT(folder.entries(), ElementsAre(finished.filename(), kBook));
}

}  // namespace
}  // namespace quillby

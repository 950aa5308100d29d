// What only the POSIX files do: a program folder given by the caller, the mode of
// a replaced file, and failures while the data goes to disk.
#include "platform/posix/posix_files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <fstream>
#include <iterator>

#include "support/temp_folder.h"

namespace quillby {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

const fs::path kBook = u8"おともだち帳";

Bytes contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Writes a few bytes a call until the last few, then finds the disk full.
ssize_t fillsTheDisk(int fd, const void* data, std::size_t size) {
  if (size <= 4) {
    errno = ENOSPC;
    return -1;
  }
  return ::write(fd, data, 4);
}

int flushFails(int) {
  errno = EIO;
  return -1;
}

TEST(PosixFiles, ProgramFolderIsTheGivenOneOrTheExecutables) {
  EXPECT_EQ(PosixFiles("/some/folder").programFolder(), fs::path("/some/folder"));
  const fs::path own = PosixFiles().programFolder();
  EXPECT_TRUE(fs::exists(own / "platform_tests")) << own;
}

// A write that fails on its way to disk keeps the old file, or none where there
// was none, and leaves no temporary behind.
TEST(PosixFiles, AFailedWriteKeepsTheOldFileAndRemovesTheTemporary) {
  struct Case {
    const char* what;
    PosixWriteCalls calls;
    bool oldFile;
    FileProblem problem;
    int systemCode;
  };
  const Case cases[] = {
      {"full disk over an old file", {.write = fillsTheDisk}, true, FileProblem::DiskFull, ENOSPC},
      {"full disk, no old file", {.write = fillsTheDisk}, false, FileProblem::DiskFull, ENOSPC},
      {"failed flush", {.fsync = flushFails}, true, FileProblem::Other, EIO},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    if (c.oldFile) std::ofstream(folder / kBook, std::ios::binary) << "old content";
    PosixFiles files(folder.path(), c.calls);
    const auto failed = files.writeAtomic(folder / kBook, "a new content longer than four");
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->problem, c.problem);
    EXPECT_EQ(failed->systemCode, c.systemCode);
    if (c.oldFile) {
      EXPECT_EQ(contents(folder / kBook), "old content");
      EXPECT_THAT(folder.entries(), ElementsAre(kBook));
    } else {
      EXPECT_TRUE(folder.entries().empty());
    }
  }
}

TEST(PosixFiles, ReplacedFileKeepsItsMode) {
  TempFolder folder;
  { std::ofstream(folder / kBook, std::ios::binary) << "old"; }
  fs::permissions(folder / kBook, fs::perms::owner_read | fs::perms::owner_write);
  PosixFiles files(folder.path());
  ASSERT_EQ(files.writeAtomic(folder / kBook, "new"), std::nullopt);
  EXPECT_EQ(fs::status(folder / kBook).permissions(),
            fs::perms::owner_read | fs::perms::owner_write);
}

}  // namespace
}  // namespace quillby

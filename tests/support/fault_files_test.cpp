#include "support/fault_files.h"

#include <gtest/gtest.h>

#include "support/system_platform.h"
#include "support/temp_folder.h"

namespace quillby {
namespace {

TEST(FaultFiles, FailsOnlyTheChosenCallAndLeavesTheFileAlone) {
  TempFolder folder;
  SystemFiles real;
  FaultFiles files(real);
  files.failNth(FileOperation::WriteAtomic, 2, FileError{FileProblem::DiskFull, 112});

  EXPECT_EQ(files.writeAtomic(folder / "a", "first"), std::nullopt);
  const auto failed = files.writeAtomic(folder / "a", "second");
  ASSERT_TRUE(failed);
  EXPECT_EQ(failed->problem, FileProblem::DiskFull);
  EXPECT_EQ(failed->systemCode, 112);
  EXPECT_EQ(files.readAll(folder / "a").value(), "first");
  EXPECT_EQ(files.writeAtomic(folder / "a", "third"), std::nullopt);
  EXPECT_EQ(files.readAll(folder / "a").value(), "third");
}

TEST(FaultFiles, CountsEachOperationApartAndRecordsEveryCall) {
  TempFolder folder;
  SystemFiles real;
  FaultFiles files(real);
  files.failNth(FileOperation::ReadAll, 1, FileError{FileProblem::AccessDenied, 5});
  files.failNth(FileOperation::WriteAtomic, 2, FileError{FileProblem::Other, 1});

  ASSERT_EQ(files.writeAtomic(folder / "a", "data"), std::nullopt);
  EXPECT_FALSE(files.readAll(folder / "a"));
  EXPECT_TRUE(files.readAll(folder / "a"));
  EXPECT_TRUE(files.writeAtomic(folder / "a", "lost"));
  EXPECT_EQ(files.readAll(folder / "a").value(), "data");
  EXPECT_EQ(files.writeAtomic(folder / "a", "kept"), std::nullopt);

  ASSERT_EQ(files.calls().size(), 6u);
  const FileOperation expected[] = {FileOperation::WriteAtomic, FileOperation::ReadAll,
                                    FileOperation::ReadAll,     FileOperation::WriteAtomic,
                                    FileOperation::ReadAll,     FileOperation::WriteAtomic};
  const bool failed[] = {false, true, false, true, false, false};
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(files.calls()[i].operation, expected[i]) << i;
    EXPECT_EQ(files.calls()[i].failed, failed[i]) << i;
    EXPECT_EQ(files.calls()[i].file, folder / "a") << i;
  }
}

}  // namespace
}  // namespace quillby

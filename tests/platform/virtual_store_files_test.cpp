// The host program's view of files under Program Files: a program folder in a
// temporary "Program Files (x86)", its VirtualStore in a temporary local
// application data folder.
#include "platform/virtual_store_files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/fault_files.h"
#include "support/system_platform.h"
#include "support/temp_folder.h"

namespace quillby {
namespace {

namespace fs = std::filesystem;
using ::testing::UnorderedElementsAre;

class VirtualStoreFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(program);
    fs::create_directories(local);
  }
  void put(const fs::path& file, const Bytes& data) {
    fs::create_directories(file.parent_path());
    ASSERT_FALSE(system.writeAtomic(file, data));
  }
  Bytes read(const fs::path& file) { return files.readAll(program / file).value(); }

  TempFolder root;
  const fs::path program = root / "Program Files (x86)" / "PostPet";
  const fs::path local = root / "Local";
  const fs::path store = local / "VirtualStore" / program.relative_path();
  SystemFiles system{program};
  FaultFiles faults{system};
  VirtualStoreFiles files{faults, {local, store}};
};

TEST(VirtualStoreOf, OnlyAFolderInsideASystemFolderHasOne) {
  const std::vector<fs::path> system{"/w/Program Files (x86)", "/w/Windows/"};
  const auto store = virtualStoreOf("/w/program files (X86)/PostPet", system, "/u/Local");
  ASSERT_TRUE(store);
  EXPECT_EQ(store->folder, fs::path("/u/Local/VirtualStore/w/program files (X86)/PostPet"));
  EXPECT_EQ(store->base, fs::path("/u/Local"));
  EXPECT_TRUE(virtualStoreOf("/w/Windows/PostPet", system, "/u/Local"));
  EXPECT_FALSE(virtualStoreOf("/w/Program Files (x86) old/PostPet", system, "/u/Local"));
  EXPECT_FALSE(virtualStoreOf("/w/PostPet", system, "/u/Local"));
}

TEST_F(VirtualStoreFilesTest, AFileTheStoreHoldsIsReadAndWrittenThereOnly) {
  // even where the program folder could be written
  put(program / "book", "P");
  put(store / "book", "V");
  EXPECT_EQ(read("book"), "V");
  ASSERT_FALSE(files.writeAtomic(program / "book", "new"));
  EXPECT_EQ(system.readAll(store / "book").value(), "new");
  EXPECT_EQ(system.readAll(program / "book").value(), "P");

  ASSERT_FALSE(files.remove(program / "book"));
  EXPECT_EQ(read("book"), "P");  // as Windows shows it once the copy is gone
}

TEST_F(VirtualStoreFilesTest, ASavesTemporaryGoesWhereItsFileIsWrittenAndMovesThere) {
  put(program / "book", "P");
  put(store / "book", "V");
  ASSERT_FALSE(files.writeTemporary(program / "~new", "N", program / "book"));
  EXPECT_TRUE(fs::exists(store / "~new"));
  EXPECT_FALSE(fs::exists(program / "~new"));
  ASSERT_FALSE(files.move(program / "~new", program / "book"));
  EXPECT_EQ(system.readAll(store / "book").value(), "N");
  EXPECT_EQ(system.readAll(program / "book").value(), "P");
  EXPECT_FALSE(files.exists(program / "~new"));

  put(store / "backup" / "old", "V");  // a folder made there while P took nothing
  ASSERT_FALSE(files.makeFolder(program / "backup" / "new"));
  EXPECT_TRUE(fs::is_directory(store / "backup" / "new"));
}

TEST_F(VirtualStoreFilesTest, AWritableProgramFolderTakesWhatTheStoreDoesNotHold) {
  ASSERT_FALSE(files.writeAtomic(program / "memo", "m"));
  ASSERT_FALSE(files.makeFolder(program / "backup"));
  EXPECT_EQ(system.readAll(program / "memo").value(), "m");
  EXPECT_TRUE(fs::is_directory(program / "backup"));
  EXPECT_FALSE(fs::exists(local / "VirtualStore"));
}

TEST_F(VirtualStoreFilesTest, WhereTheProgramFolderTakesNothingAChangeGoesToTheStore) {
  put(program / "backup" / "old" / "book", "P");
  // The first folder made is the test whether the program folder takes one.
  faults.failNth(FileOperation::MakeFolder, 1, FileError{FileProblem::AccessDenied, 5});
  ASSERT_FALSE(files.writeAtomic(program / "backup" / "new" / "book", "B"));
  EXPECT_EQ(system.readAll(store / "backup" / "new" / "book").value(), "B");
  EXPECT_EQ(read("backup/new/book"), "B");
  EXPECT_THAT(files.listFolder(program / "backup").value(), UnorderedElementsAre("old", "new"));
  EXPECT_FALSE(fs::exists(program / "backup" / "new"));
}

}  // namespace
}  // namespace quillby

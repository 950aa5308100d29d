#include "loadsave/settings_store.h"

#include <gtest/gtest.h>

#include "loadsave/book_folder.h"

namespace quillby {
namespace {

TEST(SettingsStore, AMissingFileIsCreatedEmptyAndGivesDefaults) {
  BookFolder f;
  EXPECT_EQ(loadSettings(f.files), SettingsValues{});
  EXPECT_TRUE(f.has(kSettingsFile));
  EXPECT_EQ(f.get(kSettingsFile), "");
}

TEST(SettingsStore, StoredValuesComeBack) {
  BookFolder f;
  SettingsValues values;
  ASSERT_TRUE(values.setPlace({1200, 900}));
  values.setKeepInFront(true);
  values.setLastWindow(ProgramWindow::Compact);
  values.setNoConnectionCheck(false);
  ASSERT_EQ(storeSettings(f.files, values), std::nullopt);
  EXPECT_EQ(f.get(kSettingsFile), "\" 1200\",\" 900\",\"1\",,\"0\",\"0\"\r\n");
  EXPECT_EQ(loadSettings(f.files), values);
}

}  // namespace
}  // namespace quillby

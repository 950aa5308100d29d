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
  values.savedLeft = " 1200";
  values.savedTop = " 900";
  values.keepFrontFlag = "1";
  values.mainWindowFlag = "0";
  values.noConnCheckFlag = "0";
  ASSERT_EQ(storeSettings(f.files, values), std::nullopt);
  EXPECT_EQ(f.get(kSettingsFile), "\" 1200\",\" 900\",\"1\",,\"0\",\"0\"\r\n");
  EXPECT_EQ(loadSettings(f.files), values);
}

}  // namespace
}  // namespace quillby

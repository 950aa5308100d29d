#include "formats/settings_file.h"

#include <gtest/gtest.h>

namespace quillby {
namespace {

SettingsValues values(SettingValue left, SettingValue top, SettingValue front, SettingValue quit,
                      SettingValue main, std::string noConn) {
  return {std::move(left), std::move(top),  std::move(front),
          std::move(quit), std::move(main), std::move(noConn)};
}

TEST(SettingsFile, WritesOneRecord) {
  EXPECT_EQ(encodeSettings(values(" 1200", " 900", "1", "0", "1", "0")),
            "\" 1200\",\" 900\",\"1\",\"0\",\"1\",\"0\"\r\n");
  EXPECT_EQ(encodeSettings(values(" 0", " 0", {}, {}, "1", "")), "\" 0\",\" 0\",,,\"1\",\"\"\r\n");
}

TEST(SettingsFile, ReadsQuotedUnquotedAndMissingValues) {
  EXPECT_EQ(readSettings("\" 1200\",\" 900\",,,\"1\",\"\"\r\n"),
            values(" 1200", " 900", {}, {}, "1", ""));
  EXPECT_EQ(readSettings(" 10 , 20,\"\",0,\"0\","), values("10 ", "20", "", "0", "0", ""));
  EXPECT_EQ(readSettings("1,2\r\n3,4\n5\r6"), values("1", "2", "3", "4", "5", "6"));
  EXPECT_EQ(readSettings("\"a,\"\"b\",,,,,\"x\"\r\n\r\n"), values("a,\"b", {}, {}, {}, {}, "x"));
}

// Stray bytes after the record (a trailing comma, the end-of-file byte old
// editors append, a second record) cost nothing; a short record gives defaults.
TEST(SettingsFile, FirstRecordWinsAndShortFilesGiveDefaults) {
  const SettingsValues defaults = values({}, {}, {}, {}, {}, "");
  const SettingsValues first = values(" 1", " 2", "1", {}, "0", "1");
  const Bytes record = "\" 1\",\" 2\",\"1\",,\"0\",\"1\"";
  for (const char* after : {"\r\n\" 3\",\" 4\",\"0\",,\"0\",\"0\"\r\n", "\r\n\" 3\",\" 4\"\r\n",
                            ",\r\n", ",", "\r\n\x1a", "\x1a", ",,,,,,,,\r\n"}) {
    EXPECT_EQ(readSettings(record + after), first) << after;
  }
  EXPECT_EQ(readSettings(""), defaults);
  EXPECT_EQ(readSettings("\" 1\",\" 2\",\"1\""), defaults);
  EXPECT_EQ(readSettings("\" 1\",\" 2\",\"1\",,\"0\"\r\n"), defaults);

  const SettingsValues written = values(" 857.5", " 0", {}, "1", "0", "");
  EXPECT_EQ(readSettings(encodeSettings(written)), written);
}

TEST(SettingsFile, PositionsAsNumbersAndText) {
  EXPECT_EQ(numericValue(" 1200"), 1200);
  EXPECT_EQ(numericValue("-3.25px"), -3.25);
  EXPECT_EQ(numericValue(".5"), 0.5);
  EXPECT_EQ(numericValue("12."), 12);
  EXPECT_EQ(numericValue("abc"), 0);
  EXPECT_EQ(numericValue(" - 1"), 0);
  EXPECT_EQ(numericValue(""), 0);
  EXPECT_EQ(numericValue(std::nullopt), 0);
  EXPECT_EQ(numericValue(std::string(400, '9')), 0);

  EXPECT_EQ(positionText(1200), " 1200");
  EXPECT_EQ(positionText(857.5), " 857.5");
  EXPECT_EQ(positionText(0), " 0");
  EXPECT_EQ(positionText(6000.0 / 7), " 857.142857142857");
  EXPECT_EQ(positionText(0.1 + 0.2), " 0.3");
  for (double twips : {6000.0 / 7, 491505.0, 1e-7, 123456789.123456789}) {
    EXPECT_NEAR(numericValue(positionText(twips)), twips, twips * 1e-14) << twips;
  }
}

}  // namespace
}  // namespace quillby

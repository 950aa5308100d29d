#include "formats/settings_file.h"

#include <gtest/gtest.h>

#include "formats/book_bytes.h"

namespace quillby {
namespace {

// What the exit writes back for a file that was read and never changed.
Bytes writtenBack(BytesView file) { return encodeSettings(readSettings(file)); }

TEST(SettingsFile, EveryStoredFormIsWrittenBackAsRead) {
  for (const char* file : {
           "\" 1200\",\" 900\",\"1\",\"0\",\"1\",\"0\"\r\n",
           "\" 0\",\" 0\",,,\"1\",\"\"\r\n",  // options never set
           ",,,,,\"\"\r\n",
           "\" 857.5\",\" 60abc\",\"yes\",\" 1\",\"0\",\" 1\"\r\n",
           "\"a,\"\"b\",,,,,\"x\"\r\n",
       }) {
    EXPECT_EQ(writtenBack(file), file) << file;
  }
}

TEST(SettingsFile, HandWrittenFormsAreWrittenBackQuoted) {
  const Bytes unset = ",,,,,\"\"\r\n";
  const struct {
    const char* file;
    Bytes written;
  } cases[] = {
      {" 10 , 20,\"\",0,\"0\",", "\"10 \",\"20\",\"\",\"0\",\"0\",\"\"\r\n"},
      {"1,2\r\n3,4\n5\r6", "\"1\",\"2\",\"3\",\"4\",\"5\",\"6\"\r\n"},
      {"\"a,\"\"b\",,,,,\"x\"\r\n\r\n", "\"a,\"\"b\",,,,,\"x\"\r\n"},
      {"\xEF\xBB\xBF\" 1200\",\" 900\",,,\"1\",\"\"\r\n", "\" 1200\",\" 900\",,,\"1\",\"\"\r\n"},
      // A file that ends inside the record gives the values of a missing one.
      {"", unset},
      {"\" 1\",\" 2\",\"1\"", unset},
      {"\" 1\",\" 2\",\"1\",,\"0\"\r\n", unset},
  };
  for (const auto& c : cases) EXPECT_EQ(writtenBack(c.file), c.written) << c.file;
  // Saved by Notepad as "Unicode": UTF-16 after its byte-order mark.
  EXPECT_EQ(writtenBack(utf16(u"\" 1200\",\" 900\",,,\"1\",\"\"\r\n", true)),
            "\" 1200\",\" 900\",,,\"1\",\"\"\r\n");
}

// Stray bytes after the record (a trailing comma, the end-of-file byte old
// editors append, a second record) cost nothing.
TEST(SettingsFile, TheFirstRecordWins) {
  const Bytes record = "\" 1\",\" 2\",\"1\",,\"0\",\"1\"";
  for (const char* after : {"\r\n\" 3\",\" 4\",\"0\",,\"0\",\"0\"\r\n", "\r\n\" 3\",\" 4\"\r\n",
                            ",\r\n", ",", "\r\n\x1a", "\x1a", ",,,,,,,,\r\n"}) {
    EXPECT_EQ(writtenBack(record + after), record + "\r\n") << after;
  }
}

TEST(SettingsFile, OnlyTheExactTextOneTurnsAnOptionOn) {
  const struct {
    const char* flag;
    bool on;
    bool hint;  // the connection hint of the no-connection option
  } cases[] = {{"\"1\"", true, false}, {"\"0\"", false, true},   {"", false, false},
               {"\"\"", false, false}, {"\" 1\"", false, false}, {"\" 0\"", false, false},
               {"1", true, false},     {"00", false, false}};
  for (const auto& c : cases) {
    const Bytes flag = c.flag;
    const SettingsValues values =
        readSettings(",," + flag + "," + flag + "," + flag + "," + flag + "\r\n");
    EXPECT_EQ(values.keepInFront(), c.on) << c.flag;
    EXPECT_EQ(values.quitPostPet(), c.on) << c.flag;
    EXPECT_EQ(values.noConnectionCheck(), c.on) << c.flag;
    EXPECT_EQ(values.showsConnectionHint(), c.hint) << c.flag;
    EXPECT_EQ(values.lastWindow(), c.hint ? ProgramWindow::Compact : ProgramWindow::Main) << c.flag;
  }
}

TEST(SettingsFile, SetValuesAreWrittenAsOneAndZero) {
  SettingsValues values = readSettings("\" 5\",\" 6\",\"yes\",,,\" 1\"\r\n");
  values.setKeepInFront(false);
  values.setQuitPostPet(true);
  values.setLastWindow(ProgramWindow::Compact);
  values.setNoConnectionCheck(false);
  EXPECT_EQ(encodeSettings(values), "\" 5\",\" 6\",\"0\",\"1\",\"0\",\"0\"\r\n");
  values.setLastWindow(ProgramWindow::Main);
  values.setNoConnectionCheck(true);
  EXPECT_EQ(encodeSettings(values), "\" 5\",\" 6\",\"0\",\"1\",\"1\",\"1\"\r\n");
}

TEST(SettingsFile, ThePlaceKeepsItsTopInSixteenBits) {
  SettingsValues values = readSettings("\"x\",\" 900.5\",,,,\"\"\r\n");
  EXPECT_EQ(values.place().left, 0);
  EXPECT_EQ(values.place().top, 900.5);

  ASSERT_TRUE(values.setPlace({857.5, 32767.4}));
  EXPECT_EQ(encodeSettings(values), "\" 857.5\",\" 32767\",,,,\"\"\r\n");
  ASSERT_TRUE(values.setPlace({-10, -32768.4}));  // past the edge: at the edge
  EXPECT_EQ(encodeSettings(values), "\" 0\",\" 0\",,,,\"\"\r\n");

  const Bytes before = encodeSettings(values);
  EXPECT_FALSE(values.setPlace({1, 32767.5}));
  EXPECT_FALSE(values.setPlace({1, -32768.6}));
  EXPECT_EQ(encodeSettings(values), before);
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

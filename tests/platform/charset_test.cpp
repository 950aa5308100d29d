// Code page 932 on each system against the way Windows converts it.
#include <gtest/gtest.h>

#include <cstdio>
#include <future>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cp932_reference.h"
#include "support/system_platform.h"

namespace quillby {
namespace {

std::string hex(BytesView bytes) {
  std::string out;
  char buf[4];
  for (unsigned char byte : bytes) {
    std::snprintf(buf, sizeof buf, "%02X", byte);
    out += buf;
  }
  return out;
}

std::string hex(TextView text) {
  std::string out;
  char buf[8];
  for (char16_t unit : text) {
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(unit));
    out += out.empty() ? buf : std::string(" ") + buf;
  }
  return out;
}

template <class T>
std::string shown(const std::optional<T>& value) {
  return value ? hex(*value) : "none";
}

const Cp932Reference& reference() {
  static const Cp932Reference loaded = loadCp932Reference(QUILLBY_CP932_REFERENCE);
  return loaded;
}

// Gathers the disagreements of a sweep over thousands of codes and reports the
// first few, so that one wrong table gives a readable failure.
class Disagreements {
 public:
  void note(const std::string& what) {
    if (lines_.size() < 20) lines_ += what + "\n";
    ++count_;
  }
  ::testing::AssertionResult none() const {
    if (count_ == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << count_ << " disagreements, first:\n" << lines_;
  }

 private:
  std::string lines_;
  std::size_t count_ = 0;
};

std::optional<Text> readAsWindows(const Bytes& code) {
  const auto found = reference().reads.find(code);
  if (found == reference().reads.end()) return std::nullopt;
  return Text(1, found->second);
}

class Cp932Sweep : public ::testing::Test {
 protected:
  void checkRead(const Bytes& code, Disagreements& disagreements) const {
    const auto expected = readAsWindows(code);
    const auto got = charset.toUnicode(code);
    if (got != expected) {
      disagreements.note(hex(code) + " reads as " + shown(got) + ", Windows: " + shown(expected));
    }
  }

  SystemCharset charset;
};

TEST_F(Cp932Sweep, ReadsEverySingleByteAsWindowsDoes) {
  Disagreements disagreements;
  for (int byte = 0; byte < 256; ++byte) {
    checkRead(Bytes(1, static_cast<char>(byte)), disagreements);
  }
  EXPECT_TRUE(disagreements.none());
}

TEST_F(Cp932Sweep, ReadsEveryPairAfterALeadByteAsWindowsDoes) {
  Disagreements disagreements;
  int leads = 0;
  for (int lead = 0; lead < 256; ++lead) {
    if (readAsWindows(Bytes(1, static_cast<char>(lead)))) continue;  // a character of its own
    ++leads;
    for (int trail = 0; trail < 256; ++trail) {
      checkRead(Bytes{static_cast<char>(lead), static_cast<char>(trail)}, disagreements);
    }
  }
  EXPECT_TRUE(disagreements.none());
  EXPECT_EQ(leads, 64);  // 0x81-0x9F, 0xA0, 0xE0-0xFF
}

TEST_F(Cp932Sweep, WritesEveryCharacterAsWindowsDoes) {
  Disagreements disagreements;
  for (unsigned unit = 0; unit <= 0xFFFF; ++unit) {
    if (unit >= 0xD800 && unit <= 0xDFFF) continue;  // halves of a pair: see below
    const Text text(1, static_cast<char16_t>(unit));
    const auto& expected = reference().writes[unit];
    const auto got = charset.fromUnicode(text);
    if (got != expected) {
      disagreements.note(hex(text) + " writes as " + shown(got) + ", Windows: " + shown(expected));
    }
  }
  EXPECT_TRUE(disagreements.none());
}

// The codes where glibc's CP932 and Windows' part ways, and their neighbours that
// must stay as they are, each as Windows converts it.
struct WriteCase {
  const char* name;
  Text text;
  std::optional<Bytes> code;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class Cp932Writes : public ::testing::TestWithParam<WriteCase> {};

TEST_P(Cp932Writes, AsWindows) {
  EXPECT_EQ(shown(SystemCharset().fromUnicode(GetParam().text)), shown(GetParam().code));
}

INSTANTIATE_TEST_SUITE_P(
    Differences, Cp932Writes,
    ::testing::Values(
        // Windows refuses glibc's one-way substitutes.
        WriteCase{"WaveDash_301C", u"\u301C", std::nullopt},
        WriteCase{"FullwidthTilde_FF5E", u"\uFF5E", "\x81\x60"},
        WriteCase{"MinusSign_2212", u"\u2212", std::nullopt},
        WriteCase{"FullwidthHyphenMinus_FF0D", u"\uFF0D", "\x81\x7C"},
        WriteCase{"YenSign_00A5", u"\u00A5", std::nullopt},
        WriteCase{"Backslash_005C", u"\\", "\\"},
        WriteCase{"Overline_203E", u"\u203E", std::nullopt}, WriteCase{"Tilde_007E", u"~", "~"},
        WriteCase{"CentSign_00A2", u"\u00A2", std::nullopt},
        WriteCase{"FullwidthCentSign_FFE0", u"\uFFE0", "\x81\x91"},
        WriteCase{"PoundSign_00A3", u"\u00A3", std::nullopt},
        WriteCase{"FullwidthPoundSign_FFE1", u"\uFFE1", "\x81\x92"},
        WriteCase{"NotSign_00AC", u"\u00AC", std::nullopt},
        WriteCase{"EmDash_2014", u"\u2014", std::nullopt},
        WriteCase{"HorizontalBar_2015", u"\u2015", "\x81\x5C"},
        WriteCase{"DoubleVerticalLine_2016", u"\u2016", std::nullopt},
        WriteCase{"ParallelTo_2225", u"\u2225", "\x81\x61"},
        WriteCase{"NoBreakSpace_00A0", u"\u00A0", std::nullopt},
        // Codes Windows has and glibc lacks.
        WriteCase{"Control_0080", u"\u0080", "\x80"},
        WriteCase{"PrivateUse_F8F0", u"\uF8F0", "\xA0"},
        WriteCase{"PrivateUse_F8F1", u"\uF8F1", "\xFD"},
        WriteCase{"PrivateUse_F8F2", u"\uF8F2", "\xFE"},
        WriteCase{"PrivateUse_F8F3", u"\uF8F3", "\xFF"},
        // The user-defined area, the same on both.
        WriteCase{"UserDefinedFirst_E000", u"\uE000", "\xF0\x40"},
        WriteCase{"UserDefinedLast_E757", u"\uE757", "\xF9\xFC"},
        WriteCase{"PastUserDefined_E758", u"\uE758", std::nullopt},
        // Characters with two or three codes (NEC, NEC-selected IBM, IBM): one wins.
        WriteCase{"NearlyEqual_2252", u"\u2252", "\x81\xE0"},
        WriteCase{"Because_2235", u"\u2235", "\x81\xE6"},
        WriteCase{"FullwidthNotSign_FFE2", u"\uFFE2", "\x81\xCA"},
        WriteCase{"SmallRomanOne_2170", u"\u2170", "\xFA\x40"},
        WriteCase{"IbmKanji_7E8A", u"\u7E8A", "\xFA\x5C"},
        WriteCase{"IbmKanji_4E28", u"\u4E28", "\xFA\x68"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ReadCase {
  const char* name;
  Bytes code;
  std::optional<Text> text;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class Cp932Reads : public ::testing::TestWithParam<ReadCase> {};

TEST_P(Cp932Reads, AsWindows) {
  EXPECT_EQ(shown(SystemCharset().toUnicode(GetParam().code)), shown(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Differences, Cp932Reads,
    ::testing::Values(
        ReadCase{"Byte80", "\x80", u"\u0080"}, ReadCase{"ByteA0", "\xA0", std::nullopt},
        ReadCase{"ByteFD", "\xFD", std::nullopt}, ReadCase{"ByteFE", "\xFE", std::nullopt},
        ReadCase{"ByteFF", "\xFF", std::nullopt}, ReadCase{"Backslash_5C", "\\", u"\\"},
        ReadCase{"Tilde_7E", "~", u"~"}, ReadCase{"WaveDash_8160", "\x81\x60", u"\uFF5E"},
        ReadCase{"Minus_817C", "\x81\x7C", u"\uFF0D"},
        ReadCase{"UserDefined_F040", "\xF0\x40", u"\uE000"},
        ReadCase{"UserDefined_F9FC", "\xF9\xFC", u"\uE757"},
        ReadCase{"NecNearlyEqual_8790", "\x87\x90", u"\u2252"},
        ReadCase{"NecSelectedNotSign_EEF9", "\xEE\xF9", u"\uFFE2"},
        ReadCase{"IbmNotSign_FA54", "\xFA\x54", u"\uFFE2"},
        ReadCase{"NecSelectedKanji_ED40", "\xED\x40", u"\u7E8A"},
        ReadCase{"Unassigned_8540", "\x85\x40", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

class CharsetTest : public ::testing::Test {
 protected:
  SystemCharset charset;
};

TEST_F(CharsetTest, JapaneseTextRoundTrips) {
  const Text text = u"おともだち帳 ﾎﾟｽﾄﾍﾟｯﾄ ①Ⅹ㈱ abc";
  const auto bytes = charset.fromUnicode(text);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(hex(bytes->substr(0, 12)), "82A882C682E082BE82BF92A0");
  EXPECT_EQ(charset.toUnicode(*bytes), text);
}

TEST_F(CharsetTest, EmptyAndNulConvert) {
  EXPECT_EQ(charset.fromUnicode(u""), Bytes{});
  EXPECT_EQ(charset.toUnicode(""), Text{});
  EXPECT_EQ(charset.fromUnicode(Text(u"a\0b", 3)), Bytes("a\0b", 3));
  EXPECT_EQ(charset.toUnicode(Bytes("a\0b", 3)), Text(u"a\0b", 3));
}

// Windows marks a substitution with the default character "?", so a real "?"
// must not count as one, and a substituted character must fail the whole text.
TEST_F(CharsetTest, QuestionMarkIsACharacterNotASubstitute) {
  EXPECT_EQ(charset.fromUnicode(u"?"), "?");
  EXPECT_EQ(charset.fromUnicode(u"なに?"), "\x82\xC8\x82\xC9?");
  EXPECT_EQ(charset.fromUnicode(u"なに\u301C?"), std::nullopt);
  EXPECT_EQ(charset.fromUnicode(u"\u00E9"), std::nullopt);  // é: Windows would best-fit "e"
}

TEST_F(CharsetTest, OneUnconvertibleCharacterFailsTheWholeText) {
  EXPECT_EQ(charset.fromUnicode(u"あいう\u2212えお"), std::nullopt);
  EXPECT_EQ(charset.fromUnicode(u"あいう\u00A5"), std::nullopt);
  EXPECT_EQ(charset.toUnicode("\x82\xA0\x85\x40\x82\xA2"), std::nullopt);
}

TEST_F(CharsetTest, CharactersOutsideTheBasicPlaneHaveNoCode) {
  EXPECT_EQ(charset.fromUnicode(u"\U00020BB7"), std::nullopt);        // 𠮷, a pair
  EXPECT_EQ(charset.fromUnicode(Text(1, u'\xD842')), std::nullopt);   // lone high half
  EXPECT_EQ(charset.fromUnicode(Text(u"a\xDFB7", 2)), std::nullopt);  // lone low half
}

TEST_F(CharsetTest, BrokenPairsFail) {
  EXPECT_EQ(charset.toUnicode("\x82"), std::nullopt);              // lead byte at the end
  EXPECT_EQ(charset.toUnicode("\x82\xA0\x82"), std::nullopt);      // the same after a character
  EXPECT_EQ(charset.toUnicode("\x81\x20"), std::nullopt);          // trail out of range
  EXPECT_EQ(charset.toUnicode(Bytes("\x81\0", 2)), std::nullopt);  // NUL as trail
}

// 0x80 is a character of its own and also a trail byte (0x81 0x80 is ÷).
TEST_F(CharsetTest, Byte80AloneAndAsTrail) {
  const Bytes bytes = "\x80\x81\x80\x80z\x80";
  const Text text = u"\u0080\u00F7\u0080z\u0080";
  EXPECT_EQ(shown(charset.toUnicode(bytes)), hex(text));
  EXPECT_EQ(shown(charset.fromUnicode(text)), hex(bytes));
}

TEST_F(CharsetTest, SixtyFourKilobytesRoundTrip) {
  Text text;
  while (text.size() < 45000) text += u"あ\u0080ｱA\uE000漢";  // 9 bytes for every 6 characters
  const auto bytes = charset.fromUnicode(text);
  ASSERT_TRUE(bytes);
  EXPECT_GE(bytes->size(), 65536u);
  EXPECT_EQ(charset.toUnicode(*bytes), text);
}

// The start-up files are read on a second thread while the window's thread may
// convert too; and a text that fails leaves nothing behind for the next one.
TEST_F(CharsetTest, TwoThreadsConvertAtOnceThroughFailures) {
  Text text;
  while (text.size() < 20000) text += u"おともだち帳ﾎﾟｽﾄ漢字ABC";
  const auto bytes = charset.fromUnicode(text);
  ASSERT_TRUE(bytes);
  const auto convert = [&] {
    int wrong = 0;
    for (int i = 0; i < 50; ++i) {
      wrong += charset.toUnicode("\x82") != std::nullopt;
      wrong += charset.toUnicode(*bytes) != text;
      wrong += charset.fromUnicode(Text(1, u'\xD842')) != std::nullopt;
      wrong += charset.fromUnicode(text) != bytes;
    }
    return wrong;
  };
  auto other = std::async(std::launch::async, convert);
  EXPECT_EQ(convert(), 0);
  EXPECT_EQ(other.get(), 0);
}

}  // namespace
}  // namespace quillby

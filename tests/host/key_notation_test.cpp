#include "host/key_notation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/host_fakes.h"

namespace quillby {
namespace {

using Problem = KeyNotationError::Problem;

std::string parsed(TextView notation) {
  auto keys = parseKeys(notation);
  if (!keys) return "error";
  return describe(keys.value());
}

TEST(KeyNotation, ReadsTheProgramsCommandStrings) {
  EXPECT_EQ(parsed(u"%{DOWN}"), "+alt {DOWN} -alt");
  EXPECT_EQ(parsed(u"%(FM)"), "+alt 'F' 'M' -alt");
  EXPECT_EQ(parsed(u"%(FL)"), "+alt 'F' 'L' -alt");
  EXPECT_EQ(parsed(u"%(FN)"), "+alt 'F' 'N' -alt");
  EXPECT_EQ(parsed(u"^h"), "+ctrl 'h' -ctrl");
  EXPECT_EQ(parsed(u"^9"), "+ctrl '9' -ctrl");
  EXPECT_EQ(parsed(u"%({F4})"), "+alt {F4} -alt");
  EXPECT_EQ(parsed(u"{TAB}"), "{TAB}");
  EXPECT_EQ(parsed(u"{DOWN}"), "{DOWN}");
}

TEST(KeyNotation, ModifiersApplyToOneKeyOrOneGroup) {
  EXPECT_EQ(parsed(u"+ab"), "+shift 'a' -shift 'b'");
  EXPECT_EQ(parsed(u"^%x"), "+ctrl +alt 'x' -alt -ctrl");
  EXPECT_EQ(parsed(u"%(a^(bc)d)e"), "+alt 'a' +ctrl 'b' 'c' -ctrl 'd' -alt 'e'");
  // A modifier the enclosing group already holds is not pressed twice.
  EXPECT_EQ(parsed(u"%(%a)"), "+alt 'a' -alt");
  EXPECT_EQ(parsed(u"%%a"), "+alt 'a' -alt");
  EXPECT_EQ(parsed(u"(ab)"), "'a' 'b'");
}

TEST(KeyNotation, NamesAndBracedCharacters) {
  EXPECT_EQ(parsed(u"~{ENTER}{enter}{Tab}{f4}"), "{ENTER} {ENTER} {ENTER} {TAB} {F4}");
  EXPECT_EQ(parsed(u"{+}{^}{%}{~}{(}{)}{{}{}}{[}{]}"), "'+' '^' '%' '~' '(' ')' '{' '}' '[' ']'");
  EXPECT_EQ(parsed(u"+{}}"), "+shift '}' -shift");
  EXPECT_EQ(parsed(u"[a]"), "'[' 'a' ']'");
  EXPECT_EQ(parsed(u"あ{い}"), "'あ' 'い'");
  // A character outside the basic plane is one key, braced or not.
  EXPECT_EQ(parsed(u"\U0001F600{\U0001F600}"), "'\U0001F600' '\U0001F600'");
  EXPECT_EQ(parsed(u""), "");
}

TEST(KeyNotation, MalformedStringsAreErrorsWithTheirPlace) {
  struct Case {
    const char16_t* notation;
    Problem problem;
    std::size_t position;
  };
  const Case cases[] = {
      {u"(ab", Problem::UnbalancedGroup, 0},    {u"%(a(b)", Problem::UnbalancedGroup, 1},
      {u"ab)", Problem::UnbalancedGroup, 2},    {u"{DOWN", Problem::UnbalancedBrace, 0},
      {u"a{", Problem::UnbalancedBrace, 1},     {u"a}", Problem::UnbalancedBrace, 1},
      {u"{}", Problem::UnbalancedBrace, 0},     {u"{}}}", Problem::UnbalancedBrace, 3},
      {u"{UP}", Problem::UnknownKey, 0},        {u"x{DOWN 2}", Problem::UnknownKey, 1},
      {u"%", Problem::TrailingModifier, 1},     {u"a^+", Problem::TrailingModifier, 3},
      {u"%(a%)", Problem::TrailingModifier, 4}, {u"%(a+)", Problem::TrailingModifier, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(utf8(c.notation));
    const auto keys = parseKeys(c.notation);
    ASSERT_FALSE(keys.ok());
    EXPECT_EQ(keys.error().problem, c.problem);
    EXPECT_EQ(keys.error().position, c.position);
  }
}

TEST(KeyNotation, DeepNestingIsNoDangerToTheStack) {
  const Text deep = Text(100000, u'(') + u"a" + Text(100000, u')');
  EXPECT_EQ(parsed(deep), "'a'");
  EXPECT_EQ(parseKeys(Text(100000, u'(')).error().problem, Problem::UnbalancedGroup);
}

// Whatever the stored text, its escaped form types exactly that text.
TEST(KeyNotation, EscapedTextTypesItselfCharacterByCharacter) {
  Text everyAscii;
  for (char16_t c = 0x20; c < 0x7F; ++c) everyAscii += c;
  const Text samples[] = {
      everyAscii, u"a+b%c{d}~e^(f)[g]@example.jp", u"}{}{)(",
      u"{DOWN}",  u"ともだち@例え.jp\U0001F600",   u"",
  };
  for (const Text& text : samples) {
    SCOPED_TRACE(utf8(text));
    const auto keys = parseKeys(escapeKeys(text));
    ASSERT_TRUE(keys.ok());
    std::u32string typed;
    for (const KeyEvent& key : keys.value()) {
      ASSERT_EQ(key.kind, KeyEvent::Kind::Type);
      typed += key.character;
    }
    std::u32string expected;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF;
      expected += pair ? 0x10000 + ((char32_t(text[i]) - 0xD800) << 10) + (text[i + 1] - 0xDC00)
                       : char32_t(text[i]);
      if (pair) ++i;
    }
    EXPECT_EQ(typed, expected);
  }
  EXPECT_EQ(escapeKeys(u"a+b@c.jp"), u"a{+}b@c.jp");
}

}  // namespace
}  // namespace quillby

#include "host/friend_mail.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "formats/single_byte_text.h"
#include "host/host_fakes.h"
#include "ui/host_buttons.h"
#include "ui/messages.h"

namespace quillby {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class FriendMail : public ::testing::Test, protected HostRig {
 protected:
  FriendMail() {
    for (const char16_t* address : {u"hanako@example.jp", u"a+b%c{d}~e^(f)[g]@x.jp"}) {
      FriendEntry row;
      row.friendAddress = address;
      friends.rows.push_back(row);
    }
  }

  // Answers the list's selection from a script, one value per reading.
  std::function<int()> selection(std::vector<int> script) {
    return [this, script] { return script.at(std::min(readings++, script.size() - 1)); };
  }

  FriendTable friends;
  std::size_t readings = 0;
};

TEST_F(FriendMail, OpensANewMailAndTypesTheAddressExactlyAsStored) {
  mailToFriend(driver, dialogs, friends, selection({1}));
  EXPECT_THAT(
      journal.entries,
      ElementsAre(kStart, sentEntry(u"%{DOWN}"), kEnterFolder, kActivate, sentEntry(u"%(FN)"),
                  "send 'a' '+' 'b' '%' 'c' '{' 'd' '}' '~' 'e' '^' '(' 'f' ')' '[' 'g' "
                  "']' '@' 'x' '.' 'j' 'p'",
                  sentEntry(u"{TAB}")));
  EXPECT_THAT(shown(), IsEmpty());
}

TEST_F(FriendMail, EnterRunsItAndOtherKeysDoNothing) {
  for (int key : {0, 10, 32, int{'a'}, 27, 9})
    mailToFriendKeyPress(key, driver, dialogs, friends, selection({0}));
  EXPECT_THAT(journal.entries, IsEmpty());
  mailToFriendKeyPress(13, driver, dialogs, friends, selection({0}));
  EXPECT_EQ(journal.entries.size(), 7u);
  EXPECT_EQ(journal.entries[5], sentEntry(escapeKeys(u"hanako@example.jp")));
}

TEST_F(FriendMail, TheSelectionIsReadAgainJustBeforeTyping) {
  mailToFriend(driver, dialogs, friends, selection({0, 1}));
  EXPECT_EQ(journal.entries[5], sentEntry(escapeKeys(friends.rows[1].friendAddress)));
}

TEST_F(FriendMail, WithNoFriendSelectedNothingIsStartedOrSent) {
  for (int index : {-1, 2, 999, 1000}) mailToFriend(driver, dialogs, friends, selection({index}));
  EXPECT_THAT(journal.entries, IsEmpty());
  EXPECT_THAT(shown(), IsEmpty());
}

TEST_F(FriendMail, ASelectionGoneMeanwhileStopsBeforeTheAddress) {
  mailToFriend(driver, dialogs, friends, selection({0, -1}));
  EXPECT_THAT(journal.entries, ElementsAre(kStart, sentEntry(u"%{DOWN}"), kEnterFolder, kActivate,
                                           sentEntry(u"%(FN)")));
  EXPECT_THAT(shown(), IsEmpty());
}

// A control character would be pressed as a key (Tab, Enter, Escape, Ctrl+V
// pasting ...), and U+FFFD stands for a byte that decoded to nothing.
TEST_F(FriendMail, AnAddressThatCannotBeTypedIsRefusedBeforeAnythingStarts) {
  Text refused;
  for (char16_t c = 0; c < 0x20; ++c) refused += c;
  refused += u"\u007F";
  for (int byte = 0x80; byte <= 0xFF; ++byte) {
    const Text decoded = singleByteText(Bytes(1, static_cast<char>(byte)));
    if (decoded == u"\uFFFD") refused += decoded;
  }
  ASSERT_EQ(refused.size(), 0x20u + 1 + 0x21 + 0x20);  // 0x80-0xA0 and 0xE0-0xFF
  friends.rows[0].friendName = u"はなこ";
  for (char16_t c : refused) {
    SCOPED_TRACE(static_cast<int>(c));
    journal = Journal{};
    dialogs.recorded.shown.clear();
    friends.rows[0].friendAddress = Text(u"hana") + c + u"ko@example.jp";
    mailToFriend(driver, dialogs, friends, selection({0}));
    EXPECT_THAT(journal.entries, ElementsAre("dialog QuillbyVer0.5"));
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, untypableAddressMessage(u"はなこ"));
  }
  EXPECT_NE(untypableAddressMessage(u"はなこ").find(u"「はなこ」"), Text::npos);
}

TEST_F(FriendMail, EveryOtherCharacterIsTypedAsStored) {
  Text address;
  for (char16_t c = 0x20; c < 0x7F; ++c) address += c;
  address += u"\u0080\u009F\u00A0\uFF61\uFF9F\uFFFE";
  friends.rows[0].friendAddress = address;
  mailToFriend(driver, dialogs, friends, selection({0}));
  EXPECT_THAT(shown(), IsEmpty());
  EXPECT_EQ(journal.entries.at(5), sentEntry(escapeKeys(address)));
}

TEST_F(FriendMail, ASelectionMovedMeanwhileToAnUntypableAddressStopsBeforeIt) {
  friends.rows[1].friendAddress = u"a\tb@x.jp";
  mailToFriend(driver, dialogs, friends, selection({0, 1}));
  EXPECT_THAT(journal.entries, ElementsAre(kStart, sentEntry(u"%{DOWN}"), kEnterFolder, kActivate,
                                           sentEntry(u"%(FN)"), "dialog QuillbyVer0.5"));
}

TEST_F(FriendMail, AFailedLaunchOrActivationIsToldAndEndsIt) {
  journal.failAt = 0;
  mailToFriend(driver, dialogs, friends, selection({0}));
  EXPECT_THAT(journal.entries, ElementsAre(kStart, "dialog QuillbyVer0.5"));

  journal = Journal{};
  journal.failAt = 3;
  mailToFriend(driver, dialogs, friends, selection({0}));
  EXPECT_EQ(journal.entries.back(), "dialog QuillbyVer0.5");
  EXPECT_EQ(journal.entries.size(), 5u);
  ASSERT_EQ(shown().size(), 2u);
  EXPECT_EQ(shown()[0].text, hostFailureMessage(HostFailure::NotStarted));
  EXPECT_EQ(shown()[1].text, hostFailureMessage(HostFailure::NoWindow));
}

}  // namespace
}  // namespace quillby

#include "host/friend_mail.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/host_fakes.h"

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

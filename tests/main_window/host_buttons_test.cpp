// The window's host buttons and the list's mail to a friend, as the host sees
// them: what is started, activated and typed, in order.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/key_notation.h"
#include "main_window/main_window_rig.h"

namespace quillby {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

class HostButtons : public MainWindowTest {
 protected:
  // The friends, and the no-connection option as stored.
  void startWith(const char* noConnCheckFlag) {
    putThreeFriends();
    f.put(kSettingsFile, std::string(",,,,,\"") + noConnCheckFlag + "\"\r\n");
    ASSERT_TRUE(start());
    journal.entries.clear();
  }

  std::vector<std::string> commandSequence(TextView keys) const {
    return {startEntry(), sentEntry(u"%{DOWN}"), sentEntry(u"%{DOWN}"),
            cdEntry(),    HostRig::kActivate,    sentEntry(keys)};
  }
  std::vector<std::string> mailSequence(TextView address) const {
    return {startEntry(),       sentEntry(u"%{DOWN}"), cdEntry(),
            HostRig::kActivate, sentEntry(u"%(FN)"),   sentEntry(escapeKeys(address)),
            sentEntry(u"{TAB}")};
  }
};

TEST_F(HostButtons, MailCheckAsksFirstWhenTheOptionIsStoredAsZero) {
  startWith("0");
  dialogs.answers = {DialogAnswer::Cancel};
  c().Command4.userClicked();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].title, u"メールチェックをしようとしています");
  EXPECT_THAT(journal.entries, IsEmpty());

  dialogs.answers = {DialogAnswer::Ok};
  c().Command4.userClicked();
  EXPECT_EQ(dialogs.shown.size(), 2u);
  EXPECT_THAT(journal.entries, ElementsAreArray(commandSequence(u"%(FM)")));
}

// Keys the user pressed meanwhile are handed out while keys go to our own
// window: the actions they would start do not run inside the one under way.
TEST_F(HostButtons, NoActionStartsWhileAnotherRuns) {
  startWith("1");
  bool pressed = false;
  journal.meanwhile = [&] {
    if (pressed) return;
    pressed = true;
    c().Command5.userClicked();
    c().List1.userPressedKey(u'\r');
    c().List1.userDoubleClicked();
    c().end.userClicked();
  };
  c().Command4.userClicked();
  journal.meanwhile = nullptr;
  EXPECT_THAT(journal.entries, ElementsAreArray(commandSequence(u"%(FM)")));
  EXPECT_THAT(dialogs.shown, IsEmpty());

  // Once it has ended, the next one runs.
  journal.entries.clear();
  c().Command5.userClicked();
  EXPECT_THAT(journal.entries, ElementsAreArray(commandSequence(u"%(FL)")));
}

TEST_F(HostButtons, MailCheckGoesStraightOnWithTheOptionTicked) {
  startWith("1");
  c().Command4.userClicked();
  EXPECT_THAT(dialogs.shown, IsEmpty());
  EXPECT_THAT(journal.entries, ElementsAreArray(commandSequence(u"%(FM)")));

  // Unticking the box brings the question back; ticking it again skips it.
  journal.entries.clear();
  c().Check3.userClicked();
  dialogs.answers = {DialogAnswer::Cancel};
  c().Command4.userClicked();
  EXPECT_EQ(dialogs.shown.size(), 1u);
  c().Check3.userClicked();
  c().Command4.userClicked();
  EXPECT_EQ(dialogs.shown.size(), 1u);
  EXPECT_THAT(journal.entries, ElementsAreArray(commandSequence(u"%(FM)")));
}

TEST_F(HostButtons, InboxAndSnackAskNothingAndTypeTheirKeys) {
  startWith("0");
  c().Command5.userClicked();
  EXPECT_THAT(journal.entries, ElementsAreArray(commandSequence(u"%(FL)")));
  journal.entries.clear();
  c().Command6.userClicked();
  EXPECT_THAT(journal.entries, ElementsAreArray(commandSequence(u"^h")));
  EXPECT_THAT(dialogs.shown, IsEmpty());
}

TEST_F(HostButtons, DoubleClickAndEnterTypeTheEditedAddressOfTheSelectedFriend) {
  startWith("0");
  c().List1.userSelected(1);
  c().txtAddress.userEdited(u"hiro+mi@example.jp");  // not saved

  c().List1.userDoubleClicked();
  EXPECT_THAT(journal.entries, ElementsAreArray(mailSequence(u"hiro+mi@example.jp")));

  journal.entries.clear();
  c().List1.userPressedKey(13);
  EXPECT_THAT(journal.entries, ElementsAreArray(mailSequence(u"hiro+mi@example.jp")));

  journal.entries.clear();
  for (char16_t key : {u'a', u' ', u'\n', u'\t', u'\x1b'}) c().List1.userPressedKey(key);
  EXPECT_THAT(journal.entries, IsEmpty());
  EXPECT_THAT(dialogs.shown, IsEmpty());
}

}  // namespace
}  // namespace quillby

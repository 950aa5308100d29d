#include "host/host_commands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/host_fakes.h"
#include "ui/host_buttons.h"
#include "ui/messages.h"

namespace quillby {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class HostCommands : public ::testing::Test, protected HostRig {};

TEST_F(HostCommands, EveryButtonStartsAltDownTwiceActivatesAndTypesItsKeys) {
  struct Row {
    HostCommand command;
    const char16_t* keys;
  };
  const Row rows[] = {
      {HostCommand::MailCheck, u"%(FM)"}, {HostCommand::Inbox, u"%(FL)"},
      {HostCommand::Snack, u"^h"},        {HostCommand::Bath, u"^9"},
      {HostCommand::HowAreYou, u"^i"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(utf8(row.keys));
    journal.entries.clear();
    runHostCommandButton(driver, dialogs, row.command, ConnectionHint::Skip);
    EXPECT_THAT(journal.entries, ElementsAre(kStart, sentEntry(u"%{DOWN}"), sentEntry(u"%{DOWN}"),
                                             kEnterFolder, kActivate, sentEntry(row.keys)));
  }
  EXPECT_THAT(shown(), IsEmpty());
}

TEST_F(HostCommands, MailCheckAsksOnlyWhenTheHintIsShown) {
  runHostCommandButton(driver, dialogs, HostCommand::MailCheck, ConnectionHint::Skip);
  EXPECT_EQ(journal.entries.front(), kStart);
  EXPECT_THAT(shown(), IsEmpty());

  journal.entries.clear();
  dialogs.recorded.answers = {DialogAnswer::Ok};
  runHostCommandButton(driver, dialogs, HostCommand::MailCheck, ConnectionHint::Show);
  ASSERT_EQ(shown().size(), 1u);
  const DialogRequest& box = shown()[0];
  EXPECT_EQ(box.text,
            u"POPサーバに接続できるようにして下さい(ダイアルアップ接続等)。\r\n"
            u"準備ができたら「ＯＫ」ボタンを押して下さい。");
  EXPECT_EQ(box.title, u"メールチェックをしようとしています");
  EXPECT_EQ(box.buttons, DialogButtons::OkCancel);
  EXPECT_EQ(box.icon, DialogIcon::Exclamation);
  EXPECT_EQ(box.defaultButton, 1);
  EXPECT_EQ(journal.entries.size(), 7u);  // the box, then the whole sequence
  EXPECT_EQ(journal.entries.back(), sentEntry(u"%(FM)"));

  journal.entries.clear();
  dialogs.recorded.answers = {DialogAnswer::Cancel};
  runHostCommandButton(driver, dialogs, HostCommand::MailCheck, ConnectionHint::Show);
  EXPECT_THAT(journal.entries, ElementsAre("dialog メールチェックをしようとしています"));
}

TEST_F(HostCommands, AFailedStepEndsTheSequenceWithItsMessage) {
  struct Case {
    std::size_t failAt;
    HostFailure failure;
  };
  const Case cases[] = {{0, HostFailure::NotStarted}, {1, HostFailure::NotSent},
                        {2, HostFailure::NotSent},    {3, HostFailure::NoFolder},
                        {4, HostFailure::NoWindow},   {5, HostFailure::NotSent}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.failAt);
    journal = Journal{};
    journal.failAt = c.failAt;
    dialogs.recorded.shown.clear();
    runHostCommandButton(driver, dialogs, HostCommand::Inbox, ConnectionHint::Skip);
    EXPECT_EQ(journal.entries.size(), c.failAt + 2);  // up to the failing step, then the box
    EXPECT_EQ(journal.entries.back(), "dialog QuillbyVer0.5");
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, hostFailureMessage(c.failure));
    EXPECT_EQ(shown()[0].buttons, DialogButtons::Ok);
  }
  EXPECT_EQ(hostFailureMessage(HostFailure::NotStarted),
            u"PostPet20.EXE を起動できませんでした。"
            u"Quillby と同じフォルダに PostPet20.EXE があるか確かめて下さい。");
  EXPECT_NE(hostFailureMessage(HostFailure::NoWindow).find(u"PostPet20.EXE"), Text::npos);
}

TEST_F(HostCommands, MalformedKeysFailBeforeAnythingIsStarted) {
  EXPECT_EQ(driver.RunHostCommand(u"%(FM"), HostFailure::BadKeys);
  EXPECT_EQ(driver.SendHostKeys(u"{NOKEY}"), HostFailure::BadKeys);
  EXPECT_THAT(journal.entries, IsEmpty());
}

TEST_F(HostCommands, ColdStartWaitsForTheWindowBeforeActivating) {
  input.running = false;
  input.windowAfterChecks = 25;
  EXPECT_EQ(driver.RunHostCommand(u"^h"), std::nullopt);
  EXPECT_GT(clock.slept(), 0.0);
  EXPECT_LT(clock.slept(), 1.0);  // on as soon as the window is there
  EXPECT_EQ(journal.entries.back(), sentEntry(u"^h"));
}

TEST_F(HostCommands, ColdStartGivesUpAfterTenSeconds) {
  input.running = false;
  input.windowAfterChecks = 1000000;
  runHostCommandButton(driver, dialogs, HostCommand::Snack, ConnectionHint::Skip);
  EXPECT_NEAR(clock.slept(), 10.0, 1e-9);
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].text, hostFailureMessage(HostFailure::NoWindow));
  EXPECT_EQ(journal.count(sentEntry(u"^h")), 0u);
}

TEST_F(HostCommands, AWarmStartDoesNotWait) {
  driver.StartHost();
  EXPECT_EQ(clock.slept(), 0.0);
}

TEST_F(HostCommands, ClosingTheHostActivatesAndSendsAltF4WithoutStartingIt) {
  EXPECT_EQ(closeHost(driver), std::nullopt);
  EXPECT_THAT(journal.entries, ElementsAre(kActivate, sentEntry(u"%({F4})")));

  journal = Journal{};
  input.running = false;
  EXPECT_EQ(closeHost(driver), HostFailure::NoWindow);
  EXPECT_THAT(journal.entries, ElementsAre(kActivate));
}

}  // namespace
}  // namespace quillby

#include "host/pet_recall.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "host/host_fakes.h"
#include "ui/host_buttons.h"
#include "ui/messages.h"

namespace quillby {
namespace {

using namespace std::chrono;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr year_month_day kDec7 = 2026y / 12 / 7;

class PetRecall : public ::testing::Test, protected HostRig {
 protected:
  void call(ConnectionHint hint = ConnectionHint::Skip) {
    callPetBack(driver, clock, dialogs, hint, [this](const Text& caption) {
      captions.push_back(caption);
      journal.note("label " + utf8(caption));
    });
  }

  std::size_t setDates() const {
    return static_cast<std::size_t>(std::ranges::count_if(
        journal.entries, [](const std::string& e) { return e.starts_with("setDate"); }));
  }

  std::vector<Text> captions;
};

TEST_F(PetRecall, MovesTheDateTriggersCountsDownAndSetsItBack) {
  call();
  std::vector<std::string> expected = {
      setDateEntry(2026y / 12 / 9), kStart,       sentEntry(u"%{DOWN}"),
      sentEntry(u"%{DOWN}"),        kEnterFolder, kActivate,
      sentEntry(u"%(FM)")};
  // Each Down takes half a second of the twenty.
  for (int pass = 1; pass <= 40; ++pass) {
    expected.push_back(kActivate);
    expected.push_back(sentEntry(u"{DOWN}"));
    expected.push_back("label " + utf8(countdownCaption(20.0f - 0.5f * pass)));
  }
  expected.push_back("label ");
  expected.push_back(setDateEntry(kDec7));
  EXPECT_EQ(journal.entries, expected);
  EXPECT_EQ(captions.front(), u" 19.5");
  EXPECT_EQ(captions[captions.size() - 2], u" 0");
  EXPECT_DOUBLE_EQ(clock.slept(), 2.0);
  EXPECT_TRUE(shown().empty());
}

TEST_F(PetRecall, CaptionsAreTheSecondsLeftCutToFiveCharacters) {
  EXPECT_EQ(countdownCaption(19.9921875f), u" 19.9");
  EXPECT_EQ(countdownCaption(9.98046875f), u" 9.98");
  EXPECT_EQ(countdownCaption(0.7421875f), u" .742");
  EXPECT_EQ(countdownCaption(-0.03125f), u"-.031");
  EXPECT_EQ(countdownCaption(5.5f), u" 5.5");
}

// Many short passes: each shows the seconds left, the countdown ends after 20.
TEST_F(PetRecall, FastPassesEachShowTheSecondsLeft) {
  input.secondsPerSend = 1.0 / 128;
  call();
  EXPECT_EQ(captions.front(), u" 19.9");  // 19.9921875 left
  EXPECT_EQ(captions.size(), 20u * 128 + 1);
  EXPECT_EQ(captions[captions.size() - 2], u" 0");
  for (const Text& caption : captions) EXPECT_LE(caption.size(), 5u);
}

TEST_F(PetRecall, TheLastPassMayEndJustAfterTheDeadline) {
  input.secondsPerSend = 0.75;
  call();
  EXPECT_EQ(captions.size(), 27u + 1);
  EXPECT_EQ(captions[captions.size() - 2], u"-.25");
  EXPECT_EQ(captions.back(), u"");
}

TEST_F(PetRecall, ACountdownAcrossMidnightLastsTwentySecondsAndRestoresTodaysDate) {
  clock.reset(2026y / 12 / 31, 86400 - 10);
  call();
  EXPECT_EQ(journal.count(sentEntry(u"{DOWN}")), 40u);
  EXPECT_EQ(journal.entries.front(), setDateEntry(2027y / 1 / 2));
  EXPECT_EQ(journal.entries.back(), setDateEntry(2027y / 1 / 1));  // not the click's 31 December
  EXPECT_DOUBLE_EQ(clock.slept(), 2.0);
  EXPECT_NEAR(clock.now().secondsOfDay, 1.5 + 20 + 2 - 10, 1e-6);
}

TEST_F(PetRecall, APauseAcrossMidnightLastsTwoSeconds) {
  clock.reset(2026y / 12 / 31, 86400 - 22.5);
  call();
  EXPECT_DOUBLE_EQ(clock.slept(), 2.0);
  EXPECT_EQ(journal.entries.back(), setDateEntry(2027y / 1 / 1));
}

TEST_F(PetRecall, TheQuestionComesOnlyWithFlagZeroAndCancelChangesNothing) {
  dialogs.recorded.answers = {DialogAnswer::Cancel};
  call(ConnectionHint::Show);
  EXPECT_THAT(journal.entries, ElementsAre("dialog ペットを呼び戻そうとしています"));
  ASSERT_EQ(shown().size(), 1u);
  const DialogRequest& box = shown()[0];
  EXPECT_EQ(box.text,
            u"  POPサーバに接続できるようにして下さい(ダイアルアップ接続等)。\r\n"
            u"接続できない状態で呼び戻すと20秒ほどキー入力が効かなくなりますが、\r\n"
            u"その後は元に戻ります。 20秒以内にPOPサーバが応答しないと呼び戻せません。\r\n"
            u"残り時間は、「ペットを呼び戻す」ボタンの上部に表示されます。\r\n"
            u"  ペットを呼び戻しますか？");
  EXPECT_EQ(box.buttons, DialogButtons::OkCancel);
  EXPECT_EQ(box.icon, DialogIcon::Exclamation);
  EXPECT_EQ(box.defaultButton, 1);
  EXPECT_TRUE(captions.empty());

  journal = Journal{};
  call(ConnectionHint::Show);  // answered OK
  EXPECT_EQ(journal.entries[1], setDateEntry(2026y / 12 / 9));
  EXPECT_EQ(journal.entries.back(), setDateEntry(kDec7));
}

TEST_F(PetRecall, ADateThatWillNotMoveIsNotSetBackAndIsExplained) {
  for (ClockProblem problem : {ClockProblem::NoPrivilege, ClockProblem::Refused}) {
    journal = Journal{};
    journal.failAt = 0;
    clock.failure = problem;
    dialogs.recorded.shown.clear();
    call();
    EXPECT_THAT(journal.entries,
                ElementsAre(setDateEntry(2026y / 12 / 9), "label ", "dialog QuillbyVer0.5"));
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, dateNotMovedMessage(problem));
  }
  EXPECT_DOUBLE_EQ(clock.slept(), 4.0);  // the pause is made all the same
  EXPECT_NE(dateNotMovedMessage(ClockProblem::NoPrivilege).find(u"管理者"), Text::npos);
  EXPECT_EQ(clock.now().date, kDec7);
}

// Time synchronisation, or the user, sets the clock during the 22 seconds: the
// date set back is the click's, moved on only by the time that really passed.
TEST_F(PetRecall, AClockSetMeanwhileChangesNeitherTheWaitsNorTheDateSetBack) {
  struct Case {
    year_month_day day;
    double clickedAt;
    double jump;  // at the fifth Down
    year_month_day restored;
  };
  const Case cases[] = {
      {kDec7, 12 * 3600.0, -3 * 86400.0, kDec7},
      {kDec7, 12 * 3600.0, 5 * 3600.0, kDec7},
      {kDec7, 12 * 3600.0, 13 * 3600.0, kDec7},  // the calendar passes midnight, time does not
      {2026y / 12 / 31, 86400 - 10, -3600.0, 2027y / 1 / 1},  // time passes midnight
      {2026y / 12 / 31, 86400 - 30, 3600.0, 2026y / 12 / 31},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.jump);
    journal = Journal{};
    clock.reset(c.day, c.clickedAt);
    journal.meanwhile = [this, jump = c.jump] {
      if (journal.entries.back() == sentEntry(u"{DOWN}") &&
          journal.count(sentEntry(u"{DOWN}")) == 5) {
        clock.jump(jump);
      }
    };
    call();
    EXPECT_EQ(journal.count(sentEntry(u"{DOWN}")), 40u);
    EXPECT_EQ(journal.entries.back(), setDateEntry(c.restored));
  }
  EXPECT_DOUBLE_EQ(clock.slept(), 2.0);
}

// Across a daylight-saving change the date moves in two steps; when only the
// second fails, the date has moved all the same.
TEST_F(PetRecall, ADateMovedWithoutItsDaylightStepIsSetBackAndTheTimeQuestioned) {
  for (std::size_t failing : {0, 1}) {  // the move, then the restore
    SCOPED_TRACE(failing);
    journal = Journal{};
    clock.reset(kDec7, 12 * 3600.0);
    clock.failure = ClockProblem::DaylightStep;
    journal.failAt = failing == 0 ? 0 : 7 + 40 * 2;
    dialogs.recorded.shown.clear();
    call();
    EXPECT_EQ(journal.failed, setDateEntry(failing == 0 ? 2026y / 12 / 9 : kDec7));
    EXPECT_EQ(journal.count(sentEntry(u"{DOWN}")), 40u);
    EXPECT_EQ(journal.entries.back(), "dialog QuillbyVer0.5");
    EXPECT_EQ(journal.entries[journal.entries.size() - 2], setDateEntry(kDec7));
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, timeMaybeOffMessage());
  }
}

// A host that stops answering holds no step past the countdown's deadline, so
// the date is back at most 22 seconds after the trigger; sooner when the hang
// is found before the deadline, and then it is told.
TEST_F(PetRecall, AHungHostEndsTheCountdownByItsDeadlineAndTheDateComesBack) {
  struct Case {
    std::size_t hangAfterDowns;
    double movedFor;  // steady seconds from the move to the restore
    std::optional<HostFailure> told;
  };
  const Case cases[] = {
      {0, 5 + 2, HostFailure::NotSent},  // the first Alt+Down waits its five seconds
      {10, 1.5 + 5 + 5 + 2, HostFailure::NotAnswering},
      {39, 1.5 + 20 + 2, std::nullopt},  // the last pass waits only what is left
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hangAfterDowns);
    journal = Journal{};
    clock.reset(kDec7, 12 * 3600.0);
    input.hung = false;
    dialogs.recorded.shown.clear();
    std::vector<double> dateSetAt;
    journal.meanwhile = [&, this] {
      if (journal.entries.back().starts_with("setDate")) dateSetAt.push_back(clock.steadySeconds());
      if (journal.count(sentEntry(u"{DOWN}")) == c.hangAfterDowns) input.hung = true;
    };
    call();
    ASSERT_EQ(dateSetAt.size(), 2u);
    EXPECT_DOUBLE_EQ(dateSetAt[1] - dateSetAt[0], c.movedFor);
    EXPECT_EQ(journal.entries.back(), c.told ? "dialog QuillbyVer0.5" : setDateEntry(kDec7));
    if (c.told) {
      EXPECT_EQ(shown().at(0).text, hostFailureMessage(*c.told));
    }
  }
}

// Fails, or throws at, each fallible step in turn; started at noon and 15
// seconds before midnight, so that some failures come after midnight.
class PetRecallFaults : public PetRecall, public ::testing::WithParamInterface<double> {
 protected:
  void SetUp() override { clock.reset(kDec7, GetParam()); }

  // The date that is really true when the run ends.
  year_month_day today() const {
    return clock.now().secondsOfDay < GetParam() ? 2026y / 12 / 8 : kDec7;
  }

  std::size_t stepsOfACleanRun() {
    PetRecall::call();
    const std::size_t steps = journal.fallible;
    SetUp();
    journal = Journal{};
    captions.clear();
    dialogs.recorded.shown.clear();
    return steps;
  }
};

HostFailure failureOf(const std::string& entry) {
  if (entry.starts_with("start")) return HostFailure::NotStarted;
  if (entry.starts_with("activate")) return HostFailure::NoWindow;
  if (entry.starts_with("cd")) return HostFailure::NoFolder;
  return HostFailure::NotSent;
}

TEST_P(PetRecallFaults, EveryFailureAfterTheMoveRestoresOnceAndTodaysDate) {
  const std::size_t steps = stepsOfACleanRun();
  ASSERT_GT(steps, 10u);
  for (std::size_t step = 1; step < steps; ++step) {
    SCOPED_TRACE(step);
    SetUp();
    journal = Journal{};
    journal.failAt = step;
    dialogs.recorded.shown.clear();
    call();

    const auto& e = journal.entries;
    ASSERT_EQ(setDates(), 2u);
    const auto restore = std::ranges::find_if(
        e.rbegin(), e.rend(), [](const std::string& x) { return x.starts_with("setDate"); });
    EXPECT_EQ(*restore, setDateEntry(today()));
    EXPECT_EQ(*std::next(restore), "label ");
    EXPECT_TRUE(std::all_of(e.rbegin(), restore,
                            [](const std::string& x) { return x.starts_with("dialog"); }));
    EXPECT_DOUBLE_EQ(clock.slept(), 2.0);

    ASSERT_TRUE(journal.failed);
    if (step == steps - 2) {  // the last Down, sent as the deadline came: the countdown is over
      EXPECT_THAT(shown(), IsEmpty());
      continue;
    }
    ASSERT_EQ(shown().size(), 1u);
    if (step == steps - 1) {
      EXPECT_EQ(shown()[0].text, dateNotRestoredMessage(today()));
    } else {
      EXPECT_EQ(shown()[0].text, hostFailureMessage(failureOf(*journal.failed)));
    }
  }
}

TEST_P(PetRecallFaults, AnExceptionAfterTheMoveStillRestoresOnce) {
  const std::size_t steps = stepsOfACleanRun();
  for (std::size_t step = 0; step < steps; ++step) {
    SCOPED_TRACE(step);
    SetUp();
    journal = Journal{};
    journal.throwAt = step;
    EXPECT_THROW(call(), InjectedFault);
    EXPECT_EQ(setDates(), step == 0 ? 1u : 2u);
    if (step > 0) {
      EXPECT_EQ(journal.entries.back(), setDateEntry(today()));
    }
  }
}

TEST_P(PetRecallFaults, ALabelThatThrowsStillLetsTheDateBeSetBack) {
  int calls = 0;
  EXPECT_THROW(callPetBack(driver, clock, dialogs, ConnectionHint::Skip,
                           [&calls](const Text&) {
                             if (++calls == 3) throw InjectedFault{};
                           }),
               InjectedFault);
  EXPECT_EQ(setDates(), 2u);
  EXPECT_EQ(journal.entries.back(), setDateEntry(today()));
}

INSTANTIATE_TEST_SUITE_P(NoonAndMidnight, PetRecallFaults, ::testing::Values(43200.0, 86385.0));

}  // namespace
}  // namespace quillby

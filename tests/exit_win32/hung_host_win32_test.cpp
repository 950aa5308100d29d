// A host that stops answering, met through the real windows: the failure is
// told within seconds, the call-back keeps its time, the exit still ends, and
// our windows answer all the while.
#include <gmock/gmock.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <memory>
#include <thread>

#include "formats/settings_file.h"
#include "platform/win32/win32_clock.h"
#include "support_win32/live_program.h"
#include "ui/messages.h"

namespace quillby::test {
namespace {

using namespace std::chrono;
using ::testing::IsEmpty;

// How long our window may go unanswered: every wait on the host handles what
// is sent to our windows as it comes, though a loaded machine under Wine can
// hold an answering window for most of a second. A window held by an unbounded
// wait answers only once the host is ended, long after this.
constexpr milliseconds kAnswersWithin{2000};

// Asks a window for an answer from another thread, as the system and other
// programs do, and keeps the longest wait for one.
class AnswerWatch {
 public:
  explicit AnswerWatch(HWND window)
      : thread_([this, window] {
          while (!stop_) {
            const auto asked = steady_clock::now();
            DWORD_PTR result = 0;
            if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL,
                                     static_cast<UINT>(kAnswersWithin.count()), &result)) {
              unanswered_ = true;
            }
            longest_ = std::max(longest_.load(), steady_clock::now() - asked);
            Sleep(20);
          }
          finished_ = true;
        }) {}
  ~AnswerWatch() { stop(); }

  // Called on the window's thread, which answers until the watch has ended: a
  // question asked as the watch was told to stop would otherwise wait out its
  // whole timeout on a thread blocked in the join.
  void stop() {
    stop_ = true;
    while (!finished_) waitAnswering(milliseconds(10));
    if (thread_.joinable()) thread_.join();
  }
  bool unanswered() const { return unanswered_; }
  milliseconds longest() const { return duration_cast<milliseconds>(longest_.load()); }

 private:
  std::atomic<bool> stop_ = false;
  std::atomic<bool> unanswered_ = false;
  std::atomic<steady_clock::duration> longest_{};
  std::atomic<bool> finished_ = false;
  std::thread thread_;
};

template <class Param>
class HostThatHangs : public ::testing::TestWithParam<Param>,
                      protected LiveProgram<RecordingDialogs, DateRecordingClock> {
 protected:
  void startWithHost() {
    f.put(kBookFile, bookOf({friendRow(u"あきこ")}, f.charset));
    ASSERT_TRUE(start());
    ASSERT_TRUE(startHost());
  }

  // A hung stand-in would not close.
  void TearDown() override {
    stop();
    killStandins(f.folder.path());
  }

  // Clicks a real button as the user would, while another thread asks its
  // window for answers; how long the click took.
  milliseconds click(HWND button) {
    const HWND window = GetAncestor(button, GA_ROOT);
    EXPECT_TRUE(bringToFront(window));
    AnswerWatch watch(window);
    const auto start = steady_clock::now();
    press(button);
    const auto took = duration_cast<milliseconds>(steady_clock::now() - start);
    watch.stop();
    EXPECT_FALSE(watch.unanswered());
    EXPECT_LT(watch.longest(), kAnswersWithin);
    ::testing::Test::RecordProperty("click_ms", static_cast<int>(took.count()));
    ::testing::Test::RecordProperty("longest_answer_ms", static_cast<int>(watch.longest().count()));
    return took;
  }

  void expectToldNotAnswering() const {
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, hostFailureMessage(HostFailure::NotAnswering));
  }
  void expectDateSetBack(year_month_day today) const {
    ASSERT_EQ(clock.dates.size(), 2u);
    EXPECT_EQ(clock.dates[0], year_month_day{sys_days{today} + days{2}});
    EXPECT_EQ(clock.dates[1], today);
  }
  void expectExitEnded() {
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(readSettings(f.get(kSettingsFile)).quitPostPet());
    EXPECT_THAT(dialogs.shown, IsEmpty());
  }
};

class HungHostWin32Test : public HostThatHangs<const char*> {
 protected:
  void SetUp() override {
    std::ofstream(f.folder.path() / GetParam()).put('\n');
    startWithHost();
  }
};

class HungAfterStart : public HungHostWin32Test {};

TEST_P(HungAfterStart, ACommandIsToldWithinSecondsAndNoKeyReachesTheHost) {
  EXPECT_LT(click(control("Command5")), 5s);
  expectToldNotAnswering();
  EXPECT_THAT(standinKeys(f.folder.path()), IsEmpty());
}

TEST_P(HungAfterStart, CallingThePetBackSetsTheDateBackAtOnce) {
  const auto today = clock.now().date;
  // The hang is found at the activation; then only the pause remains.
  EXPECT_LT(click(control("Command2")), 8s);
  expectDateSetBack(today);
  expectToldNotAnswering();
}

INSTANTIATE_TEST_SUITE_P(Standin, HungAfterStart, ::testing::Values("standin-hang"));

// The exit writes the settings and ends, whether the host hangs before the
// Alt+F4 or on it.
TEST_P(HungHostWin32Test, TheExitWritesTheSettingsAndEndsWithinSeconds) {
  ASSERT_TRUE(pressInFront(control("Check2")));
  ASSERT_TRUE(ticked(control("Check2")));
  EXPECT_LT(click(control("end")), 5s);
  expectExitEnded();
}

INSTANTIATE_TEST_SUITE_P(Standin, HungHostWin32Test,
                         ::testing::Values("standin-hang", "standin-hang-on-close"));

// A host that stopped answering a moment before the click, long before the
// system would call it hung: every question to it runs out in slices, to
// the end of its limit, whatever the clock does between two readings.
class HungMomentsBefore : public HostThatHangs<int> {
 protected:
  void SetUp() override { startWithHost(); }

  milliseconds clickAfterTheHang(HWND button) {
    EXPECT_TRUE(hangStandinNow());
    const auto clickAt = steady_clock::now() + milliseconds(GetParam());
    while (steady_clock::now() < clickAt) waitAnswering(milliseconds(10));
    return click(button);
  }
};

TEST_P(HungMomentsBefore, ACommandIsToldWithinSeconds) {
  EXPECT_LT(clickAfterTheHang(control("Command5")), 5s);
  expectToldNotAnswering();
}

TEST_P(HungMomentsBefore, CallingThePetBackSetsTheDateBack) {
  const auto today = clock.now().date;
  EXPECT_LT(clickAfterTheHang(control("Command2")), 8s);
  expectDateSetBack(today);
  expectToldNotAnswering();
}

TEST_P(HungMomentsBefore, TheExitWritesTheSettingsAndEnds) {
  ASSERT_TRUE(pressInFront(control("Check2")));
  EXPECT_LT(clickAfterTheHang(control("end")), 5s);
  expectExitEnded();
}

INSTANTIATE_TEST_SUITE_P(Standin, HungMomentsBefore, ::testing::Values(500, 2000, 4000));

}  // namespace
}  // namespace quillby::test

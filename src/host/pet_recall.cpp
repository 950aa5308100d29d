#include "host/pet_recall.h"

#include <cmath>
#include <exception>
#include <string>

#include "host/host_commands.h"
#include "host/single_text.h"

namespace quillby {
namespace {

using std::chrono::year_month_day;

constexpr int kDaysAhead = 2;
constexpr double kCountdownSeconds = 20;
constexpr double kSettleSeconds = 2;
constexpr double kDay = 24 * 60 * 60;
constexpr std::size_t kCaptionLength = 5;

year_month_day addDays(year_month_day date, int days) {
  return year_month_day{std::chrono::sys_days{date} + std::chrono::days{days}};
}

// Seconds since midnight of the day a wait began, so that a wait across
// midnight keeps counting past a day instead of starting again at 0. A small
// step back of the clock is not mistaken for midnight.
float continued(double start, double timeOfDay) {
  return static_cast<float>(start - timeOfDay > kDay / 2 ? timeOfDay + kDay : timeOfDay);
}

void waitSeconds(Clock& clock, double seconds) {
  const double start = clock.timeOfDay();
  const float deadline = static_cast<float>(start + seconds);
  for (float now = continued(start, start); now < deadline;
       now = continued(start, clock.timeOfDay())) {
    clock.sleep(std::chrono::milliseconds(static_cast<long>(std::ceil((deadline - now) * 1000))));
  }
}

// Keeps the mail check going with Down keys; the label shows the seconds left.
HostStatus countDown(HostDriver& driver, Clock& clock, const ShowCountdown& showCountdown) {
  const double start = clock.timeOfDay();
  const float deadline = static_cast<float>(start + kCountdownSeconds);
  while (continued(start, clock.timeOfDay()) < deadline) {
    if (auto failure = driver.ActivateHost()) return failure;
    if (auto failure = driver.SendHostKeys(u"{DOWN}")) return failure;
    showCountdown(countdownCaption(deadline - continued(start, clock.timeOfDay())));
  }
  return std::nullopt;
}

void settle(Clock& clock, const ShowCountdown& showCountdown) {
  showCountdown(Text{});
  waitSeconds(clock, kSettleSeconds);
}

struct Restored {
  year_month_day date;
  ClockStatus status;
};

// Sets back the date that is true now, which is a day later than the click's
// when midnight passed meanwhile. The date is set even if the label throws.
Restored restoreDate(Clock& clock, const ShowCountdown& showCountdown) {
  std::exception_ptr thrown;
  try {
    settle(clock, showCountdown);
  } catch (...) {
    thrown = std::current_exception();
  }
  const year_month_day date = addDays(clock.now().date, -kDaysAhead);
  const ClockStatus status = clock.setDate(date);
  if (thrown) std::rethrow_exception(thrown);
  return {date, status};
}

Text ascii(const std::string& s) { return Text(s.begin(), s.end()); }

}  // namespace

Text countdownCaption(float secondsLeft) {
  return singleToText(secondsLeft).substr(0, kCaptionLength);
}

DialogRequest recallQuestion() {
  return {
      u"  POPサーバに接続できるようにして下さい(ダイアルアップ接続等)。\r\n"
      u"接続できない状態で呼び戻すと20秒ほどキー入力が効かなくなりますが、\r\n"
      u"その後は元に戻ります。 20秒以内にPOPサーバが応答しないと呼び戻せません。\r\n"
      u"残り時間は、「ペットを呼び戻す」ボタンの上部に表示されます。\r\n"
      u"  ペットを呼び戻しますか？",
      u"ペットを呼び戻そうとしています", DialogButtons::OkCancel, DialogIcon::Exclamation, 1};
}

Text dateNotMovedMessage(ClockProblem problem) {
  const Text lead = u"日付を変更できなかったため、ペットを呼び戻せませんでした。";
  switch (problem) {
    case ClockProblem::NoPrivilege:
      return lead + u"日付を変更するには、Quillby を管理者として実行して下さい。";
    case ClockProblem::Refused:
      return lead + u"Windows が日付の変更を受け付けませんでした。";
  }
  return lead;
}

Text dateNotRestoredMessage(year_month_day date) {
  return u"日付を元に戻せませんでした。Windows の日付を " +
         ascii(std::to_string(static_cast<int>(date.year()))) + u"年" +
         ascii(std::to_string(static_cast<unsigned>(date.month()))) + u"月" +
         ascii(std::to_string(static_cast<unsigned>(date.day()))) + u"日 に直して下さい。";
}

void callPetBack(HostDriver& driver, Clock& clock, Dialogs& dialogs, TextView noConnCheckFlag,
                 const ShowCountdown& showCountdown) {
  if (!confirmConnection(dialogs, recallQuestion(), noConnCheckFlag)) return;

  if (const ClockStatus problem = clock.setDate(addDays(clock.now().date, kDaysAhead))) {
    settle(clock, showCountdown);  // nothing to set back
    dialogs.show(problemBox(dateNotMovedMessage(*problem)));
    return;
  }

  HostStatus host;
  std::exception_ptr thrown;
  try {
    host = driver.RunHostCommand(hostCommandKeys(HostCommand::MailCheck));
    if (!host) host = countDown(driver, clock, showCountdown);
  } catch (...) {
    thrown = std::current_exception();
  }
  const Restored restored = restoreDate(clock, showCountdown);
  if (thrown) std::rethrow_exception(thrown);

  reportHostFailure(dialogs, host);
  if (restored.status) dialogs.show(problemBox(dateNotRestoredMessage(restored.date)));
}

}  // namespace quillby

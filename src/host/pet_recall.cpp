#include "host/pet_recall.h"

#include <cmath>
#include <exception>

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

// Where the click found the calendar and the steady clock. The date to set
// back is reckoned from here by the time that really passed, since the
// calendar itself may be set meanwhile (by us, or by time synchronisation).
struct Click {
  year_month_day date;
  double secondsOfDay;
  double steady;
};

Click clickNow(const Clock& clock) {
  const LocalDateTime now = clock.now();
  return {now.date, now.secondsOfDay, clock.steadySeconds()};
}

year_month_day todayAfter(const Click& click, const Clock& clock) {
  const double passed = clock.steadySeconds() - click.steady;
  return addDays(click.date, static_cast<int>(std::floor((click.secondsOfDay + passed) / kDay)));
}

void waitSeconds(Clock& clock, double seconds) {
  const double deadline = clock.steadySeconds() + seconds;
  for (double now = clock.steadySeconds(); now < deadline; now = clock.steadySeconds()) {
    clock.sleep(std::chrono::milliseconds(static_cast<long>(std::ceil((deadline - now) * 1000))));
  }
}

// Keeps the mail check going with Down keys; the label shows the seconds left.
// No pass waits on the host past the deadline; one cut short by it is the end.
HostStatus countDown(HostDriver& driver, Clock& clock, const ShowCountdown& showCountdown) {
  const HostTimeLimit limit(driver, kCountdownSeconds);
  const double deadline = clock.steadySeconds() + kCountdownSeconds;
  while (clock.steadySeconds() < deadline) {
    HostStatus failure = driver.ActivateHost();
    if (!failure) failure = driver.SendHostKeys(u"{DOWN}");
    const double left = deadline - clock.steadySeconds();
    if (failure) return left > 0 ? failure : std::nullopt;
    showCountdown(countdownCaption(static_cast<float>(left)));
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

// Sets back the click's date, a day later when midnight passed meanwhile. The
// date is set even if the label throws.
Restored restoreDate(Clock& clock, const Click& click, const ShowCountdown& showCountdown) {
  std::exception_ptr thrown;
  try {
    settle(clock, showCountdown);
  } catch (...) {
    thrown = std::current_exception();
  }
  const year_month_day date = todayAfter(click, clock);
  const ClockStatus status = clock.setDate(date);
  if (thrown) std::rethrow_exception(thrown);
  return {date, status};
}

}  // namespace

Text countdownCaption(float secondsLeft) {
  return singleToText(secondsLeft).substr(0, kCaptionLength);
}

RecallOutcome recallPet(HostDriver& driver, Clock& clock, const ShowCountdown& showCountdown) {
  const Click click = clickNow(clock);
  const ClockStatus moved = clock.setDate(addDays(click.date, kDaysAhead));
  if (moved && *moved != ClockProblem::DaylightStep) {
    settle(clock, showCountdown);  // nothing to set back
    return {.dateNotMoved = moved};
  }

  HostStatus host;
  std::exception_ptr thrown;
  try {
    {
      const HostTimeLimit limit(driver, kCountdownSeconds);
      host = driver.RunHostCommand(hostCommandKeys(HostCommand::MailCheck));
    }
    if (!host) host = countDown(driver, clock, showCountdown);
  } catch (...) {
    thrown = std::current_exception();
  }
  const Restored restored = restoreDate(clock, click, showCountdown);
  if (thrown) std::rethrow_exception(thrown);

  RecallOutcome outcome{.host = host};
  if (restored.status == ClockProblem::DaylightStep || moved == ClockProblem::DaylightStep) {
    outcome.timeMaybeOff = true;
  } else if (restored.status) {
    outcome.dateNotRestored = restored.date;
  }
  return outcome;
}

}  // namespace quillby

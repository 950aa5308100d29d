#pragma once

#include <chrono>
#include <functional>

#include "host/host_driver.h"
#include "model/text.h"
#include "platform/clock.h"
#include "platform/dialogs.h"

namespace quillby {

// Sets the caption of the window's countdown label and repaints it.
using ShowCountdown = std::function<void(const Text&)>;

DialogRequest recallQuestion();
// The countdown label's text: the seconds left with a sign position, cut to
// five characters (" 19.9", " .742", "-.031").
Text countdownCaption(float secondsLeft);
Text dateNotMovedMessage(ClockProblem problem);
Text dateNotRestoredMessage(std::chrono::year_month_day date);
Text timeMaybeOffMessage();

// Calls the pet home: with the calendar two days ahead PostPet checks mail and
// gets Down keys for 20 seconds while the label counts down; then the date is
// set back to the click's date, moved on by the time that really passed. Once
// the date has moved it is set back exactly once, whatever fails or throws on
// the way; the countdown ends at its deadline even if the host stops
// answering. Failures are told after the date is back.
void callPetBack(HostDriver& driver, Clock& clock, Dialogs& dialogs, TextView noConnCheckFlag,
                 const ShowCountdown& showCountdown);

}  // namespace quillby

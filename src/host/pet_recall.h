#pragma once

#include <chrono>
#include <functional>
#include <optional>

#include "host/host_driver.h"
#include "model/text.h"
#include "platform/clock.h"

namespace quillby {

// Sets the caption of the window's countdown label and repaints it.
using ShowCountdown = std::function<void(const Text&)>;

// The countdown label's text: the seconds left with a sign position, cut to
// five characters (" 19.9", " .742", "-.031").
Text countdownCaption(float secondsLeft);

// How a call ended, for the windows to tell.
struct RecallOutcome {
  ClockStatus dateNotMoved = std::nullopt;  // set: nothing else was done
  HostStatus host = std::nullopt;
  bool timeMaybeOff = false;  // the date moved across a daylight-saving change
  // The date the user has to set again.
  std::optional<std::chrono::year_month_day> dateNotRestored = std::nullopt;
};

// Calls the pet home: with the calendar two days ahead PostPet checks mail and
// gets Down keys for 20 seconds while the label counts down; then the date is
// set back to the click's date, moved on by the time that really passed. Once
// the date has moved it is set back exactly once, whatever fails or throws on
// the way; the countdown ends at its deadline even if the host stops
// answering.
RecallOutcome recallPet(HostDriver& driver, Clock& clock, const ShowCountdown& showCountdown);

}  // namespace quillby

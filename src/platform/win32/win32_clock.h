#pragma once

#include "platform/clock.h"

namespace quillby {

// The computer's own clock. setDate changes the system date for real. Sleeping
// keeps our windows answering: what other programs send them is handled, and
// they are repainted.
class Win32Clock final : public Clock {
 public:
  LocalDateTime now() const override;
  double steadySeconds() const override;
  void sleep(std::chrono::milliseconds duration) override;
  ClockStatus setDate(std::chrono::year_month_day date) override;
};

// Waits up to `duration`, at least 1 ms, for something to arrive for our
// windows or, when given, for `event` to be set; then handles what other
// threads sent our windows and their painting, but not the user's input,
// which waits for the action under way to end.
void waitAnswering(std::chrono::milliseconds duration, void* event = nullptr);

// Lets other threads run, then handles what waitAnswering handles, without
// waiting for anything.
void yieldAnswering();

}  // namespace quillby

#pragma once

#include "platform/clock.h"

namespace quillby {

// The computer's time, but a date change is taken as done without being made:
// the demo runs the whole call-back without touching the machine it runs on.
class DemoClock final : public Clock {
 public:
  explicit DemoClock(Clock& real) : real_(real) {}

  LocalDateTime now() const override { return real_.now(); }
  double steadySeconds() const override { return real_.steadySeconds(); }
  void sleep(std::chrono::milliseconds duration) override { real_.sleep(duration); }
  ClockStatus setDate(std::chrono::year_month_day) override { return std::nullopt; }

 private:
  Clock& real_;
};

}  // namespace quillby

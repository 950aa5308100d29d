#pragma once

#include "platform/clock.h"

namespace quillby {

// The computer's own clock. setDate changes the system date for real.
class Win32Clock final : public Clock {
 public:
  LocalDateTime now() const override;
  void sleep(std::chrono::milliseconds duration) override;
  ClockStatus setDate(std::chrono::year_month_day date) override;
};

}  // namespace quillby

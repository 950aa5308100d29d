#pragma once

#include <chrono>
#include <optional>

namespace quillby {

struct LocalDateTime {
  std::chrono::year_month_day date;
  double secondsOfDay = 0;  // since local midnight, with fractions
};

enum class ClockProblem {
  NoPrivilege,  // the account may not change the system time
  Refused,      // the system would not take the new date
};

using ClockStatus = std::optional<ClockProblem>;  // nullopt: done

class Clock {
 public:
  virtual ~Clock() = default;

  virtual LocalDateTime now() const = 0;
  double timeOfDay() const { return now().secondsOfDay; }
  virtual void sleep(std::chrono::milliseconds duration) = 0;
  // Moves the computer's calendar to `date`, keeping the time of day.
  virtual ClockStatus setDate(std::chrono::year_month_day date) = 0;
};

}  // namespace quillby

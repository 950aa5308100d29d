#pragma once

#include <chrono>
#include <optional>

namespace quillby {

struct LocalDateTime {
  std::chrono::year_month_day date;
  double secondsOfDay = 0;  // since local midnight, with fractions
};

enum class ClockProblem {
  NoPrivilege,   // the account may not change the system time
  Refused,       // the system would not take the new date
  DaylightStep,  // the date moved, but across a daylight-saving change the
                 // time of day may have stayed an hour off
};

using ClockStatus = std::optional<ClockProblem>;  // nullopt: done

class Clock {
 public:
  virtual ~Clock() = default;

  virtual LocalDateTime now() const = 0;
  // Seconds from some fixed moment, on a clock that setting the date or time
  // never moves: every elapsed time and wait is measured on it.
  virtual double steadySeconds() const = 0;
  virtual void sleep(std::chrono::milliseconds duration) = 0;
  // Moves the computer's calendar to `date`, keeping the time of day.
  virtual ClockStatus setDate(std::chrono::year_month_day date) = 0;
};

}  // namespace quillby

#pragma once

#include <chrono>
#include <thread>

namespace quillby {

using Steady = std::chrono::steady_clock;

inline double secondsSince(Steady::time_point start) {
  return std::chrono::duration<double>(Steady::now() - start).count();
}

// Sleeps, so that the child has the processor, and spins the last stretch,
// which a sleep would overshoot.
inline void waitUntil(Steady::time_point start, double seconds) {
  constexpr double kSpun = 0.001;
  if (seconds > kSpun) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds - kSpun));
  }
  while (secondsSince(start) < seconds) {
  }
}

}  // namespace quillby

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "crash/save_child.h"

namespace quillby {
namespace {

using Steady = std::chrono::steady_clock;

int toParent = -1;
void tellParent(char what) { (void)!::write(toParent, &what, 1); }

double secondsSince(Steady::time_point start) {
  return std::chrono::duration<double>(Steady::now() - start).count();
}

// Sleeps, so that the child has the processor, and spins the last stretch,
// which a sleep would overshoot.
void waitUntil(Steady::time_point start, double seconds) {
  constexpr double kSpun = 0.001;
  if (seconds > kSpun) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds - kSpun));
  }
  while (secondsSince(start) < seconds) {
  }
}

}  // namespace

ChildOutcome runSaveChild(const std::filesystem::path& folder, int round,
                          std::optional<double> killAfter) {
  int fds[2];
  if (::pipe(fds) != 0) std::abort();
  const pid_t child = ::fork();
  if (child < 0) std::abort();
  if (child == 0) {
    ::close(fds[0]);
    toParent = fds[1];
    ::_exit(saveInChild(folder, round, tellParent));  // no exit handlers: as if killed
  }
  ::close(fds[1]);
  ChildOutcome outcome;
  char told = 0;
  outcome.aboutToSave = ::read(fds[0], &told, 1) == 1 && told == kAboutToSave;
  const auto start = Steady::now();
  if (outcome.aboutToSave && killAfter) {
    waitUntil(start, *killAfter);
    ::kill(child, SIGKILL);
  }
  // Killed, the child has told all it will once it has ended.
  const int timeout = killAfter ? 0 : -1;
  if (killAfter) ::waitpid(child, nullptr, 0);
  pollfd ready{fds[0], POLLIN, 0};
  outcome.saved =
      ::poll(&ready, 1, timeout) == 1 && ::read(fds[0], &told, 1) == 1 && told == kSaved;
  outcome.seconds = secondsSince(start);
  if (!killAfter) ::waitpid(child, nullptr, 0);
  ::close(fds[0]);
  return outcome;
}

}  // namespace quillby

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "crash/kill_timing.h"
#include "crash/save_child.h"

namespace quillby {
namespace {

int toParent = -1;
void tellParent(char what) { (void)!::write(toParent, &what, 1); }

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

#include "host/host_driver.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace quillby {
namespace {

using namespace std::chrono_literals;

// A window looked for this often shows up a few milliseconds after it opens,
// for next to no work beside a program that takes seconds to start.
constexpr auto kColdStartPoll = 10ms;
constexpr auto kColdStartLimit = 10s;
constexpr auto kColdStartPolls = kColdStartLimit / kColdStartPoll;

const KeySequence& altDown() {
  static const KeySequence keys = parseKeys(u"%{DOWN}").value();
  return keys;
}

}  // namespace

HostStatus HostDriver::StartHost() {
  const std::filesystem::path folder = files_.programFolder();
  const bool running = input_.windowExists(kWindowTitle);
  // Running, the host takes the keys whatever the second start does, and
  // under Wine a start takes as long as the command's keys.
  const auto outcome = running ? StartOutcome::Unused : StartOutcome::Wanted;
  if (folder.empty() || !input_.start(folder / std::filesystem::path(Text(kProgram)), outcome)) {
    return HostFailure::NotStarted;
  }
  // Counted in polls, and bounded on the steady clock too, as sleeps run long.
  const double until =
      clock_.steadySeconds() + std::chrono::duration<double>(kColdStartLimit).count();
  for (int i = 0; !running && i < kColdStartPolls && clock_.steadySeconds() < until &&
                  patience() > 0ms && !input_.windowExists(kWindowTitle);
       ++i) {
    clock_.sleep(std::min<std::chrono::milliseconds>(kColdStartPoll, patience()));
  }
  return std::nullopt;
}

HostStatus HostDriver::ActivateHost() {
  const auto patience = this->patience();
  if (patience <= 0ms) return HostFailure::NotAnswering;
  switch (input_.activate(kWindowTitle, patience)) {
    case Activation::Done:
      return std::nullopt;
    case Activation::NoWindow:
      return HostFailure::NoWindow;
    case Activation::NotAnswering:
      return HostFailure::NotAnswering;
  }
  return HostFailure::NoWindow;
}

HostStatus HostDriver::SendHostKeys(TextView keys) {
  auto parsed = parseKeys(keys);
  if (!parsed) return HostFailure::BadKeys;
  return send(parsed.value());
}

HostStatus HostDriver::EnterProgramFolder() {
  if (files_.setCurrentDirectory(files_.programFolder())) return HostFailure::NoFolder;
  return std::nullopt;
}

HostStatus HostDriver::RunHostCommand(TextView keys) {
  auto parsed = parseKeys(keys);
  if (!parsed) return HostFailure::BadKeys;
  if (auto failure = StartHost()) return failure;
  if (auto failure = send(altDown())) return failure;
  if (auto failure = send(altDown())) return failure;
  if (auto failure = EnterProgramFolder()) return failure;
  if (auto failure = ActivateHost()) return failure;
  return send(parsed.value());
}

HostStatus HostDriver::send(const KeySequence& keys) {
  const auto patience = this->patience();
  if (patience <= 0ms) return HostFailure::NotAnswering;
  if (!input_.send(keys, patience)) return HostFailure::NotSent;
  return std::nullopt;
}

std::chrono::milliseconds HostDriver::patience() const {
  if (!until_) return std::chrono::milliseconds::max();
  const double left = *until_ - clock_.steadySeconds();
  return std::chrono::milliseconds(left > 0 ? static_cast<long long>(std::ceil(left * 1000)) : 0);
}

HostTimeLimit::HostTimeLimit(HostDriver& driver, double seconds)
    : driver_(driver), previous_(driver.until_) {
  const double until = driver.clock_.steadySeconds() + seconds;
  driver_.until_ = previous_ ? std::min(*previous_, until) : until;
}

}  // namespace quillby

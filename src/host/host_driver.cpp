#include "host/host_driver.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace quillby {
namespace {

using namespace std::chrono_literals;

constexpr auto kColdStartPoll = 100ms;
constexpr int kColdStartPolls = 100;
constexpr double kColdStartSeconds = 10;

const KeySequence& altDown() {
  static const KeySequence keys = parseKeys(u"%{DOWN}").value();
  return keys;
}

}  // namespace

HostStatus HostDriver::StartHost() {
  const std::filesystem::path folder = files_.programFolder();
  const bool running = input_.windowExists(kWindowTitle);
  if (folder.empty() || !input_.start(folder / std::filesystem::path(Text(kProgram)))) {
    return HostFailure::NotStarted;
  }
  // Counted in polls, and bounded on the steady clock too, as sleeps run long.
  const double until = clock_.steadySeconds() + kColdStartSeconds;
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

Text hostFailureMessage(HostFailure failure) {
  switch (failure) {
    case HostFailure::NotStarted:
      return u"PostPet20.EXE を起動できませんでした。"
             u"Quillby と同じフォルダに PostPet20.EXE があるか確かめて下さい。";
    case HostFailure::NoWindow:
      return u"PostPet20.EXE のウィンドウが見つからないか、前面に出せませんでした。"
             u"PostPet20.EXE が起動しているか確かめて下さい。";
    case HostFailure::NotSent:
      return u"PostPet20.EXE にキー操作を送れませんでした。"
             u"PostPet20.EXE が応答しているか確かめて下さい。";
    case HostFailure::NotAnswering:
      return u"PostPet20.EXE が応答しないため、操作を中止しました。"
             u"PostPet20.EXE が動いているか確かめてから、もう一度やり直して下さい。";
    case HostFailure::NoFolder:
      return u"Quillby のフォルダに移れませんでした。";
    case HostFailure::BadKeys:
      return u"PostPet20.EXE に送るキー操作の書き方に誤りがあります。";
  }
  return {};
}

void reportHostFailure(Dialogs& dialogs, const HostStatus& status) {
  if (status) dialogs.show(problemBox(hostFailureMessage(*status)));
}

}  // namespace quillby

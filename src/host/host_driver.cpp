#include "host/host_driver.h"

#include <chrono>

#include "model/app_title.h"

namespace quillby {
namespace {

using namespace std::chrono_literals;

constexpr auto kColdStartPoll = 100ms;
constexpr int kColdStartPolls = 100;  // 10 seconds

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
  for (int i = 0; !running && i < kColdStartPolls && !input_.windowExists(kWindowTitle); ++i) {
    clock_.sleep(kColdStartPoll);
  }
  return std::nullopt;
}

HostStatus HostDriver::ActivateHost() {
  if (!input_.activate(kWindowTitle)) return HostFailure::NoWindow;
  return std::nullopt;
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
  if (!input_.send(keys)) return HostFailure::NotSent;
  return std::nullopt;
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

DialogRequest problemBox(Text text) {
  return {std::move(text), kAppTitle, DialogButtons::Ok, DialogIcon::Exclamation, 1};
}

}  // namespace quillby

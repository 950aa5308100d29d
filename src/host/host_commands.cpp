#include "host/host_commands.h"

namespace quillby {
namespace {

// The program is leaving: what the host does with Alt+F4 may not keep it.
constexpr double kCloseSeconds = 3;

}  // namespace

TextView hostCommandKeys(HostCommand command) {
  switch (command) {
    case HostCommand::MailCheck:
      return u"%(FM)";
    case HostCommand::Inbox:
      return u"%(FL)";
    case HostCommand::Snack:
      return u"^h";
    case HostCommand::Bath:
      return u"^9";
    case HostCommand::HowAreYou:
      return u"^i";
  }
  return {};
}

DialogRequest mailCheckQuestion() {
  return {
      u"POPサーバに接続できるようにして下さい(ダイアルアップ接続等)。\r\n"
      u"準備ができたら「ＯＫ」ボタンを押して下さい。",
      u"メールチェックをしようとしています", DialogButtons::OkCancel, DialogIcon::Exclamation, 1};
}

bool confirmConnection(Dialogs& dialogs, const DialogRequest& question, TextView noConnCheckFlag) {
  return noConnCheckFlag != u"0" || dialogs.show(question) == DialogAnswer::Ok;
}

void runHostCommandButton(HostDriver& driver, Dialogs& dialogs, HostCommand command,
                          TextView noConnCheckFlag) {
  if (command == HostCommand::MailCheck &&
      !confirmConnection(dialogs, mailCheckQuestion(), noConnCheckFlag)) {
    return;
  }
  reportHostFailure(dialogs, driver.RunHostCommand(hostCommandKeys(command)));
}

HostStatus closeHost(HostDriver& driver) {
  const HostTimeLimit limit(driver, kCloseSeconds);
  if (auto failure = driver.ActivateHost()) return failure;
  return driver.SendHostKeys(u"%({F4})");
}

}  // namespace quillby

#include "ui/main_window.h"

#include "controls/layout.h"
#include "host/friend_mail.h"
#include "host/host_commands.h"
#include "host/pet_recall.h"
#include "loadsave/save.h"
#include "loadsave/settings_store.h"
#include "loadsave/startup_load.h"
#include "model/app_title.h"
#include "ui/book_messages.h"

namespace quillby {
namespace {

DialogRequest failureBox(Text text) {
  return {std::move(text), kAppTitle, DialogButtons::Ok, DialogIcon::Exclamation, 1};
}

SettingValue flagOf(bool ticked) { return ticked ? "1" : "0"; }

}  // namespace

Main::Main(Services& services)
    : s_(services),
      driver_(services.input, services.files, services.clock),
      editing_(table_,
               {c.List1, c.txtName, c.txtNum, c.txtAddress, c.txtPetName, c.txtPetKind, c.txtMemo},
               services.dialogs) {
  applyDesign(mainLayout(c));
  connect();
}

void Main::connect() {
  editing_.connect();
  c.List1.onDblClick = [this] { List1_DblClick(); };
  c.List1.onKeyPress = [this](char16_t key) { List1_KeyPress(key); };
  c.Add.onClick = [this] { editing_.Add_Click(); };
  c.Del.onClick = [this] { editing_.Del_Click(); };
  c.Up.onClick = [this] { editing_.Up_Click(); };
  c.Down.onClick = [this] { editing_.Down_Click(); };
  c.Command1.onClick = [this] { Command1_Click(); };
  c.Command2.onClick = [this] { Command2_Click(); };
  c.Command4.onClick = [this] { Command4_Click(); };
  c.Command5.onClick = [this] { Command5_Click(); };
  c.Command6.onClick = [this] { Command6_Click(); };
  c.Check1.onClick = [this] { Check1_Click(); };
  c.Check2.onClick = [this] { Check2_Click(); };
  c.Check3.onClick = [this] { Check3_Click(); };
  c.Label10.onClick = [this] { Label10_Click(); };
  c.Label11.onClick = [this] { Label11_Click(); };
}

bool Main::Form_Load() {
  settings_ = loadSettings(s_.files);
  applySettings();
  auto loaded = loadFriendsWithMemos(s_.files, s_.charset);
  if (!loaded) {
    s_.dialogs.show(failureBox(bookFailureMessage(loaded.error(), table_) +
                               u"\r\nQuillby を終了します。ファイルは何も変更していません。"));
    return false;
  }
  table_ = std::move(loaded.value());
  editing_.fillList();
  return true;
}

void Main::applySettings() {
  // Ticking a box runs its click action, as if the user had ticked it.
  c.Check1.setValue(settings_.keepFrontFlag == "1");
  c.Check2.setValue(settings_.quitPostPetFlag == "1");
  c.Check3.setValue(settings_.noConnCheckFlag == "1");
  c.form.move(numericValue(settings_.savedLeft), numericValue(settings_.savedTop));
}

Text Main::noConnCheckFlag() const {
  const auto& flag = settings_.noConnCheckFlag;
  return Text(flag.begin(), flag.end());  // digits only
}

void Main::Command1_Click() {
  if (auto failure = saveFriends(table_, s_.files, s_.charset)) {
    s_.dialogs.show(
        failureBox(bookFailureMessage(*failure, table_) + u"\r\nセーブできませんでした。"));
  }
}

void Main::Command2_Click() {
  callPetBack(driver_, s_.clock, s_.dialogs, noConnCheckFlag(), [this](const Text& text) {
    c.Label9.setCaption(text);
    c.form.refresh();
  });
}

void Main::Command4_Click() {
  runHostCommandButton(driver_, s_.dialogs, HostCommand::MailCheck, noConnCheckFlag());
}

void Main::Command5_Click() {
  runHostCommandButton(driver_, s_.dialogs, HostCommand::Inbox, noConnCheckFlag());
}

void Main::Command6_Click() {
  runHostCommandButton(driver_, s_.dialogs, HostCommand::Snack, noConnCheckFlag());
}

void Main::List1_DblClick() {
  mailToFriend(driver_, s_.dialogs, table_, [this] { return selectedIndex(); });
}

void Main::List1_KeyPress(char16_t keyAscii) {
  mailToFriendKeyPress(keyAscii, driver_, s_.dialogs, table_, [this] { return selectedIndex(); });
}

void Main::Check1_Click() {
  s_.windows.setTopmost(c.form.windowId(), c.Check1.value());
  settings_.keepFrontFlag = flagOf(c.Check1.value());
}

void Main::Check2_Click() { settings_.quitPostPetFlag = flagOf(c.Check2.value()); }

void Main::Check3_Click() { settings_.noConnCheckFlag = *flagOf(c.Check3.value()); }

void Main::Label10_Click() { c.Check1.setValue(!c.Check1.value()); }

void Main::Label11_Click() { c.Check2.setValue(!c.Check2.value()); }

}  // namespace quillby

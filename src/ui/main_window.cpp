#include "ui/main_window.h"

#include "controls/layout.h"
#include "host/host_commands.h"
#include "loadsave/save.h"
#include "loadsave/startup_load.h"
#include "ui/exit_sequence.h"
#include "ui/messages.h"
#include "ui/window_options.h"

namespace quillby {

Main::Main(Services& services, ProgramHooks hooks)
    : dialogs_(services.dialogs, [this] { return c.form.windowId(); }),
      s_(services.withDialogs(dialogs_)),
      hooks_(std::move(hooks)),
      host_(s_, settings_, c.form, c.Label9),
      editing_(table_,
               {c.List1, c.txtName, c.txtNum, c.txtAddress, c.txtPetName, c.txtPetKind, c.txtMemo},
               dialogs_, editingBoxes()) {
  if (!hooks_.endProgram) hooks_.endProgram = [] {};
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
  host_.bind({
      {c.Command4, HostCommand::MailCheck},
      {c.Command5, HostCommand::Inbox},
      {c.Command6, HostCommand::Snack},
  });
  c.Check1.onClick = [this] { Check1_Click(); };
  c.Check2.onClick = [this] { Check2_Click(); };
  c.Check3.onClick = [this] { Check3_Click(); };
  c.Label10.onClick = [this] { Label10_Click(); };
  c.Label11.onClick = [this] { Label11_Click(); };
  c.shrink.onClick = [this] { shrink_Click(); };
  c.end.onClick = [this] { end_Click(); };
  // The title bar's close button ends the run without storing anything, also
  // while the compact window is loaded and hidden.
  c.form.onClose = [this] { hooks_.endProgram(); };
}

bool Main::Form_Load() {
  StartupFiles files = readStartupFiles(s_.files, s_.charset);
  settings_ = std::move(files.settings);
  applySettings();
  auto& loaded = files.friends;
  if (!loaded) {
    s_.dialogs.show(problemBox(startStoppedMessage(loaded.error(), table_)));
    return false;
  }
  table_ = std::move(loaded.value());
  editing_.fillList();
  if (settings_.lastWindow() == ProgramWindow::Compact) {
    shrink_Click();
  } else {
    c.form.show();
  }
  return true;
}

void Main::applySettings() {
  // Ticking a box runs its click action, as if the user had ticked it.
  tickStoredOptions(c.Check1, c.Check2, settings_);
  c.Check3.setValue(settings_.noConnectionCheck());
  moveToStoredPlace(c.form, settings_);
}

void Main::Command1_Click() {
  auto failure = saveFriends(table_, s_.files, s_.clock, s_.charset);
  if (failure && failure->failure == BookFailure::ChangedMeanwhile) {
    if (s_.dialogs.show(writeOverQuestion(*failure, table_)) != DialogAnswer::Ok) return;
    failure = saveFriends(table_, s_.files, s_.clock, s_.charset, OtherChanges::WriteOver);
  }
  if (failure) {
    s_.dialogs.show(problemBox(saveFailedMessage(*failure, table_)));
    return;
  }
  // The save took the counts from the book on disk: show the one it wrote.
  if (const int shown = c.List1.listIndex(); table_.contains(shown)) {
    c.txtNum.setText(table_.rows[static_cast<std::size_t>(shown)].friendNum);
  }
}

void Main::Command2_Click() { host_.callBack(); }

void Main::List1_DblClick() { host_.mail(table_, c.List1); }

void Main::List1_KeyPress(char16_t keyAscii) { host_.mailKey(keyAscii, table_, c.List1); }

void Main::Check1_Click() { keepFrontClicked(s_.windows, c.form, c.Check1, settings_); }

void Main::Check2_Click() { quitHostClicked(c.Check2, settings_); }

void Main::Check3_Click() { settings_.setNoConnectionCheck(c.Check3.value()); }

void Main::Label10_Click() { toggleBox(c.Check1); }

void Main::Label11_Click() { toggleBox(c.Check2); }

void Main::shrink_Click() {
  c.form.hide();
  if (!small_) {
    auto small = std::make_unique<SmallForm>(s_, c.form, hooks_.endProgram);
    if (hooks_.buildCompact && !hooks_.buildCompact(*small)) {
      c.form.show();
      s_.dialogs.show(problemBox(compactWindowNotOpenedMessage()));
      return;
    }
    small_ = std::move(small);
    small_->Form_Load();
  }
  small_->c.form.show();
}

void Main::end_Click() {
  runExitSequence(s_, host_, settings_, ProgramWindow::Main, c.form.windowId(), hooks_.endProgram);
}

}  // namespace quillby

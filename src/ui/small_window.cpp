#include "ui/small_window.h"

#include "loadsave/settings_store.h"
#include "loadsave/startup_load.h"
#include "platform/dialogs.h"
#include "ui/exit_sequence.h"
#include "ui/messages.h"
#include "ui/window_options.h"

namespace quillby {

SmallForm::SmallForm(Services& services, Form& mainForm, std::function<void()> endProgram)
    : dialogs_(services.dialogs, [this] { return c.form.windowId(); }),
      s_(services.withDialogs(dialogs_)),
      mainForm_(mainForm),
      endProgram_(std::move(endProgram)),
      host_(s_, settings_, c.form, c.Label9) {
  applyDesign(smallLayout(c));
  connect();
}

void SmallForm::connect() {
  c.List1.onDblClick = [this] { List1_DblClick(); };
  c.List1.onKeyPress = [this](char16_t key) { List1_KeyPress(key); };
  c.Command2.onClick = [this] { Command2_Click(); };
  c.Command3.onClick = [this] { Command3_Click(); };
  host_.bind({
      {c.Command1, HostCommand::Bath},
      {c.Command4, HostCommand::MailCheck},
      {c.Command5, HostCommand::Inbox},
      {c.Command6, HostCommand::Snack},
      {c.Command7, HostCommand::HowAreYou},
  });
  c.Check1.onClick = [this] { Check1_Click(); };
  c.Check2.onClick = [this] { Check2_Click(); };
  c.Label10.onClick = [this] { Label10_Click(); };
  c.Label2.onClick = [this] { Label2_Click(); };
  c.expand.onClick = [this] { expand_Click(); };
  c.form.onMouseDown = [this] { Form_MouseDown(); };
  c.Label1.onMouseDown = [this] { Label1_MouseDown(); };
  // The window has no close button; closing it otherwise leaves as 終了 does,
  // so that no hidden main window is left running alone.
  c.form.onClose = [this] { Command3_Click(); };
}

void SmallForm::Form_Load() {
  settings_ = loadSettings(s_.files);
  tickStoredOptions(c.Check1, c.Check2, settings_);
  moveToStoredPlace(c.form, settings_);
  auto loaded = loadFriends(s_.files, s_.charset);
  if (loaded) {
    compactTable_ = std::move(loaded.value());
  } else {
    s_.dialogs.show(problemBox(bookFailureMessage(loaded.error(), compactTable_)));
  }
  fillList();
}

void SmallForm::fillList() {
  c.List1.setLines(compactTable_.names());
  if (c.List1.listCount() > 0) c.List1.setListIndex(0);
}

void SmallForm::Command2_Click() { host_.callBack(); }

void SmallForm::Command3_Click() {
  runExitSequence(s_, host_, settings_, ProgramWindow::Compact, c.form.windowId(), endProgram_);
}

void SmallForm::List1_DblClick() { host_.mail(compactTable_, c.List1); }

void SmallForm::List1_KeyPress(char16_t keyAscii) {
  host_.mailKey(keyAscii, compactTable_, c.List1);
}

void SmallForm::Check1_Click() { keepFrontClicked(s_.windows, c.form, c.Check1, settings_); }

void SmallForm::Check2_Click() { quitHostClicked(c.Check2, settings_); }

void SmallForm::Label10_Click() { toggleBox(c.Check1); }

void SmallForm::Label2_Click() { toggleBox(c.Check2); }

void SmallForm::expand_Click() {
  c.form.hide();
  mainForm_.show();
}

void SmallForm::Form_MouseDown() { s_.windows.beginWindowDrag(c.form.windowId()); }

void SmallForm::Label1_MouseDown() { s_.windows.beginWindowDrag(c.form.windowId()); }

}  // namespace quillby

#include "ui/window_options.h"

namespace quillby {

void tickStoredOptions(CheckBox& keepFront, CheckBox& quitHost, const SettingsValues& settings) {
  keepFront.setValue(settings.keepFrontFlag == "1");
  quitHost.setValue(settings.quitPostPetFlag == "1");
}

void moveToStoredPlace(Form& form, const SettingsValues& settings) {
  form.move(numericValue(settings.savedLeft), numericValue(settings.savedTop));
}

void keepFrontClicked(WindowManager& windows, const Form& form, const CheckBox& box,
                      SettingsValues& settings) {
  windows.setTopmost(form.windowId(), box.value());
  settings.keepFrontFlag = optionFlag(box.value());
}

void quitHostClicked(const CheckBox& box, SettingsValues& settings) {
  settings.quitPostPetFlag = optionFlag(box.value());
}

void toggleBox(CheckBox& box) { box.setValue(!box.value()); }

SettingValue optionFlag(bool ticked) { return ticked ? "1" : "0"; }

}  // namespace quillby

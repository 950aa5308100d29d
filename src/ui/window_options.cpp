#include "ui/window_options.h"

namespace quillby {

void tickStoredOptions(CheckBox& keepFront, CheckBox& quitHost, const SettingsValues& settings) {
  keepFront.setValue(settings.keepInFront());
  quitHost.setValue(settings.quitPostPet());
}

void moveToStoredPlace(Form& form, const SettingsValues& settings) {
  const TwipsPlace place = settings.place();
  form.move(place.left, place.top);
}

void keepFrontClicked(WindowManager& windows, const Form& form, const CheckBox& box,
                      SettingsValues& settings) {
  windows.setTopmost(form.windowId(), box.value());
  settings.setKeepInFront(box.value());
}

void quitHostClicked(const CheckBox& box, SettingsValues& settings) {
  settings.setQuitPostPet(box.value());
}

void toggleBox(CheckBox& box) { box.setValue(!box.value()); }

}  // namespace quillby

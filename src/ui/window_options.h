#pragma once

#include "controls/controls.h"
#include "controls/form.h"
#include "formats/settings_file.h"
#include "platform/window_manager.h"

namespace quillby {

// The option boxes and stored place both windows share. Each window passes its
// own boxes and its own copy of the settings.

// Ticks the keep-in-front and quit-PostPet boxes as stored; ticking runs the
// boxes' click actions as if the user had clicked.
void tickStoredOptions(CheckBox& keepFront, CheckBox& quitHost, const SettingsValues& settings);
void moveToStoredPlace(Form& form, const SettingsValues& settings);

// The click actions of the keep-in-front and quit-PostPet boxes.
void keepFrontClicked(WindowManager& windows, const Form& form, const CheckBox& box,
                      SettingsValues& settings);
void quitHostClicked(const CheckBox& box, SettingsValues& settings);

// The click of a box's label: the box toggles and its click action runs.
void toggleBox(CheckBox& box);

}  // namespace quillby

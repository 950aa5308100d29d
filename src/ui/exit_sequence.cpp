#include "ui/exit_sequence.h"

#include <optional>

#include "host/host_commands.h"
#include "loadsave/settings_store.h"
#include "ui/messages.h"

namespace quillby {
namespace {

// Nothing when the settings are stored, else what the user is told.
std::optional<Text> keepSettings(Services& services, SettingsValues& settings,
                                 ProgramWindow exiting, WindowId window) {
  settings.setLastWindow(exiting);
  const auto pixels = services.windows.normalPosition(window);
  if (!pixels || !settings.setPlace({services.windows.twipsPerPixelX() * pixels->left,
                                     services.windows.twipsPerPixelY() * pixels->top})) {
    return settingsNotKeptMessage(std::nullopt);
  }
  if (auto error = storeSettings(services.files, settings)) return settingsNotKeptMessage(*error);
  return std::nullopt;
}

}  // namespace

void runExitSequence(Services& services, HostButtons& host, SettingsValues& settings,
                     ProgramWindow exiting, WindowId window,
                     const std::function<void()>& endProgram) {
  host.runAlone([&](HostDriver& driver) {
    const auto notKept = keepSettings(services, settings, exiting, window);
    // PostPet not running is no reason to stay.
    if (settings.quitPostPet()) (void)closeHost(driver);
    if (notKept) services.dialogs.show(problemBox(*notKept));
    endProgram();
  });
}

}  // namespace quillby

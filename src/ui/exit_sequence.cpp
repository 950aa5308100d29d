#include "ui/exit_sequence.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "host/host_commands.h"
#include "loadsave/settings_store.h"

namespace quillby {
namespace {

struct TwipsPlace {
  double left = 0;
  std::int16_t top = 0;
};

// The top is kept as a 16-bit whole number, as the stored files always had it;
// one that does not fit is not stored at all.
std::optional<TwipsPlace> storedPlace(const WindowManager& windows, WindowId window) {
  const auto pixels = windows.normalPosition(window);
  if (!pixels) return std::nullopt;
  const double left = windows.twipsPerPixelX() * pixels->left;
  const double top = std::nearbyint(windows.twipsPerPixelY() * pixels->top);
  if (!(top >= std::numeric_limits<std::int16_t>::min() &&
        top <= std::numeric_limits<std::int16_t>::max())) {
    return std::nullopt;
  }
  // A window pushed past the screen's edge comes back at the edge.
  return TwipsPlace{left < 0 ? 0 : left, static_cast<std::int16_t>(top < 0 ? 0 : top)};
}

void storeAndCloseHost(Services& services, HostDriver& driver, SettingsValues& settings,
                       ExitingWindow exiting, WindowId window) {
  settings.mainWindowFlag = exiting == ExitingWindow::Main ? "1" : "0";
  const auto place = storedPlace(services.windows, window);
  if (!place) return;
  settings.savedLeft = positionText(place->left);
  settings.savedTop = positionText(place->top);
  if (storeSettings(services.files, settings)) return;
  // PostPet not running is no reason to stay.
  if (settings.quitPostPetFlag == "1") (void)closeHost(driver);
}

}  // namespace

void runExitSequence(Services& services, HostDriver& driver, SettingsValues& settings,
                     ExitingWindow exiting, WindowId window,
                     const std::function<void()>& endProgram) {
  storeAndCloseHost(services, driver, settings, exiting, window);
  endProgram();
}

}  // namespace quillby

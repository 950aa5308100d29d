#include "app/start_quillby.h"

#include "controls/win32/window_builder.h"
#include "platform/dialogs.h"
#include "ui/main_layout.h"
#include "ui/messages.h"
#include "ui/small_layout.h"

namespace quillby {

std::unique_ptr<Main> startQuillby(Services& services, std::function<void()> endProgram) {
  auto main = buildMainWindow(services, std::move(endProgram));
  if (!main || !main->Form_Load()) return nullptr;
  return main;
}

std::unique_ptr<Main> buildMainWindow(Services& services, std::function<void()> endProgram) {
  const ScreenScale scale = screenScale(services.windows);
  auto main = std::make_unique<Main>(
      services,
      ProgramHooks{
          .buildCompact =
              [scale](SmallForm& small) { return buildWindow(smallLayout(small.c), scale); },
          .endProgram = std::move(endProgram),
      });
  if (!buildWindow(mainLayout(main->c), scale)) {
    services.dialogs.show(problemBox(windowNotOpenedMessage()));
    return nullptr;
  }
  return main;
}

}  // namespace quillby

#include "app/run_quillby.h"

#include "controls/win32/message_loop.h"
#include "controls/win32/window_builder.h"
#include "ui/main_layout.h"
#include "ui/main_window.h"

namespace quillby {

int runQuillby(Services& services) {
  Main main(services);
  if (!buildWindow(mainLayout(main.c), screenScale(services.windows))) return 1;
  // Closing the main window through its title bar ends the program at once,
  // without the exit sequence.
  main.c.form.onClose = [] { endMessageLoop(0); };
  if (!main.Form_Load()) return 1;
  main.c.form.show();
  return runMessageLoop();
}

}  // namespace quillby

#include "app/run_quillby.h"

#include <future>

#include "controls/win32/message_loop.h"
#include "controls/win32/window_builder.h"
#include "platform/dialogs.h"
#include "platform/win32/win32_charset.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_host_input.h"
#include "platform/win32/win32_window_manager.h"
#include "ui/main_layout.h"
#include "ui/main_window.h"
#include "ui/messages.h"
#include "ui/small_layout.h"

namespace quillby {

int runQuillby(Services& services) {
  const ScreenScale scale = screenScale(services.windows);
  Main main(services,
            {
                .buildCompact =
                    [scale](SmallForm& small) { return buildWindow(smallLayout(small.c), scale); },
                .endProgram = [] { endMessageLoop(0); },
            });
  // The files are read, and the safety copy written, while the window is
  // built: neither needs the other, and a slow disk then holds back the window
  // by less.
  auto files = std::async(std::launch::async, [&services] {
    return readStartupFiles(services.files, services.charset);
  });
  if (!buildWindow(mainLayout(main.c), scale)) {
    services.dialogs.show(problemBox(windowNotOpenedMessage()));
    return 1;
  }
  if (!main.Form_Load(files.get())) return 1;
  return runMessageLoop();
}

int runOnWin32(Clock& clock) {
  declareDpiAware();
  Win32Files files;
  Win32Charset charset;
  Win32Dialogs dialogs;
  Win32WindowManager windows;
  Win32HostInput input;
  Services services{files, charset, dialogs, windows, input, clock};
  return runQuillby(services);
}

}  // namespace quillby

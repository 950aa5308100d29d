// Quillby's main window as Quillby.exe builds it, with the same code, controls,
// fonts, manifest and icon, shown before anything is read: no settings, no
// friend book, no memos, no safety copy, an empty list. Against it
// scripts/bench-startup measures only Quillby's own start-up work.
#include <windows.h>

#include "app/run_quillby.h"
#include "platform/win32/win32_clock.h"

namespace {

std::unique_ptr<quillby::Main> showUnloaded(quillby::Services& services,
                                            std::function<void()> endProgram) {
  auto main = quillby::buildMainWindow(services, std::move(endProgram));
  if (main) main->c.form.show();
  return main;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  quillby::Win32Clock clock;
  return quillby::runOnWin32(clock, showUnloaded);
}

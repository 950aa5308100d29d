#include "support_win32/live_program.h"

#include "app/start_quillby.h"
#include "host/host_driver.h"
#include "ui/main_layout.h"
#include "ui/small_layout.h"

namespace quillby::test {

std::unique_ptr<Main> startProgram(Services& services, int& ends) {
  auto main = startQuillby(services, [&ends] { ++ends; });
  if (main) pumpMessages();
  return main;
}

bool showing(const Main& main) {
  const SmallForm* small = main.compactWindow();
  return IsWindowVisible(hwndOf(main.c.form)) || (small && IsWindowVisible(hwndOf(small->c.form)));
}

HWND mainControl(Main& main, std::string_view name) {
  return controlNamed(mainLayout(main.c), name);
}

HWND smallControl(SmallForm& small, std::string_view name) {
  return controlNamed(smallLayout(small.c), name);
}

::testing::AssertionResult startStandinHost(Services& services) {
  if (!installStandin(services.files.programFolder())) {
    return ::testing::AssertionFailure() << "the stand-in could not be installed";
  }
  HostDriver driver(services.input, services.files, services.clock);
  if (const HostStatus failure = driver.StartHost()) {
    return ::testing::AssertionFailure()
           << "the host did not start: " << static_cast<int>(*failure);
  }
  if (!FindWindowW(nullptr, kStandinTitle)) {
    return ::testing::AssertionFailure() << "no host window";
  }
  return ::testing::AssertionSuccess();
}

}  // namespace quillby::test

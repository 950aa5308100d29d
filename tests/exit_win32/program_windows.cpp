#include "exit_win32/program_windows.h"

#include <gtest/gtest.h>

#include "app/start_quillby.h"
#include "controls/win32/window_builder.h"
#include "controls/win32_test_support.h"
#include "ui/main_layout.h"
#include "ui/small_layout.h"

namespace quillby::test {
namespace {

constexpr ULONGLONG kForegroundTimeoutMs = 5000;

HWND controlNamed(HWND window, const WindowLayout& layout, std::string_view name) {
  for (std::size_t i = 0; i < layout.controls.size(); ++i) {
    if (layout.controls[i].name == name)
      return GetDlgItem(window, kFirstControlId + static_cast<int>(i));
  }
  ADD_FAILURE() << "no control " << name;
  return nullptr;
}

}  // namespace

std::unique_ptr<Main> startProgram(Services& services, int& ends) {
  auto main = startQuillby(services, [&ends] { ++ends; });
  if (main) pumpMessages();
  return main;
}

HWND mainControl(Main& main, std::string_view name) {
  return controlNamed(hwndOf(main.c.form), mainLayout(main.c), name);
}

HWND smallControl(SmallForm& small, std::string_view name) {
  return controlNamed(hwndOf(small.c.form), smallLayout(small.c), name);
}

bool bringToFront(HWND window) {
  const ULONGLONG until = GetTickCount64() + kForegroundTimeoutMs;
  SetForegroundWindow(window);
  while (GetForegroundWindow() != window) {
    if (GetTickCount64() >= until) return false;
    pumpMessages();
    Sleep(10);
  }
  pumpMessages();
  return true;
}

}  // namespace quillby::test

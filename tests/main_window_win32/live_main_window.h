#pragma once

// The program's main window as the program builds it, on the real platform
// over a temporary program folder, driven through its real controls.
#include <windows.h>
// after <windows.h>, whose types it uses
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "exit_win32/program_windows.h"
#include "loadsave/book_folder.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_host_input.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window_manager.h"
#include "support_win32/standin.h"
#include "ui/main_window.h"

namespace quillby::test {

// Answers the first message box titled `title` from a second thread, as the
// user would, while the program's thread sits in the box. After 20 seconds it
// answers any box of the thread that made it, so that no test waits for ever.
class BoxAnswerer {
 public:
  BoxAnswerer(const wchar_t* title, WPARAM button);
  ~BoxAnswerer();
  BoxAnswerer(const BoxAnswerer&) = delete;
  BoxAnswerer& operator=(const BoxAnswerer&) = delete;

  // Stops looking; whether a box was answered, and its text.
  bool finish();
  const std::wstring& text() const { return text_; }

 private:
  std::atomic<bool> stop_{false};
  bool found_ = false;
  std::wstring text_;
  std::thread thread_;
};

class LiveMainWindow : public ::testing::Test {
 protected:
  void TearDown() override;

  // Starts the program on the folder as the program starts: a new window
  // built and loaded; true once it shows.
  bool start();
  // The window goes, as when the program ends.
  void stop();

  HWND window() const;
  HWND control(std::string_view name) const;

  std::vector<Text> lines() const;
  int selection() const;
  Text textOf(std::string_view box) const { return windowText(control(box)); }

  void clickLine(int index) const;
  void doubleClickLine(int index) const;
  void press(std::string_view button) const;
  // Types at the end of the box, one character message per character.
  void typeAtEnd(std::string_view box, const Text& typed) const;
  // Selects everything in the box and types over it.
  void typeOver(std::string_view box, const Text& typed) const;
  // True once the window is the foreground window.
  bool bringToFront() const;

  BookFolder f;
  Win32Dialogs dialogs;
  Win32WindowManager windows;
  Win32HostInput input;
  TimeOnlyClock clock;
  Services services{f.files, f.charset, dialogs, windows, input, clock};
  std::unique_ptr<Main> main;
  int ends = 0;
};

}  // namespace quillby::test

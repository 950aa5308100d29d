#pragma once

// Both windows as the program builds them, and the real controls in them.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string_view>

#include "host/host_fakes.h"
#include "loadsave/book_folder.h"
#include "platform/win32/win32_host_input.h"
#include "platform/win32/win32_window_manager.h"
#include "support/recording_dialogs.h"
#include "support_win32/standin.h"
#include "ui/main_window.h"
#include "ui/services.h"

namespace quillby::test {

inline HWND hwndOf(const Form& form) { return reinterpret_cast<HWND>(form.windowId()); }

// The main window built and loaded as the program starts it, the compact one
// built at its first use; every end of the program counts in `ends`. Null when
// a window could not be built or the friend book could not be used.
std::unique_ptr<Main> startProgram(Services& services, int& ends);

// The real control named `name` in each window.
HWND mainControl(Main& main, std::string_view name);
HWND smallControl(SmallForm& small, std::string_view name);

// True once `window` is the foreground window, as after the user clicked it.
bool bringToFront(HWND window);

// The program on a friend book of two, with the real window manager and fakes
// for the host and the clock.
class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    f.put(kBookFile, bookOf({friendRow(u"あきこ"), friendRow(u"Ken")}, f.charset));
  }

  void TearDown() override {
    main.reset();
    // The folder cannot go while it is the current directory.
    SetCurrentDirectoryW(ownFolder().c_str());
  }

  void start() {
    main = startProgram(services, ends);
    ASSERT_NE(main, nullptr);
  }

  BookFolder f;
  Journal journal;
  FakeClock clock{journal, std::chrono::year{2026} / 12 / 7, 12 * 3600.0};
  FakeHostInput input{journal};
  RecordingDialogs dialogs;
  Win32WindowManager windows;
  Services services{f.files, f.charset, dialogs, windows, input, clock};
  std::unique_ptr<Main> main;
  int ends = 0;
};

// The program on real windows and real host input, with `TestClock`'s time.
template <class TestClock>
struct LiveProgram {
  BookFolder f;
  RecordingDialogs dialogs;
  Win32WindowManager windows;
  Win32HostInput input;
  TestClock clock;
  Services services{f.files, f.charset, dialogs, windows, input, clock};
  std::unique_ptr<Main> main;
  int ends = 0;
};

}  // namespace quillby::test

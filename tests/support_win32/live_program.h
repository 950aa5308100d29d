#pragma once

// The program started as it starts, on real windows and real host input over a
// temporary program folder, and the real controls of its two windows.
#include <windows.h>
// after <windows.h>, whose types it uses
#include <gtest/gtest.h>

#include <memory>
#include <string_view>

#include "loadsave/book_folder.h"
#include "platform/win32/win32_host_input.h"
#include "platform/win32/win32_window_manager.h"
#include "support/recording_dialogs.h"
#include "support_win32/real_windows.h"
#include "support_win32/standin.h"
#include "ui/main_window.h"
#include "ui/services.h"

namespace quillby::test {

// The main window built and loaded as the program starts it, the compact one
// built at its first use; every end of the program counts in `ends`. Null when
// a window could not be built or the friend book could not be used.
std::unique_ptr<Main> startProgram(Services& services, int& ends);

// True once one of the program's windows shows.
bool showing(const Main& main);

// The real control named `name` in each window.
HWND mainControl(Main& main, std::string_view name);
HWND smallControl(SmallForm& small, std::string_view name);

// The stand-in installed in the program folder as the host, and started as the
// program starts the host; a success once its window is there.
::testing::AssertionResult startStandinHost(Services& services);

// The program's message boxes go to `TestDialogs`, its time comes from
// `TestClock`. When it goes, the program ends, every stand-in started from the
// folder is closed, and the folder is left so that it can go.
template <class TestDialogs = RecordingDialogs, class TestClock = TimeOnlyClock>
class LiveProgram {
 public:
  ~LiveProgram() {
    stop();
    EXPECT_TRUE(closeStandins(f.folder.path())) << "a stand-in had to be killed";
    SetCurrentDirectoryW(ownFolder().c_str());
  }

  // Starts the program on the folder as the program starts; true once a
  // window shows.
  bool start() {
    main = startProgram(services, ends);
    return main && showing(*main);
  }
  // The windows go, as when the program ends.
  void stop() {
    main.reset();
    pumpMessages();
  }
  ::testing::AssertionResult startHost() { return startStandinHost(services); }

  HWND window() const { return hwndOf(main->c.form); }
  HWND control(std::string_view name) const { return mainControl(*main, name); }
  SmallForm& small() const { return *main->compactWindow(); }
  HWND smallWindow() const { return hwndOf(small().c.form); }
  HWND smallControl(std::string_view name) const { return test::smallControl(small(), name); }

  BookFolder f;
  TestDialogs dialogs;
  Win32WindowManager windows;
  Win32HostInput input;
  TestClock clock;
  Services services{f.files, f.charset, dialogs, windows, input, clock};
  std::unique_ptr<Main> main;
  int ends = 0;
};

template <class TestDialogs = RecordingDialogs, class TestClock = TimeOnlyClock>
class LiveProgramTest : public ::testing::Test, protected LiveProgram<TestDialogs, TestClock> {};

}  // namespace quillby::test

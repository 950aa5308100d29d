#pragma once

// The program's main window as the program builds it, on the real platform
// over a temporary program folder, driven through its real controls by name.
#include <functional>
#include <string_view>
#include <vector>

#include "platform/win32/win32_dialogs.h"
#include "support_win32/box_answerer.h"
#include "support_win32/live_program.h"

namespace quillby::test {

class LiveMainWindow : public LiveProgramTest<Win32Dialogs> {
 protected:
  // The title of the program's own message boxes.
  static constexpr const wchar_t* kBoxTitle = L"QuillbyVer0.5";

  // Runs `act`, in which none of the program's boxes may come up.
  void withoutBox(const std::function<void()>& act) const {
    BoxAnswerer problem(kBoxTitle, IDOK);
    act();
    EXPECT_FALSE(problem.finish()) << problem.text();
  }

  HWND list() const { return control("List1"); }
  std::vector<Text> lines() const { return listLines(list()); }
  int selection() const { return listSelection(list()); }
  Text textOf(std::string_view box) const { return windowText(control(box)); }

  void clickLine(int index) const { test::clickLine(list(), index); }
  void doubleClickLine(int index) const { test::clickLine(list(), index, true); }
  void press(std::string_view button) const { test::press(control(button)); }
  void typeAtEnd(std::string_view box, std::u16string_view typed) const {
    test::typeAtEnd(control(box), typed);
  }
  void typeOver(std::string_view box, std::u16string_view typed) const {
    test::typeOver(control(box), typed);
  }
};

}  // namespace quillby::test

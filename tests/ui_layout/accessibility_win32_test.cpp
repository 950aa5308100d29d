// Both windows as screen-reader and keyboard users meet them.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <oleacc.h>  // needs windows.h first
// clang-format on

#include <vector>

#include "support_win32/real_windows.h"
#include "support_win32/screenshot.h"
#include "ui/main_layout.h"
#include "ui/small_layout.h"

namespace quillby {
namespace {

using test::classOf;
using test::controlAt;
using test::hwndOf;

// The name oleacc reads; by __uuidof, as oleacc's import library holds a stub
// named IID_IAccessible.
Text accessibleName(HWND hwnd) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT),
                                        __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object)))) {
    return u"<no object>";
  }
  BSTR name = nullptr;
  VARIANT self{};
  self.vt = VT_I4;  // CHILDID_SELF
  const HRESULT named = object->get_accName(self, &name);
  object->Release();
  if (named != S_OK) return u"<none>";
  const Text result(reinterpret_cast<const char16_t*>(name), SysStringLen(name));
  SysFreeString(name);
  return result;
}

// Windows' rule: a text box or a list is named by the nearest label above it
// in the z-order, a button or a check box by its own text.
Text nameByWindowsRule(HWND control) {
  HWND h = control;
  if (classOf(h) != L"Button") {
    do h = GetWindow(h, GW_HWNDPREV);
    while (h && classOf(h) != L"Static");
  }
  return h ? windowText(h) : u"<none>";
}

class BothWindowsAsBuilt : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    for (const WindowLayout* layout : windows) {
      applyDesign(*layout);
      ASSERT_TRUE(buildWindow(*layout, {15, 15}));
    }
  }
  void TearDown() override { CoUninitialize(); }

  MainControls main;
  SmallControls small;
  const WindowLayout mainWindow = mainLayout(main);
  const WindowLayout smallWindow = smallLayout(small);
  const std::vector<const WindowLayout*> windows{&mainWindow, &smallWindow};
};

TEST_F(BothWindowsAsBuilt, EveryControlIsNamedAsItsLabelReads) {
  for (const WindowLayout* layout : windows) {
    for (std::size_t i = 0; i < layout->controls.size(); ++i) {
      const ControlLayout& c = layout->controls[i];
      if (std::holds_alternative<Label*>(c.control)) continue;
      SCOPED_TRACE(c.name);
      Text expected = std::holds_alternative<Button*>(c.control) ? c.text : u"<unlabelled>";
      for (const ControlLayout& label : layout->controls) {
        if (label.labelFor == c.name) expected = label.text;
      }
      EXPECT_EQ(accessibleName(controlAt(*layout->form, i)), expected);
      EXPECT_EQ(nameByWindowsRule(controlAt(*layout->form, i)), expected);
    }
  }
  EXPECT_EQ(accessibleName(hwndOf(main.form)), mainWindow.caption);
  EXPECT_EQ(accessibleName(hwndOf(small.form)), smallWindow.accessibleName);
}

// From every control Tab reaches, the focus shows, and arrow keys lead only to
// controls Tab reaches.
TEST_F(BothWindowsAsBuilt, TheFocusShowsAndArrowKeysKeepToTheTabStops) {
  for (const WindowLayout* layout : windows) {
    std::vector<HWND> stops;
    for (std::size_t i = 0; i < layout->controls.size(); ++i) {
      if (test::styleOf(controlAt(*layout->form, i)) & WS_TABSTOP) {
        stops.push_back(controlAt(*layout->form, i));
      }
    }
    layout->form->show();
    ASSERT_TRUE(test::bringToFront(hwndOf(*layout->form)));
    for (std::size_t i = 0; i < stops.size(); ++i) {
      SCOPED_TRACE(layout->controls[test::tabIndexOf(stops[i])].name);
      SetFocus(stops[(i + 1) % stops.size()]);
      test::pumpMessages();
      const auto without = test::screenPixels(stops[i]).pixels;
      SetFocus(stops[i]);
      test::pumpMessages();
      EXPECT_NE(test::screenPixels(stops[i]).pixels, without);
      for (const WPARAM key : {VK_DOWN, VK_RIGHT, VK_UP, VK_LEFT}) {
        SetFocus(stops[i]);
        for (int times = 0; times < 3; ++times) test::pressKey(GetFocus(), key);
        EXPECT_NE(std::find(stops.begin(), stops.end(), GetFocus()), stops.end()) << key;
      }
    }
    layout->form->hide();
  }
}

}  // namespace
}  // namespace quillby

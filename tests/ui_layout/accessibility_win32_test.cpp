// Both windows as screen-reader and keyboard users meet them: every control's
// name, the focus that shows, and arrow keys that keep to what Tab reaches.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <oleacc.h>  // needs windows.h first
// clang-format on

#include <string>
#include <vector>

#include "support_win32/real_windows.h"
#include "support_win32/screenshot.h"
#include "ui/main_layout.h"
#include "ui/small_layout.h"

namespace quillby {
namespace {

using test::bringToFront;
using test::classOf;
using test::controlAt;
using test::hwndOf;
using test::pressKey;
using test::pumpMessages;
using test::styleOf;

// The name oleacc gives the window's object `id`; "<none>" when it has none.
Text accessibleName(HWND hwnd, LONG id) {
  // By __uuidof: oleacc's import library holds a stub of that name, not the id.
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(id), __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object)))) {
    return u"<no object>";
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  Text result = u"<none>";
  if (object->get_accName(self, &name) == S_OK && name) {
    result.assign(reinterpret_cast<const char16_t*>(name), SysStringLen(name));
  }
  SysFreeString(name);
  object->Release();
  return result;
}

// Windows' own rule: a text box or a list is named by the nearest label above
// it in the z-order, a button or a check box by its own text.
Text nameByWindowsRule(HWND control) {
  if (classOf(control) == L"Button") return windowText(control);
  for (HWND h = GetWindow(control, GW_HWNDPREV); h; h = GetWindow(h, GW_HWNDPREV)) {
    if (classOf(h) == L"Static") return windowText(h);
  }
  return u"<none>";
}

// What the design gives the control at `at` to be called: the caption of the
// label beside it, or a button's own.
Text designedName(const WindowLayout& layout, std::size_t at) {
  for (const ControlLayout& c : layout.controls) {
    if (c.labelFor == layout.controls[at].name) return c.text;
  }
  if (std::holds_alternative<Button*>(layout.controls[at].control)) {
    return layout.controls[at].text;
  }
  return u"<unnamed>";
}

// The controls Tab reaches, in tab order.
std::vector<HWND> tabStops(const WindowLayout& layout) {
  std::vector<HWND> stops;
  for (std::size_t i = 0; i < layout.controls.size(); ++i) {
    const HWND h = controlAt(*layout.form, i);
    if (styleOf(h) & WS_TABSTOP) stops.push_back(h);
  }
  return stops;
}

class BothWindowsAsBuilt : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    applyDesign(mainWindow);
    applyDesign(smallWindow);
    main.List1.addItem(u"たろう");
    small.List1.addItem(u"たろう");
    ASSERT_TRUE(buildWindow(mainWindow, {15, 15}));
    ASSERT_TRUE(buildWindow(smallWindow, {15, 15}));
  }
  void TearDown() override { CoUninitialize(); }
  // The window shown and active, and the controls Tab reaches in it.
  static std::vector<HWND> shownInFront(const WindowLayout& layout) {
    layout.form->show();
    EXPECT_TRUE(bringToFront(hwndOf(*layout.form)));
    return tabStops(layout);
  }
  std::vector<const WindowLayout*> windows() const { return {&mainWindow, &smallWindow}; }

  MainControls main;
  SmallControls small;
  const WindowLayout mainWindow = mainLayout(main);
  const WindowLayout smallWindow = smallLayout(small);
};

TEST_F(BothWindowsAsBuilt, EveryControlIsNamedAsItsLabelReads) {
  for (const WindowLayout* layout : windows()) {
    for (std::size_t i = 0; i < layout->controls.size(); ++i) {
      if (std::holds_alternative<Label*>(layout->controls[i].control)) continue;
      SCOPED_TRACE(layout->controls[i].name);
      const HWND h = controlAt(*layout->form, i);
      const Text expected = designedName(*layout, i);
      EXPECT_EQ(accessibleName(h, OBJID_CLIENT), expected);
      EXPECT_EQ(nameByWindowsRule(h), expected);
    }
  }
  // The compact window is named although it shows no title.
  EXPECT_EQ(accessibleName(hwndOf(main.form), OBJID_CLIENT), mainWindow.caption);
  const HWND compact = hwndOf(small.form);
  EXPECT_EQ(accessibleName(compact, OBJID_CLIENT), smallWindow.accessibleName);
  EXPECT_FALSE((styleOf(compact) & WS_CAPTION) == WS_CAPTION);
}

TEST_F(BothWindowsAsBuilt, ArrowKeysNeverLeaveWhatTabReaches) {
  for (const WindowLayout* layout : windows()) {
    const std::vector<HWND> stops = shownInFront(*layout);
    for (const HWND start : stops) {
      for (const WPARAM key : {VK_DOWN, VK_RIGHT, VK_UP, VK_LEFT}) {
        SetFocus(start);
        for (int times = 0; times < 3; ++times) pressKey(GetFocus(), key);
        const HWND focus = GetFocus();
        EXPECT_NE(std::find(stops.begin(), stops.end(), focus), stops.end())
            << layout->controls[test::tabIndexOf(start)].name << " key " << key << " reached "
            << layout->controls[test::tabIndexOf(focus)].name;
      }
    }
    layout->form->hide();
  }
}

TEST_F(BothWindowsAsBuilt, TheFocusShowsOnEveryControlThatTakesIt) {
  for (const WindowLayout* layout : windows()) {
    const std::vector<HWND> stops = shownInFront(*layout);
    for (std::size_t i = 0; i < stops.size(); ++i) {
      SCOPED_TRACE(layout->controls[test::tabIndexOf(stops[i])].name);
      SetFocus(stops[(i + 1) % stops.size()]);
      pumpMessages();
      const auto without = test::screenPixels(stops[i]).pixels;
      SetFocus(stops[i]);
      pumpMessages();
      const auto with = test::screenPixels(stops[i]).pixels;
      ASSERT_FALSE(without.empty());
      EXPECT_NE(with, without);
    }
    layout->form->hide();
  }
}

}  // namespace
}  // namespace quillby

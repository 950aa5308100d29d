// The event rules on real Win32 controls: the user's actions arrive as the
// controls' notifications, the program's own changes are not reported back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "controls/layout.h"
#include "controls/row_editor.h"
#include "controls/win32/window_builder.h"
#include "support_win32/real_windows.h"
#include "support_win32/screenshot.h"

namespace quillby {
namespace {

using test::click;
using test::controlAt;
using test::hwndOf;
using test::listSelection;
using test::pressKey;
using test::pumpMessages;
using test::typeAtEnd;

struct TestWindow {
  RowEditor rows{{u"A", u"a@x"}, {u"B", u"b@x"}, {u"C", u"c@x"}};
  Form form;
  TextBox memo;
  TextBox count;
  CheckBox check;
  Label label;
  Button button;

  TestWindow() {
    WindowLayout layout{
        .windowClass = u"QuillbyControlsTest",
        .caption = u"controls",
        .clientWidth = 6000,
        .clientHeight = 4500,
        .form = &form,
        .controls = {
            {.name = "list", .control = &rows.list, .rect = {120, 120, 2000, 2400}},
            {.name = "name",
             .control = &rows.name,
             .text = u"名前",
             .rect = {2400, 120, 2000, 375}},
            {.name = "address",
             .control = &rows.address,
             .text = u"メールアドレス",
             .rect = {2400, 600, 2000, 375},
             .imeOff = true},
            {.name = "memo",
             .control = &memo,
             .rect = {2400, 1080, 3000, 1200},
             .multiLine = true,
             .maxLength = 10},
            {.name = "count",
             .control = &count,
             .text = u" 5",
             .rect = {2400, 2400, 735, 375},
             .readOnly = true,
             .shaded = true,
             .rightAligned = true},
            {.name = "check", .control = &check, .rect = {120, 2760, 135, 180}},
            {.name = "label", .control = &label, .text = u"ラベル", .rect = {360, 2760, 1500, 255}},
            {.name = "button",
             .control = &button,
             .text = u"ボタン",
             .rect = {120, 3120, 1200, 375}},
        }};
    applyDesign(layout);
    built = buildWindow(layout, {15, 15});
  }

  HWND hwnd() const { return hwndOf(form); }
  HWND child(std::size_t tabIndex) const { return controlAt(form, tabIndex); }
  HWND listHwnd() const { return child(0); }
  HWND nameHwnd() const { return child(1); }
  HWND memoHwnd() const { return child(3); }
  HWND countHwnd() const { return child(4); }
  HWND checkHwnd() const { return child(5); }
  HWND labelHwnd() const { return child(6); }
  HWND buttonHwnd() const { return child(7); }

  Text listLine(int i) const { return test::listLine(listHwnd(), i); }
  int realSelection() const { return listSelection(listHwnd()); }
  void clickLine(int i) const { test::clickLine(listHwnd(), i); }

  bool built = false;
};

TEST(Win32Controls, TypingIsAChangeAndTheProgramsOwnTextIsNotEchoed) {
  TestWindow w;
  ASSERT_TRUE(w.built);
  EXPECT_EQ(windowText(w.nameHwnd()), u"名前");
  EXPECT_EQ(windowText(w.countHwnd()), u" 5");

  typeAtEnd(w.nameHwnd(), u"x");
  EXPECT_EQ(w.rows.nameChanges, 1);
  EXPECT_EQ(w.rows.name.text(), u"名前x");

  // Each program change raises exactly one change, and the box shows it.
  w.rows.name.setText(u"abc");
  EXPECT_EQ(w.rows.nameChanges, 2);
  EXPECT_EQ(windowText(w.nameHwnd()), u"abc");
  w.rows.name.setText(u"abc");
  EXPECT_EQ(w.rows.nameChanges, 2);

  // Pasting is a change too.
  SendMessageW(w.nameHwnd(), EM_SETSEL, 0, -1);
  SendMessageW(w.nameHwnd(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"貼り付け"));
  EXPECT_EQ(w.rows.nameChanges, 3);
  EXPECT_EQ(w.rows.name.text(), u"貼り付け");
}

TEST(Win32Controls, SelectionAndNameEditReenterOnRealControls) {
  TestWindow w;
  ASSERT_TRUE(w.built);

  w.clickLine(1);
  EXPECT_EQ(w.rows.clicks, 2);
  EXPECT_EQ(w.rows.nameChanges, 1);
  EXPECT_EQ(w.rows.addressChanges, 1);
  EXPECT_EQ(windowText(w.nameHwnd()), u"B");
  EXPECT_EQ(w.realSelection(), 1);

  // The line follows the name key by key, the selection stays, and the
  // caret is where the typing left it.
  typeAtEnd(w.nameHwnd(), u"x");
  typeAtEnd(w.nameHwnd(), u"y");
  EXPECT_EQ(w.rows.row(1).name, u"Bxy");
  EXPECT_EQ(w.listLine(1), u"Bxy");
  EXPECT_EQ(w.realSelection(), 1);
  EXPECT_EQ(w.rows.list.listIndex(), 1);
  EXPECT_EQ(w.rows.clicks, 4);
  EXPECT_EQ(w.rows.addressChanges, 1);
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(w.nameHwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 3u);
  EXPECT_EQ(end, 3u);

  // Clicking the selected line again is no new selection.
  w.clickLine(1);
  EXPECT_EQ(w.rows.clicks, 4);
}

TEST(Win32Controls, ProgramLineEditsMoveTheRealSelectionWithoutEvents) {
  TestWindow w;
  ASSERT_TRUE(w.built);
  ListBox& list = w.rows.list;
  list.setListIndex(2);
  const int clicks = w.rows.clicks;

  list.insertItem(0, u"Z");
  EXPECT_EQ(w.realSelection(), 3);
  list.removeItem(1);
  EXPECT_EQ(w.realSelection(), 2);
  list.setLine(2, u"C2");
  EXPECT_EQ(w.listLine(2), u"C2");
  EXPECT_EQ(w.realSelection(), 2);
  list.removeItem(2);
  EXPECT_EQ(w.realSelection(), -1);
  list.setLines({});
  EXPECT_EQ(SendMessageW(w.listHwnd(), LB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(w.rows.clicks, clicks);
}

TEST(Win32Controls, ReplacingALineKeepsTheViewOfALongList) {
  TestWindow w;
  ASSERT_TRUE(w.built);
  ListBox& list = w.rows.list;
  list.onClick = nullptr;  // the rows behind it are not these
  std::vector<Text> lines;
  for (int i = 0; i < 1000; ++i) {
    lines.push_back(u"friend " + Text(1, static_cast<char16_t>(u'0' + i % 10)));
  }
  w.form.show();
  list.setLines(lines);
  ASSERT_EQ(SendMessageW(w.listHwnd(), LB_GETCOUNT, 0, 0), 1000);
  EXPECT_TRUE(IsWindowVisible(w.listHwnd()));  // drawing is back on
  list.setListIndex(500);
  SendMessageW(w.listHwnd(), LB_SETTOPINDEX, 495, 0);
  const auto top = SendMessageW(w.listHwnd(), LB_GETTOPINDEX, 0, 0);

  list.setLine(500, u"renamed");
  list.setLine(497, u"other");
  EXPECT_EQ(w.listLine(500), u"renamed");
  EXPECT_EQ(w.listLine(497), u"other");
  EXPECT_EQ(w.realSelection(), 500);
  EXPECT_EQ(SendMessageW(w.listHwnd(), LB_GETTOPINDEX, 0, 0), top);
  EXPECT_EQ(SendMessageW(w.listHwnd(), LB_GETCOUNT, 0, 0), 1000);
}

TEST(Win32Controls, DoubleClickAndEnterInTheList) {
  TestWindow w;
  ASSERT_TRUE(w.built);
  int doubleClicks = 0;
  std::vector<char16_t> keys;
  w.rows.list.onDblClick = [&] { ++doubleClicks; };
  w.rows.list.onKeyPress = [&](char16_t key) { keys.push_back(key); };
  w.form.show();
  pumpMessages();

  w.clickLine(0);
  RECT r{};
  SendMessageW(w.listHwnd(), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  SendMessageW(w.listHwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(r.left + 2, r.top + 2));
  SendMessageW(w.listHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(r.left + 2, r.top + 2));
  EXPECT_EQ(doubleClicks, 1);

  SetFocus(w.listHwnd());
  pressKey(w.listHwnd(), VK_RETURN);
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_EQ(keys[0], 13);
}

TEST(Win32Controls, CheckBoxShowsThePortableState) {
  TestWindow w;
  ASSERT_TRUE(w.built);
  int clicks = 0;
  w.check.onClick = [&] { ++clicks; };
  SendMessageW(w.checkHwnd(), BM_CLICK, 0, 0);
  EXPECT_TRUE(w.check.value());
  EXPECT_EQ(SendMessageW(w.checkHwnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
  w.check.setValue(false);
  EXPECT_EQ(SendMessageW(w.checkHwnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  w.check.setValue(false);
  EXPECT_EQ(clicks, 2);
}

TEST(Win32Controls, LabelAndFormBodyReportPressesAndClicks) {
  TestWindow w;
  ASSERT_TRUE(w.built);
  int labelClicks = 0;
  int labelDowns = 0;
  int formDowns = 0;
  int closes = 0;
  w.label.onClick = [&] { ++labelClicks; };
  w.label.onMouseDown = [&] { ++labelDowns; };
  w.form.onMouseDown = [&] { ++formDowns; };
  w.form.onClose = [&] { ++closes; };

  click(w.labelHwnd(), 3, 3);
  EXPECT_EQ(labelDowns, 1);
  EXPECT_EQ(labelClicks, 1);
  click(w.labelHwnd(), 3, 3, WM_RBUTTONDOWN, WM_RBUTTONUP);
  click(w.labelHwnd(), 3, 3, WM_MBUTTONDOWN, WM_MBUTTONUP);
  EXPECT_EQ(labelDowns, 3);
  EXPECT_EQ(labelClicks, 1);
  EXPECT_EQ(formDowns, 0);

  click(w.hwnd(), 390, 5, WM_RBUTTONDOWN, WM_RBUTTONUP);
  click(w.hwnd(), 390, 5);
  EXPECT_EQ(formDowns, 2);

  SendMessageW(w.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(closes, 1);
  EXPECT_TRUE(IsWindow(w.hwnd()));
}

TEST(Win32Controls, ButtonsAnswerClicksAndEnter) {
  TestWindow w;
  ASSERT_TRUE(w.built);
  int clicks = 0;
  w.button.onClick = [&] { ++clicks; };
  w.form.show();
  pumpMessages();
  SendMessageW(w.buttonHwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  SetFocus(w.buttonHwnd());
  pressKey(w.buttonHwnd(), VK_RETURN);
  EXPECT_EQ(clicks, 2);
  // Enter anywhere else presses nothing.
  SetFocus(w.nameHwnd());
  pressKey(w.nameHwnd(), VK_RETURN);
  EXPECT_EQ(clicks, 2);
}

TEST(Win32Controls, MemoTakesLineBreaksUpToItsLimit) {
  TestWindow w;
  ASSERT_TRUE(w.built);
  w.form.show();
  pumpMessages();
  SetFocus(w.memoHwnd());
  SendMessageW(w.memoHwnd(), EM_SETSEL, 0, -1);
  SendMessageW(w.memoHwnd(), WM_CHAR, L'a', 1);
  pressKey(w.memoHwnd(), VK_RETURN);
  for (int i = 0; i < 12; ++i) SendMessageW(w.memoHwnd(), WM_CHAR, L'b', 1);
  EXPECT_EQ(w.memo.text(), u"a\r\nbbbbbbb");
  EXPECT_EQ(GetFocus(), w.memoHwnd());

  // A program text is not cut to the limit.
  w.memo.setText(u"0123456789012");
  EXPECT_EQ(windowText(w.memoHwnd()), u"0123456789012");
}

TEST(Win32Controls, TabFollowsTheLayoutOrderAndSkipsLabels) {
  TestWindow w;
  ASSERT_TRUE(w.built);
  w.form.show();
  pumpMessages();
  EXPECT_EQ(GetFocus(), w.listHwnd());  // the first in tab order on activation
  const std::vector<HWND> order = {w.nameHwnd(),  w.child(2),     w.memoHwnd(), w.countHwnd(),
                                   w.checkHwnd(), w.buttonHwnd(), w.listHwnd()};
  for (HWND expected : order) {
    pressKey(GetFocus(), VK_TAB);
    EXPECT_EQ(GetFocus(), expected);
  }
}

TEST(Win32Controls, ShadedBoxesHaveTheLightThreeDimensionalColour) {
  TestWindow w;
  ASSERT_TRUE(w.built);
  HDC dc = GetDC(w.countHwnd());
  const auto shaded = SendMessageW(w.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                   reinterpret_cast<LPARAM>(w.countHwnd()));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(shaded), GetSysColorBrush(COLOR_3DLIGHT));
  EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_3DLIGHT));
  const auto label = SendMessageW(w.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                  reinterpret_cast<LPARAM>(w.labelHwnd()));
  EXPECT_NE(reinterpret_cast<HBRUSH>(label), GetSysColorBrush(COLOR_3DLIGHT));
  ReleaseDC(w.countHwnd(), dc);

  // Read-only: typing changes nothing.
  SendMessageW(w.countHwnd(), WM_CHAR, L'9', 1);
  EXPECT_EQ(w.count.text(), u" 5");
  EXPECT_EQ(windowText(w.countHwnd()), u" 5");
}

// Counts the pixels in a control's screen area that are not its background,
// read back from the screen itself.
int inkOnScreen(HWND control) {
  const std::vector<std::uint32_t> shown = test::screenPixels(control).pixels;
  if (shown.empty()) return 0;
  const std::uint32_t background = shown.back();  // the bottom right corner
  return static_cast<int>(std::ssize(shown) - std::count(shown.begin(), shown.end(), background));
}

TEST(Win32Controls, RefreshDrawsANewCaptionWithoutTheMessageLoop) {
  TestWindow w;
  ASSERT_TRUE(w.built);
  w.label.setCaption(u"");
  w.form.show();
  pumpMessages();
  Sleep(100);
  ASSERT_EQ(inkOnScreen(w.labelHwnd()), 0);

  w.label.setCaption(u"■■■■");
  w.form.refresh();
  Sleep(100);
  EXPECT_GT(inkOnScreen(w.labelHwnd()), 20);
}

}  // namespace
}  // namespace quillby

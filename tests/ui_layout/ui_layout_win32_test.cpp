// Both windows built as real windows: every control where the design puts it,
// with its caption, font, style and place in the tab order.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <imm.h>  // needs windows.h first
// clang-format on

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "controls/win32/font_faces.h"
#include "controls/win32/fonts.h"
#include "controls/win32/window_builder.h"
#include "support_win32/real_windows.h"
#include "support_win32/screenshot.h"
#include "ui/main_layout.h"
#include "ui/small_layout.h"

namespace quillby {
namespace {

using test::classOf;
using test::controlAt;
using test::controlNamed;
using test::hwndOf;
using test::pumpMessages;
using test::rectInParent;
using test::styleOf;
using test::tabIndexOf;

constexpr const wchar_t* kP = L"ＭＳ Ｐゴシック";
constexpr const wchar_t* kG = L"ＭＳ ゴシック";

// One control as the design gives it, in tab order.
struct Expected {
  const char* name;
  const wchar_t* windowClass;
  TwipsRect twips;
  const wchar_t* caption;
  const wchar_t* face = kP;  // the default font
  double points = 9;
};

const std::vector<Expected> kMain = {
    {"List1", L"ListBox", {360, 360, 2295, 2400}, L""},
    {"Label1", L"Static", {360, 120, 1695, 255}, L"おともだちリスト"},
    {"Up", L"Button", {2880, 600, 375, 615}, L"↑"},
    {"Down", L"Button", {2880, 1920, 375, 615}, L"↓"},
    {"txtName", L"Edit", {3600, 360, 2295, 375}, L"名前"},
    {"txtNum", L"Edit", {6360, 360, 735, 375}, L"回数"},
    {"txtAddress", L"Edit", {3600, 1080, 3495, 615}, L"メールアドレス"},
    {"txtPetName", L"Edit", {3600, 2040, 1695, 375}, L"ペットの名前"},
    {"txtPetKind", L"Edit", {5520, 2040, 1575, 375}, L"ペットの種類"},
    {"txtMemo", L"Edit", {3720, 2880, 3375, 1935}, L"メモ"},
    {"Add", L"Button", {120, 3960, 1095, 495}, L"追加"},
    {"Del", L"Button", {120, 4560, 735, 255}, L"削除"},
    {"Label2", L"Static", {3600, 120, 1335, 375}, L"おともだちの名前"},
    {"Label3", L"Static", {6360, 120, 1575, 375}, L"回数"},
    {"Label4", L"Static", {3600, 840, 2055, 495}, L"メールアドレス"},
    {"Label5", L"Static", {3600, 1800, 1335, 495}, L"ペットの名前"},
    {"Label6", L"Static", {5520, 1800, 1215, 375}, L"ペットの種類"},
    {"Label7", L"Static", {3840, 2640, 1695, 495}, L"メモ"},
    {"Command1", L"Button", {120, 3360, 1095, 495}, L"セーブ！", kP, 11.25},
    {"Label8",
     L"Static",
     {240, 2880, 2775, 495},
     L"ダブルクリックするとそのおともだちへのメールウィンドウが開きます",
     kP,
     8.25},
    {"Command2", L"Button", {1320, 3960, 1455, 255}, L"ペットを呼び戻す"},
    {"end", L"Button", {1320, 4320, 1455, 495}, L"終了", kP, 11.25},
    {"Label9", L"Static", {2400, 3120, 465, 165}, L"", kG, 8.25},
    {"Command4", L"Button", {1320, 3360, 1455, 495}, L"メールチェック"},
    {"Command5", L"Button", {2880, 3240, 735, 735}, L"受信簿"},
    {"Command6", L"Button", {2880, 4080, 735, 735}, L"おやつ"},
    {"Check1", L"Button", {120, 4920, 135, 180}, L""},
    {"Label10", L"Static", {360, 4920, 975, 255}, L"手前に表示"},
    {"shrink", L"Button", {6360, 4920, 735, 255}, L"メモ無し", kP, 8.25},
    {"Check2", L"Button", {1440, 4920, 135, 180}, L""},
    {"Label11", L"Static", {1680, 4920, 1215, 255}, L"PostPetも終了"},
    {"Check3", L"Button", {3840, 4920, 135, 180}, L""},
    {"Label12", L"Static", {4080, 4920, 1455, 255}, L"接続チェックなし"},
};

const std::vector<Expected> kSmall = {
    {"Command6", L"Button", {1560, 3360, 735, 375}, L"おやつ"},
    {"Command5", L"Button", {1560, 2880, 735, 375}, L"受信簿"},
    {"Command4", L"Button", {120, 3000, 1215, 375}, L"メールチェック"},
    {"Command3", L"Button", {120, 3840, 1215, 375}, L"終了", kP, 11.25},
    {"Command2", L"Button", {120, 3480, 1215, 255}, L"呼び戻す！"},
    {"List1", L"ListBox", {120, 360, 2175, 2400}, L""},
    {"Label1", L"Static", {360, 120, 1695, 255}, L"おともだちリスト"},
    {"Check1", L"Button", {120, 4320, 135, 180}, L""},
    {"Label10", L"Static", {360, 4320, 1335, 255}, L"手前に表示"},
    {"expand", L"Button", {1560, 4560, 735, 255}, L"メモ"},
    {"Command1", L"Button", {1560, 3840, 735, 255}, L"お風呂"},
    {"Command7", L"Button", {1560, 4200, 735, 255}, L"元気？"},
    {"Label9", L"Static", {840, 2760, 615, 255}, L"", kP, 8.25},
    {"Check2", L"Button", {120, 4560, 135, 180}, L""},
    {"Label2", L"Static", {360, 4560, 1335, 255}, L"PostPetも終了"},
};

// A list's and a check box's text is their name, which only the label shows.
bool namedByOwnText(HWND h) {
  return classOf(h) == L"ListBox" || (styleOf(h) & BS_TYPEMASK) == BS_CHECKBOX;
}

SIZE clientSize(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  return {r.right, r.bottom};
}

LOGFONTW fontOf(HWND hwnd) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof(font), &font);
  return font;
}

// The face in use is installed: the designed one, or one of its kind in its
// place (proportional for the P face, fixed-pitch for the other).
void expectFaceStandsFor(const wchar_t* face, const wchar_t* designed) {
  EXPECT_TRUE(fontFaceInstalled(reinterpret_cast<const char16_t*>(face))) << face;
  const auto& designs = font_faces::kDesigned;
  const auto design = std::find_if(designs.begin(), designs.end(), [designed](const auto& d) {
    return d.face == reinterpret_cast<const char16_t*>(designed);
  });
  ASSERT_NE(design, designs.end());
  const TextView used(reinterpret_cast<const char16_t*>(face));
  EXPECT_TRUE(used == design->face || used == design->englishName ||
              std::find(design->standIns.begin(), design->standIns.end(), used) !=
                  design->standIns.end())
      << face << " for " << designed;
}

// Every control at twips / 15 pixels, with its class, caption and font; each
// label that names a control lies just above it in the z-order.
void expectControls(const WindowLayout& layout, const std::vector<Expected>& expected) {
  ASSERT_EQ(layout.controls.size(), expected.size());
  const Form& form = *layout.form;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const Expected& e = expected[i];
    SCOPED_TRACE(e.name);
    EXPECT_EQ(layout.controls[i].name, e.name);
    const HWND h = controlAt(form, i);
    ASSERT_TRUE(h);
    EXPECT_EQ(classOf(h), e.windowClass);
    const RECT r = rectInParent(h);
    EXPECT_EQ(r.left, e.twips.left / 15);
    EXPECT_EQ(r.top, e.twips.top / 15);
    EXPECT_EQ(r.right - r.left, e.twips.width / 15);
    EXPECT_EQ(r.bottom - r.top, e.twips.height / 15);
    if (!namedByOwnText(h)) {
      EXPECT_EQ(windowText(h), reinterpret_cast<const char16_t*>(e.caption));
    }
    const LOGFONTW font = fontOf(h);
    expectFaceStandsFor(font.lfFaceName, e.face);
    EXPECT_EQ(font.lfHeight, -std::lround(e.points * 96 / 72));
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
    const bool isLabel = std::wstring(e.windowClass) == L"Static";
    EXPECT_EQ((styleOf(h) & WS_TABSTOP) != 0, !isLabel);
    if (isLabel) {
      EXPECT_TRUE(styleOf(h) & SS_NOTIFY);
      const std::string_view named = layout.controls[i].labelFor;
      EXPECT_TRUE(named.empty() || GetWindow(h, GW_HWNDNEXT) == controlNamed(layout, named));
    }
  }
}

// Names of the controls Tab visits from the first one until it comes back.
std::vector<std::string_view> tabWalk(const WindowLayout& layout) {
  std::vector<std::string_view> names;
  const HWND window = hwndOf(*layout.form);
  HWND at = GetNextDlgTabItem(window, nullptr, FALSE);
  for (std::size_t guard = 0; at && guard <= layout.controls.size(); ++guard) {
    names.push_back(layout.controls[tabIndexOf(at)].name);
    at = GetNextDlgTabItem(window, at, FALSE);
    if (at == controlNamed(layout, names.front())) break;
  }
  return names;
}

class MainWindowLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    applyDesign(layout);
    ASSERT_TRUE(buildWindow(layout, {15, 15}));
  }
  HWND window() const { return hwndOf(c.form); }

  MainControls c;
  WindowLayout layout = mainLayout(c);
};

TEST_F(MainWindowLayout, ControlsStandWhereDesigned) { expectControls(layout, kMain); }

TEST_F(MainWindowLayout, FrameCaptionIconAndClientSize) {
  EXPECT_EQ(windowText(window()), u"Quillby Ver0.5");
  const auto style = styleOf(window());
  for (LONG_PTR bit : {WS_CAPTION, WS_SYSMENU, WS_THICKFRAME, WS_MINIMIZEBOX, WS_MAXIMIZEBOX}) {
    EXPECT_EQ(style & bit, bit);
  }
  const SIZE client = clientSize(window());
  EXPECT_EQ(client.cx, 7215 / 15);
  EXPECT_EQ(client.cy, 5190 / 15);

  const auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(window(), GCLP_HICONSM));
  ASSERT_TRUE(icon);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP colour{};
  GetObjectW(info.hbmColor, sizeof(colour), &colour);
  EXPECT_EQ(colour.bmWidth, 16);
  EXPECT_EQ(colour.bmHeight, 16);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

TEST_F(MainWindowLayout, BoxStylesFollowTheirRoles) {
  const HWND name = controlNamed(layout, "txtName");
  const HWND num = controlNamed(layout, "txtNum");
  const HWND address = controlNamed(layout, "txtAddress");
  const HWND memo = controlNamed(layout, "txtMemo");
  EXPECT_FALSE(styleOf(name) & (ES_READONLY | ES_MULTILINE));
  EXPECT_EQ(styleOf(num) & (ES_READONLY | ES_RIGHT), ES_READONLY | ES_RIGHT);
  EXPECT_TRUE(styleOf(controlNamed(layout, "txtPetName")) & ES_READONLY);
  EXPECT_TRUE(styleOf(controlNamed(layout, "txtPetKind")) & ES_READONLY);
  EXPECT_FALSE(styleOf(address) & (ES_READONLY | ES_MULTILINE));
  const LONG_PTR memoBits = ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL;
  EXPECT_EQ(styleOf(memo) & memoBits, memoBits);
  EXPECT_FALSE(styleOf(memo) & ES_READONLY);
  EXPECT_EQ(SendMessageW(memo, EM_GETLIMITTEXT, 0, 0), 500);

  // The address box has no input method; the name box keeps the thread's.
  EXPECT_EQ(ImmGetContext(address), nullptr);
  HIMC nameContext = ImmGetContext(name);
  EXPECT_NE(nameContext, nullptr);
  ImmReleaseContext(name, nameContext);

  const HWND list = controlNamed(layout, "List1");
  EXPECT_EQ(styleOf(list) & (LBS_NOTIFY | LBS_NOINTEGRALHEIGHT), LBS_NOTIFY | LBS_NOINTEGRALHEIGHT);
  EXPECT_FALSE(styleOf(list) & LBS_SORT);
  for (const char* check : {"Check1", "Check2", "Check3"}) {
    EXPECT_EQ(styleOf(controlNamed(layout, check)) & BS_TYPEMASK, BS_CHECKBOX) << check;
  }
}

TEST_F(MainWindowLayout, TabSkipsLabelsAndFollowsTheDesign) {
  EXPECT_EQ(
      tabWalk(layout),
      (std::vector<std::string_view>{
          "List1",      "Up",       "Down",     "txtName", "txtNum",   "txtAddress", "txtPetName",
          "txtPetKind", "txtMemo",  "Add",      "Del",     "Command1", "Command2",   "end",
          "Command4",   "Command5", "Command6", "Check1",  "shrink",   "Check2",     "Check3"}));
}

TEST_F(MainWindowLayout, ResizingLeavesTheControlsInPlace) {
  const HWND memo = controlNamed(layout, "txtMemo");
  const RECT before = rectInParent(memo);
  SetWindowPos(window(), nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(window(), nullptr, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT after = rectInParent(memo);
  EXPECT_TRUE(EqualRect(&before, &after));
}

TEST(ScaledLayout, At144DpiEverythingIsHalfAgainAsLarge) {
  MainControls normal;
  MainControls large;
  WindowLayout normalLayout = mainLayout(normal);
  WindowLayout largeLayout = mainLayout(large);
  ASSERT_TRUE(buildWindow(normalLayout, {15, 15}));
  ASSERT_TRUE(buildWindow(largeLayout, {10, 10}));
  for (std::size_t i = 0; i < normalLayout.controls.size(); ++i) {
    SCOPED_TRACE(normalLayout.controls[i].name);
    const RECT a = rectInParent(controlAt(normal.form, i));
    const RECT b = rectInParent(controlAt(large.form, i));
    EXPECT_NEAR(b.left, a.left * 1.5, 1);
    EXPECT_NEAR(b.top, a.top * 1.5, 1);
    EXPECT_NEAR(b.right - b.left, (a.right - a.left) * 1.5, 1);
    EXPECT_NEAR(b.bottom - b.top, (a.bottom - a.top) * 1.5, 1);
    EXPECT_NEAR(fontOf(controlAt(large.form, i)).lfHeight,
                fontOf(controlAt(normal.form, i)).lfHeight * 1.5, 0.5);
  }
  const SIZE client = clientSize(hwndOf(large.form));
  EXPECT_EQ(client.cx, 722);  // 721.5 pixels
  EXPECT_EQ(client.cy, 519);
}

TEST(SmallWindowLayout, ThinBorderWithoutCaptionAndControlsWhereDesigned) {
  SmallControls c;
  const WindowLayout layout = smallLayout(c);
  applyDesign(layout);
  ASSERT_TRUE(buildWindow(layout, {15, 15}));
  expectControls(layout, kSmall);

  const HWND window = hwndOf(c.form);
  const auto style = styleOf(window);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_EQ(style & WS_CAPTION, WS_BORDER);  // a border line, no title bar
  EXPECT_FALSE(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_EQ(windowText(window), layout.accessibleName);  // shown nowhere
  EXPECT_EQ(GetClassLongPtrW(window, GCLP_HICONSM), 0u);

  const SIZE client = clientSize(window);
  EXPECT_EQ(client.cx, 2430 / 15);
  EXPECT_EQ(client.cy, 4935 / 15);
  RECT frame{};
  GetWindowRect(window, &frame);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  EXPECT_EQ(origin.x - frame.left, 1);  // 15 twips
  EXPECT_EQ(origin.y - frame.top, 1);
}

// The window's visible children from the top of the z-order down.
std::vector<HWND> visibleChildren(HWND window) {
  std::vector<HWND> children;
  for (HWND h = GetWindow(window, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    if (styleOf(h) & WS_VISIBLE) children.push_back(h);
  }
  return children;
}

std::string_view nameOf(const WindowLayout& layout, HWND h) {
  return layout.controls[tabIndexOf(h)].name;
}

// The control's shape (its rectangle, or the region cut from it) in the
// parent's client coordinates.
HRGN shapeInParent(HWND h) {
  const RECT own = rectInParent(h);
  HRGN shape = CreateRectRgnIndirect(&own);
  if (GetWindowRgn(h, shape) != ERROR) OffsetRgn(shape, own.left, own.top);
  return shape;
}

// The part of the control's shape that no sibling above it covers, in the
// parent's client coordinates.
HRGN uncoveredPart(const std::vector<HWND>& zOrder, std::size_t at) {
  HRGN part = shapeInParent(zOrder[at]);
  for (std::size_t above = 0; above < at; ++above) {
    HRGN cover = shapeInParent(zOrder[above]);
    CombineRgn(part, part, cover, RGN_DIFF);
    DeleteObject(cover);
  }
  return part;
}

void expectNothingHidden(const WindowLayout& layout) {
  const auto zOrder = visibleChildren(hwndOf(*layout.form));
  ASSERT_EQ(zOrder.size(), layout.controls.size());
  for (std::size_t i = 0; i < zOrder.size(); ++i) {
    HRGN part = uncoveredPart(zOrder, i);
    RECT box{};
    EXPECT_NE(GetRgnBox(part, &box), NULLREGION) << nameOf(layout, zOrder[i]) << " is hidden";
    DeleteObject(part);
    // Labels lie beneath the other controls, whatever their place in the z-order.
    for (std::size_t above = 0; above < i && classOf(zOrder[i]) != L"Static"; ++above) {
      if (classOf(zOrder[above]) != L"Static") continue;
      HRGN label = shapeInParent(zOrder[above]);
      HRGN own = shapeInParent(zOrder[i]);
      EXPECT_EQ(CombineRgn(label, label, own, RGN_AND), NULLREGION) << nameOf(layout, zOrder[i]);
      DeleteObject(label);
      DeleteObject(own);
    }
  }
}

// Both windows as designed, the countdown showing at its widest.
class BothWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    applyDesign(mainWindow);
    applyDesign(smallWindow);
    main.Label9.setCaption(u" 19.9");
    small.Label9.setCaption(u" 19.9");
  }
  void build() {
    ASSERT_TRUE(buildWindow(mainWindow, {15, 15}));
    ASSERT_TRUE(buildWindow(smallWindow, {15, 15}));
  }

  MainControls main;
  SmallControls small;
  const WindowLayout mainWindow = mainLayout(main);
  const WindowLayout smallWindow = smallLayout(small);
};

TEST_F(BothWindows, Screenshots) {
  for (const char16_t* name : {u"山田 花子", u"たろう", u"Ｐｏｓｔ友", u"すずき"}) {
    main.List1.addItem(name);
    small.List1.addItem(name);
  }
  main.List1.setListIndex(1);
  small.List1.setListIndex(0);
  main.Check1.setValue(true);
  build();
  main.form.move(300, 300);
  small.form.move(9000, 300);
  main.form.show();
  small.form.show();
  pumpMessages();
  main.form.refresh();
  small.form.refresh();
  Sleep(300);
  pumpMessages();
  EXPECT_TRUE(test::saveScreenshot(hwndOf(main.form), L"main_window.bmp"));
  EXPECT_TRUE(test::saveScreenshot(hwndOf(small.form), L"small_window.bmp"));
}

// A place from a monitor that is gone (30000 twips is 2000 pixels, on a
// 1280-pixel screen) brings the window wholly onto the screen's work area; a
// place on the screen stays as it is.
TEST_F(BothWindows, AStoredPlaceOffEveryScreenComesBackOntoIt) {
  build();
  for (Form* form : {&main.form, &small.form}) {
    const HWND window = hwndOf(*form);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor));
    ASSERT_LT(monitor.rcWork.right, 2000);
    RECT r{};
    form->move(30000, 300);
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right, monitor.rcWork.right);
    EXPECT_EQ(r.top, 20);
    form->move(300, 600);
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(r.top, 40);
  }
}

TEST_F(BothWindows, NoControlLiesHiddenBeneathOthers) {
  build();
  expectNothingHidden(mainWindow);
  expectNothingHidden(smallWindow);
}

// Where a control draws its caption, in its own client coordinates: the lines
// laid out in `lines` with `format`, and where they may show, `area`.
struct CaptionPlace {
  RECT area;
  RECT lines;
  UINT format;
};

CaptionPlace captionPlace(HWND h, HDC dc, const std::wstring& caption) {
  RECT area{};
  GetClientRect(h, &area);
  if (classOf(h) == L"Static") return {area, area, DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS};
  // A button centres its lines within its edges.
  InflateRect(&area, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
  RECT lines = area;
  DrawTextW(dc, caption.c_str(), -1, &lines, DT_CALCRECT | DT_CENTER | DT_WORDBREAK);
  const int height = lines.bottom - lines.top;
  lines = area;
  OffsetRect(&lines, 0, ((area.bottom - area.top) - height) / 2);
  return {area, lines, DT_CENTER | DT_WORDBREAK};
}

// Pixels of a control's caption, drawn in the control's own font as the
// control lays it out, that fall outside its place, outside the window or
// beneath a sibling above it.
int captionPixelsLost(const std::vector<HWND>& zOrder, std::size_t at) {
  const HWND h = zOrder[at];
  const Text text = windowText(h);
  const std::wstring caption(text.begin(), text.end());
  const RECT own = rectInParent(h);
  constexpr int kSpill = 64;  // room around the control for what spills over
  const int width = own.right - own.left + 2 * kSpill;
  const int height = own.bottom - own.top + 2 * kSpill;

  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  const HGDIOBJ oldFont =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)));
  PatBlt(dc, 0, 0, width, height, WHITENESS);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  CaptionPlace place = captionPlace(h, dc, caption);
  OffsetRect(&place.lines, kSpill, kSpill);
  DrawTextW(dc, caption.c_str(), -1, &place.lines, place.format | DT_NOCLIP);
  GdiFlush();

  // Where the caption may show, in the bitmap's coordinates.
  HRGN allowed = uncoveredPart(zOrder, at);
  RECT client{};
  GetClientRect(GetParent(h), &client);
  OffsetRect(&place.area, own.left, own.top);
  for (const RECT& within : {client, place.area}) {
    HRGN limit = CreateRectRgnIndirect(&within);
    CombineRgn(allowed, allowed, limit, RGN_AND);
    DeleteObject(limit);
  }
  OffsetRgn(allowed, kSpill - own.left, kSpill - own.top);

  int lost = 0;
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool inked = (pixels[y * width + x] & 0xFFFFFF) != 0xFFFFFF;
      if (inked && !PtInRegion(allowed, x, y)) ++lost;
    }
  }
  DeleteObject(allowed);
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return lost;
}

bool proportional(HWND h) {
  HDC dc = GetDC(h);
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  return (metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) != 0;  // the bit means variable pitch
}

void expectCaptionsWhole(const WindowLayout& layout, const std::vector<Expected>& expected) {
  const auto zOrder = visibleChildren(hwndOf(*layout.form));
  for (std::size_t i = 0; i < zOrder.size(); ++i) {
    SCOPED_TRACE(nameOf(layout, zOrder[i]));
    const Expected& design = expected[tabIndexOf(zOrder[i])];
    EXPECT_EQ(proportional(zOrder[i]), std::wstring(design.face) == kP);
    if (classOf(zOrder[i]) == L"Edit" || namedByOwnText(zOrder[i]) ||
        windowText(zOrder[i]).empty()) {
      continue;
    }
    EXPECT_EQ(captionPixelsLost(zOrder, i), 0);
  }
}

// As a user's own Wine runs: the Japanese code page and no faces replaced, so
// the designed faces are missing and stand-ins of other widths take their
// place.
TEST_F(BothWindows, InAPlainJapaneseWineEveryCaptionShowsWholeInItsControlsOwnFont) {
  EXPECT_EQ(GetACP(), 932u) << "Wine runs without LANG=ja_JP.UTF-8";
  HKEY replacements = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\Fonts\\Replacements", 0, KEY_READ,
                    &replacements) == ERROR_SUCCESS) {
    DWORD values = 0;
    RegQueryInfoKeyW(replacements, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                     nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(replacements);
    EXPECT_EQ(values, 0u) << "the Wine prefix replaces faces; scripts/setup makes it plain";
  }
  build();
  expectCaptionsWhole(mainWindow, kMain);
  expectCaptionsWhole(smallWindow, kSmall);
}

}  // namespace
}  // namespace quillby

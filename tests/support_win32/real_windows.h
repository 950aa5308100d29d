#pragma once

// Real windows and controls from a test: found, looked at, and worked with
// messages as the user's actions arrive.
#include <windows.h>
// after <windows.h>, whose types it uses
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/layout.h"
#include "controls/win32/message_loop.h"
#include "controls/win32/window_builder.h"
#include "platform/win32/win32_text.h"

namespace quillby::test {

inline HWND hwndOf(const Form& form) { return reinterpret_cast<HWND>(form.windowId()); }

// The control built from entry `tabIndex` of its window's layout.
inline HWND controlAt(const Form& form, std::size_t tabIndex) {
  return GetDlgItem(hwndOf(form), kFirstControlId + static_cast<int>(tabIndex));
}

inline std::size_t tabIndexOf(HWND control) {
  return static_cast<std::size_t>(GetDlgCtrlID(control) - kFirstControlId);
}

inline HWND controlNamed(const WindowLayout& layout, std::string_view name) {
  for (std::size_t i = 0; i < layout.controls.size(); ++i) {
    if (layout.controls[i].name == name) return controlAt(*layout.form, i);
  }
  ADD_FAILURE() << "no control " << name;
  return nullptr;
}

// Handles every message waiting for this thread, as the program's loop would.
inline void pumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) dispatch(msg);
}

// The longest the program itself waits on the host (for a cold start's
// window): no state a test waits for is given up on sooner, however busy the
// machine.
constexpr ULONGLONG kLongestWaitMs = 10000;

// Handles this thread's messages until `done`; false when the longest wait
// passes first.
inline bool pumpUntil(const std::function<bool()>& done) {
  const ULONGLONG until = GetTickCount64() + kLongestWaitMs;
  for (;;) {
    pumpMessages();
    if (done()) return true;
    if (GetTickCount64() >= until) return false;
    Sleep(10);
  }
}

// True once `window` is the foreground window, as after the user clicked it.
// Asked again until it is: the system may refuse while the foreground is
// still on its way elsewhere.
inline bool bringToFront(HWND window) {
  return pumpUntil([window] {
    if (GetForegroundWindow() == window) return true;
    SetForegroundWindow(window);
    return false;
  });
}

// A child's rectangle in its parent's client coordinates.
inline RECT rectInParent(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

inline std::wstring classOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return name;
}

inline LONG_PTR styleOf(HWND hwnd) { return GetWindowLongPtrW(hwnd, GWL_STYLE); }

inline bool isTopmost(HWND hwnd) {
  return (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

inline bool ticked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// A line of a list box; "<none>" past its end.
inline Text listLine(HWND list, int index) {
  const auto length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return u"<none>";
  Text line(static_cast<std::size_t>(length) + 1, u'\0');
  SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(line.data()));
  line.resize(static_cast<std::size_t>(length));
  return line;
}

inline std::vector<Text> listLines(HWND list) {
  std::vector<Text> lines;
  const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) lines.push_back(listLine(list, i));
  return lines;
}

inline int listSelection(HWND list) {
  return static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
}

// A mouse click as the control would get it from the user, at a client point.
inline void click(HWND hwnd, int x, int y, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP) {
  SendMessageW(hwnd, down, down == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
  SendMessageW(hwnd, up, 0, MAKELPARAM(x, y));
}

// A click on the text of a list line, and a double click there.
inline void clickLine(HWND list, int index, bool twice = false) {
  RECT r{};
  SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  const int x = r.left + 4;
  const int y = (r.top + r.bottom) / 2;
  click(list, x, y);
  if (twice) click(list, x, y, WM_LBUTTONDBLCLK);
}

inline void press(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

// A press on a button with its window brought to the front first, as the
// user's click would bring it; false when the window would not come.
inline bool pressInFront(HWND button) {
  if (!bringToFront(GetAncestor(button, GA_ROOT))) return false;
  press(button);
  return true;
}

// Types into the box, one character message per character: at the end of its
// text, or over all of it.
inline void type(HWND edit, std::u16string_view typed) {
  for (char16_t c : typed) SendMessageW(edit, WM_CHAR, c, 1);
}
inline void typeAtEnd(HWND edit, std::u16string_view typed) {
  const int end = GetWindowTextLengthW(edit);
  SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
  type(edit, typed);
}
inline void typeOver(HWND edit, std::u16string_view typed) {
  SendMessageW(edit, EM_SETSEL, 0, -1);
  type(edit, typed);
}

// A key typed into whichever window has the focus, through the message loop.
inline void pressKey(HWND target, WPARAM key) {
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
  pumpMessages();
}

}  // namespace quillby::test

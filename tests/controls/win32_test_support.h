#pragma once

#include <windows.h>

#include <string>

#include "controls/win32/message_loop.h"
#include "platform/win32/win32_text.h"

namespace quillby::test {

// Handles every message waiting for this thread, as the program's loop would.
inline void pumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) dispatch(msg);
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

// A mouse click as the control would get it from the user, at a client point.
inline void click(HWND hwnd, int x, int y, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP) {
  SendMessageW(hwnd, down, down == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
  SendMessageW(hwnd, up, 0, MAKELPARAM(x, y));
}

// A key typed into whichever window has the focus, through the message loop.
inline void pressKey(HWND target, WPARAM key) {
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
  pumpMessages();
}

}  // namespace quillby::test

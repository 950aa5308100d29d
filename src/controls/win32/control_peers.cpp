#include "controls/win32/control_peers.h"

#include "platform/win32/win32_text.h"

namespace quillby {

EditPeer::EditPeer(HWND hwnd, TextBox& box, bool shaded)
    : ChildPeer(hwnd), box_(box), shaded_(shaded) {}

void EditPeer::showText(const Text& text) {
  settingText_ = true;
  SetWindowTextW(hwnd(), wide(text));
  settingText_ = false;
}

void EditPeer::notified(int code) {
  if (code == EN_CHANGE && !settingText_) box_.userEdited(windowText(hwnd()));
}

HBRUSH EditPeer::background(HDC dc) {
  if (!shaded_) return nullptr;
  SetBkColor(dc, GetSysColor(COLOR_3DLIGHT));
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  return GetSysColorBrush(COLOR_3DLIGHT);
}

ListPeer::ListPeer(HWND hwnd, ListBox& list) : ChildPeer(hwnd), list_(list) { subclass(); }

void ListPeer::showListIndex(int index) {
  // LB_SETCURSEL also scrolls, so leave a list alone that already shows it.
  if (SendMessageW(hwnd(), LB_GETCURSEL, 0, 0) != index) {
    SendMessageW(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
}

// A name edit removes its line and inserts it again; near the end of a long
// list the removal alone would scroll the view, so each step puts it back.
void ListPeer::insertLine(int index, const Text& text) {
  const LRESULT top = SendMessageW(hwnd(), LB_GETTOPINDEX, 0, 0);
  SendMessageW(hwnd(), LB_INSERTSTRING, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(wide(text)));
  SendMessageW(hwnd(), LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
}

void ListPeer::removeLine(int index) {
  const LRESULT top = SendMessageW(hwnd(), LB_GETTOPINDEX, 0, 0);
  SendMessageW(hwnd(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
  SendMessageW(hwnd(), LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
}

void ListPeer::replaceLine(int index, const Text& text) {
  // The list has no "set line", so the line is swapped with drawing off and
  // the view put back as it was; then only that line is drawn again.
  const HWND h = hwnd();
  SendMessageW(h, WM_SETREDRAW, FALSE, 0);
  const LRESULT top = SendMessageW(h, LB_GETTOPINDEX, 0, 0);
  const LRESULT selected = SendMessageW(h, LB_GETCURSEL, 0, 0);
  SendMessageW(h, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
  SendMessageW(h, LB_INSERTSTRING, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(wide(text)));
  if (selected != LB_ERR) SendMessageW(h, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  SendMessageW(h, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
  SendMessageW(h, WM_SETREDRAW, TRUE, 0);
  RECT line{};
  if (SendMessageW(h, LB_GETITEMRECT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&line)) != LB_ERR) {
    InvalidateRect(h, &line, TRUE);
  }
}

void ListPeer::showLines(const std::vector<Text>& lines) {
  // Drawn once all are in: a list redraws itself and its scroll bar for every
  // line, which for a thousand friends in a shown window takes seconds.
  const HWND h = hwnd();
  SendMessageW(h, WM_SETREDRAW, FALSE, 0);
  SendMessageW(h, LB_RESETCONTENT, 0, 0);
  std::size_t characters = 0;
  for (const Text& line : lines) characters += line.size() + 1;
  SendMessageW(h, LB_INITSTORAGE, lines.size(), characters * sizeof(wchar_t));
  for (const Text& line : lines) {
    SendMessageW(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(line)));
  }
  SendMessageW(h, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(h, nullptr, TRUE);
}

void ListPeer::notified(int code) {
  if (code == LBN_SELCHANGE) {
    list_.userSelected(static_cast<int>(SendMessageW(hwnd(), LB_GETCURSEL, 0, 0)));
  } else if (code == LBN_DBLCLK) {
    list_.userDoubleClicked();
  }
}

bool ListPeer::filter(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_GETDLGCODE) {
    // Enter belongs to the list's key handling, not to a default button.
    result = callOriginal(msg, wParam, lParam);
    const auto* key = reinterpret_cast<const MSG*>(lParam);
    if (key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN) result |= DLGC_WANTMESSAGE;
    return true;
  }
  if (msg == WM_CHAR) list_.userPressedKey(static_cast<char16_t>(wParam));
  return false;
}

ButtonPeer::ButtonPeer(HWND hwnd, Button& button) : ChildPeer(hwnd), button_(button) {}

void ButtonPeer::notified(int code) {
  if (code == BN_CLICKED) button_.userClicked();
}

CheckPeer::CheckPeer(HWND hwnd, CheckBox& box) : ChildPeer(hwnd), box_(box) { subclass(); }

void CheckPeer::showChecked(bool checked) {
  SendMessageW(hwnd(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckPeer::notified(int code) {
  if (code == BN_CLICKED) box_.userClicked();
}

// The box would show its focus around its text, which lies beyond its edge;
// so it shows it around its mark instead, drawn after every painting of it.
bool CheckPeer::filter(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_PAINT:
      // All of it, so that the focus drawn over it is never drawn twice.
      InvalidateRect(hwnd(), nullptr, FALSE);
      result = callOriginal(msg, wParam, lParam);
      if (GetFocus() == hwnd()) {
        HDC dc = GetDC(hwnd());
        RECT client{};
        GetClientRect(hwnd(), &client);
        DrawFocusRect(dc, &client);
        ReleaseDC(hwnd(), dc);
      }
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case BM_SETCHECK:
    case BM_SETSTATE:
      // These draw the box at once, outside its painting.
      result = callOriginal(msg, wParam, lParam);
      InvalidateRect(hwnd(), nullptr, FALSE);
      return true;
    default:
      return false;
  }
}

LabelPeer::LabelPeer(HWND hwnd, Label& label) : ChildPeer(hwnd), label_(label) { subclass(); }

void LabelPeer::showText(const Text& text) { SetWindowTextW(hwnd(), wide(text)); }

void LabelPeer::notified(int code) {
  if (code == STN_CLICKED) label_.userClicked();
}

bool LabelPeer::filter(UINT msg, WPARAM, LPARAM, LRESULT&) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      label_.userMouseDown();
      break;
    default:
      break;
  }
  return false;
}

}  // namespace quillby

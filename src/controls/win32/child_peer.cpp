#include "controls/win32/child_peer.h"

namespace quillby {

ChildPeer::ChildPeer(HWND hwnd) : hwnd_(hwnd) {
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

ChildPeer::~ChildPeer() { release(); }

ChildPeer* ChildPeer::of(HWND child) {
  return reinterpret_cast<ChildPeer*>(GetWindowLongPtrW(child, GWLP_USERDATA));
}

void ChildPeer::release() {
  if (!hwnd_) return;
  if (original_) SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
  original_ = nullptr;
}

void ChildPeer::subclass() {
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChildPeer::subclassProc)));
}

LRESULT ChildPeer::callOriginal(UINT msg, WPARAM wParam, LPARAM lParam) const {
  return CallWindowProcW(original_, hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK ChildPeer::subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // Only subclassed windows come here, and release() puts their class
  // procedure back before the peer goes.
  ChildPeer* peer = of(hwnd);
  LRESULT result = 0;
  if (peer->filter(msg, wParam, lParam, result)) return result;
  return peer->callOriginal(msg, wParam, lParam);
}

}  // namespace quillby

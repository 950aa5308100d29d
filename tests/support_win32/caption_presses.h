#pragma once

#include <windows.h>

#include <vector>

namespace quillby::test {

// Counts the title-bar presses a window is sent, and keeps them from starting
// a real move that would wait for the mouse.
class CaptionPresses {
 public:
  explicit CaptionPresses(HWND hwnd) : hwnd_(hwnd) {
    SetPropW(hwnd, kProp, this);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&proc)));
  }
  ~CaptionPresses() {
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    RemovePropW(hwnd_, kProp);
  }
  CaptionPresses(const CaptionPresses&) = delete;
  CaptionPresses& operator=(const CaptionPresses&) = delete;

  std::vector<WPARAM> presses;

 private:
  static constexpr const wchar_t* kProp = L"QuillbyCaptionPresses";
  static LRESULT CALLBACK proc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<CaptionPresses*>(GetPropW(h, kProp));
    if (msg == WM_NCLBUTTONDOWN) {
      self->presses.push_back(wParam);
      return 0;
    }
    return CallWindowProcW(self->original_, h, msg, wParam, lParam);
  }

  HWND hwnd_;
  WNDPROC original_ = nullptr;
};

}  // namespace quillby::test

#pragma once

#include <windows.h>

#include "controls/controls.h"

namespace quillby {

// A real child control standing for one portable control. It finds itself
// from its window through the window's user data, so that the form's window
// procedure can hand it its notifications.
class ChildPeer : public ControlPeer {
 public:
  explicit ChildPeer(HWND hwnd);
  ~ChildPeer() override;
  ChildPeer(const ChildPeer&) = delete;
  ChildPeer& operator=(const ChildPeer&) = delete;

  HWND hwnd() const { return hwnd_; }
  static ChildPeer* of(HWND child);

  // The window is about to be destroyed with its parent: let go of it.
  void release();

  // A WM_COMMAND notification code the control sent its parent.
  virtual void notified(int /*code*/) {}
  // The background for WM_CTLCOLOR*, or nullptr for the system's default.
  virtual HBRUSH background(HDC) { return nullptr; }

 protected:
  // Routes the control's own messages through filter() before its class
  // procedure sees them.
  void subclass();
  // True when the message is answered here, with `result`.
  virtual bool filter(UINT /*msg*/, WPARAM, LPARAM, LRESULT& /*result*/) { return false; }
  LRESULT callOriginal(UINT msg, WPARAM wParam, LPARAM lParam) const;

 private:
  static LRESULT CALLBACK subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND hwnd_;
  WNDPROC original_ = nullptr;
};

}  // namespace quillby

#pragma once

#include <windows.h>

#include <memory>

#include "controls/form.h"
#include "controls/layout.h"
#include "controls/win32/child_peer.h"
#include "controls/win32/fonts.h"
#include "controls/win32/screen_scale.h"

namespace quillby {

// The real top-level window of a Form: it hands its children's notifications
// to their peers and its own mouse presses and close requests to the Form.
class FormWindow final : public FormPeer {
 public:
  // A hidden window of the layout's class, frame, caption and client size;
  // nullptr if the system will not make one.
  static std::unique_ptr<FormWindow> create(const WindowLayout& layout, ScreenScale scale);
  ~FormWindow() override;
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  WindowFonts& fonts() { return fonts_; }
  ScreenScale scale() const { return scale_; }

  void showVisible(bool visible) override;
  bool isVisible() const override;
  // Where the window would show too little of its top on any monitor to be
  // taken hold of, it goes onto the nearest monitor's work area instead.
  void moveTo(double leftTwips, double topTwips) override;
  void refresh() override;
  WindowId windowId() const override { return reinterpret_cast<WindowId>(hwnd_); }

 private:
  FormWindow(Form& form, ScreenScale scale);
  static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
  ChildPeer* childOf(HWND child) const;
  void activated(bool active);
  void keepWithinReach();

  Form& form_;
  ScreenScale scale_;
  WindowFonts fonts_;
  HWND hwnd_ = nullptr;
  HWND lastFocus_ = nullptr;  // where the focus goes back when reactivated
};

}  // namespace quillby

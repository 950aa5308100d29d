#include "controls/win32/form_window.h"

#include <vector>

#include "controls/win32/quill_icon.h"
#include "platform/on_screen.h"
#include "platform/win32/win32_text.h"

namespace quillby {
namespace {

PixelRect pixelRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

DWORD frameStyle(FrameStyle frame) {
  switch (frame) {
    case FrameStyle::ThinBorder:
      return WS_POPUP | WS_BORDER | WS_CLIPCHILDREN;
    case FrameStyle::Sizable:
      break;
  }
  return WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
}

}  // namespace

FormWindow::FormWindow(Form& form, ScreenScale scale) : form_(form), scale_(scale), fonts_(scale) {}

std::unique_ptr<FormWindow> FormWindow::create(const WindowLayout& layout, ScreenScale scale) {
  if (!layout.form) return nullptr;
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const Text className(layout.windowClass);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  if (!GetClassInfoExW(instance, wide(className), &windowClass)) {
    windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &FormWindow::proc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = wide(className);
    // Given to the class, the icon reaches the new window's frame at once
    // instead of replacing a default one afterwards.
    if (layout.ownIcon) windowClass.hIcon = windowClass.hIconSm = quillIcon();
    if (!RegisterClassExW(&windowClass)) return nullptr;
  }

  const DWORD style = frameStyle(layout.frame);
  RECT frame{0, 0, scale.pixelsX(layout.clientWidth), scale.pixelsY(layout.clientHeight)};
  AdjustWindowRectEx(&frame, style, FALSE, 0);

  // A window without a title bar shows no caption, but screen readers and the
  // taskbar still call it by its text.
  const Text& text = layout.caption.empty() ? layout.accessibleName : layout.caption;
  std::unique_ptr<FormWindow> window(new FormWindow(*layout.form, scale));
  if (!CreateWindowExW(0, wide(className), wide(text), style, CW_USEDEFAULT, CW_USEDEFAULT,
                       frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                       instance, window.get())) {
    window->hwnd_ = nullptr;
    return nullptr;
  }
  return window;
}

FormWindow::~FormWindow() {
  if (hwnd_) {
    // The children go with the window; their peers may outlive it.
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      if (ChildPeer* peer = ChildPeer::of(child)) peer->release();
    }
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

void FormWindow::showVisible(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }

bool FormWindow::isVisible() const { return IsWindowVisible(hwnd_) != FALSE; }

void FormWindow::moveTo(double leftTwips, double topTwips) {
  SetWindowPos(hwnd_, nullptr, scale_.pixelsX(leftTwips), scale_.pixelsY(topTwips), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  keepWithinReach();
}

// A place kept from a monitor that has since gone would open the window where
// no one can reach it, and the compact window has no system menu to bring it
// back with.
void FormWindow::keepWithinReach() {
  RECT frame{};
  if (!GetWindowRect(hwnd_, &frame)) return;
  std::vector<PixelRect> workAreas;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, LPRECT, LPARAM areas) -> BOOL {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        if (GetMonitorInfoW(monitor, &info)) {
          reinterpret_cast<std::vector<PixelRect>*>(areas)->push_back(pixelRect(info.rcWork));
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&workAreas));
  MONITORINFO nearest{};
  nearest.cbSize = sizeof(nearest);
  if (!GetMonitorInfoW(MonitorFromRect(&frame, MONITOR_DEFAULTTONEAREST), &nearest)) return;
  if (const auto place = onScreenPlace(pixelRect(frame), workAreas, pixelRect(nearest.rcWork))) {
    SetWindowPos(hwnd_, nullptr, place->left, place->top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void FormWindow::refresh() {
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  // Drawing may wait until the thread next looks at its queue, and a thread
  // that never looks is taken for hung. Looking, taking nothing, settles both.
  MSG pending;
  PeekMessageW(&pending, hwnd_, 0, 0, PM_NOREMOVE | PM_QS_PAINT);
}

LRESULT CALLBACK FormWindow::proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  FormWindow* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  return self ? self->handle(msg, wParam, lParam) : DefWindowProcW(hwnd, msg, wParam, lParam);
}

ChildPeer* FormWindow::childOf(HWND child) const {
  if (!child || GetParent(child) != hwnd_) return nullptr;
  return ChildPeer::of(child);
}

void FormWindow::activated(bool active) {
  if (!active) {
    const HWND focus = GetFocus();
    if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
    return;
  }
  if (IsIconic(hwnd_)) return;
  HWND target = lastFocus_ && IsChild(hwnd_, lastFocus_) ? lastFocus_
                                                         : GetNextDlgTabItem(hwnd_, nullptr, FALSE);
  SetFocus(target ? target : hwnd_);
}

LRESULT FormWindow::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND: {
      // Only what a child says of itself: IsDialogMessage also sends IDOK and
      // IDCANCEL, which no control of ours carries.
      const auto child = reinterpret_cast<HWND>(lParam);
      ChildPeer* peer = childOf(child);
      if (peer && LOWORD(wParam) == GetDlgCtrlID(child)) {
        peer->notified(HIWORD(wParam));
        return 0;
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      if (ChildPeer* peer = childOf(reinterpret_cast<HWND>(lParam))) {
        if (HBRUSH brush = peer->background(reinterpret_cast<HDC>(wParam))) {
          return reinterpret_cast<LRESULT>(brush);
        }
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      form_.userMouseDown();
      return 0;
    case WM_CLOSE:
      form_.userClosed();  // the window stays unless the program acts
      return 0;
    case WM_ACTIVATE:
      activated(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_NEXTDLGCTL: {
      // Tab in a multi-line box arrives here, as in a dialog.
      const HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                         : GetNextDlgTabItem(hwnd_, GetFocus(), wParam != 0);
      if (target) SetFocus(target);
      return 0;
    }
    case DM_GETDEFID: {
      // Enter presses the focused button, as Space does.
      const HWND focus = GetFocus();
      if (focus && GetParent(focus) == hwnd_ &&
          (SendMessageW(focus, WM_GETDLGCODE, 0, 0) &
           (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
        return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
      }
      return 0;
    }
    case WM_NCDESTROY: {
      const HWND gone = hwnd_;
      hwnd_ = nullptr;
      return DefWindowProcW(gone, msg, wParam, lParam);
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

}  // namespace quillby

#include "platform/win32/win32_window_manager.h"

#include <windows.h>

namespace quillby {
namespace {

constexpr double kTwipsPerInch = 1440;

double twipsPerPixel(int axis) {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, axis) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return kTwipsPerInch / (dpi > 0 ? dpi : 96);
}

HWND handle(WindowId window) { return reinterpret_cast<HWND>(window); }

}  // namespace

double Win32WindowManager::twipsPerPixelX() const { return twipsPerPixel(LOGPIXELSX); }

double Win32WindowManager::twipsPerPixelY() const { return twipsPerPixel(LOGPIXELSY); }

void Win32WindowManager::setTopmost(WindowId window, bool topmost) {
  // The window stays exactly where it is and as large: a round trip through
  // whole twips per pixel would shrink it at every call wherever a pixel is not
  // a whole number of twips (175 %, 200 % scaling).
  SetWindowPos(handle(window), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void Win32WindowManager::beginWindowDrag(WindowId window) {
  ReleaseCapture();
  SendMessageW(handle(window), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

std::optional<PixelPoint> Win32WindowManager::normalPosition(WindowId window) const {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (!GetWindowPlacement(handle(window), &placement)) return std::nullopt;
  // The placement counts from the work area, while the window is moved in
  // screen coordinates: without the offset a taskbar at the top or left would
  // move the window by its own size at every start.
  POINT offset{};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if ((GetWindowLongPtrW(handle(window), GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0 &&
      GetMonitorInfoW(MonitorFromWindow(handle(window), MONITOR_DEFAULTTONEAREST), &monitor)) {
    offset = {monitor.rcWork.left - monitor.rcMonitor.left,
              monitor.rcWork.top - monitor.rcMonitor.top};
  }
  return PixelPoint{placement.rcNormalPosition.left + offset.x,
                    placement.rcNormalPosition.top + offset.y};
}

void declareDpiAware() { SetProcessDPIAware(); }

}  // namespace quillby

#include "platform/win32/win32_window_manager.h"

#include <windows.h>

#include <cmath>

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
  // The window's place goes through whole twips and back to pixels with whole
  // twips per pixel, so it stays put up to that rounding.
  const double perPixelX = twipsPerPixelX();
  const double perPixelY = twipsPerPixelY();
  const long wholeX = std::lround(perPixelX);
  const long wholeY = std::lround(perPixelY);
  RECT r{};
  GetWindowRect(handle(window), &r);
  const long left = std::lround(r.left * perPixelX);
  const long top = std::lround(r.top * perPixelY);
  const long width = std::lround((r.right - r.left) * perPixelX);
  const long height = std::lround((r.bottom - r.top) * perPixelY);
  SetWindowPos(handle(window), topmost ? HWND_TOPMOST : HWND_NOTOPMOST,
               static_cast<int>(left / wholeX), static_cast<int>(top / wholeY),
               static_cast<int>(width / wholeX), static_cast<int>(height / wholeY),
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
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

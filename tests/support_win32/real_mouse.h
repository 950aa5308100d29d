#pragma once

// The user's hand on the real mouse: input that arrives as the mouse gives it,
// from a thread of its own, so that it comes while the program is busy.
#include <windows.h>

#include <atomic>
#include <thread>

namespace quillby::test {

inline INPUT mouseInput(DWORD flags, POINT to = {}) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    // Whole pixels map back to themselves: the normalized value rounded up.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = static_cast<LONG>((to.x * 65536LL + width - 1) / width);
    in.mi.dy = static_cast<LONG>((to.y * 65536LL + height - 1) / height);
  }
  return in;
}

inline void sendMouse(DWORD flags, POINT to = {}) {
  INPUT in = mouseInput(flags, to);
  SendInput(1, &in, sizeof(INPUT));
}

inline POINT onScreen(HWND window, POINT client) {
  ClientToScreen(window, &client);
  return client;
}

// Moves the mouse back and forth between two points until it goes.
class MovingMouse {
 public:
  MovingMouse(POINT a, POINT b)
      : hand_([this, a, b] {
          for (bool there = false; !stop_; there = !there) {
            sendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, there ? b : a);
            Sleep(2);
          }
        }) {}
  ~MovingMouse() {
    stop_ = true;
    hand_.join();
  }
  MovingMouse(const MovingMouse&) = delete;
  MovingMouse& operator=(const MovingMouse&) = delete;

 private:
  std::atomic<bool> stop_ = false;
  std::thread hand_;
};

}  // namespace quillby::test

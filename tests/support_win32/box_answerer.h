#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

namespace quillby::test {

// What a message box showed when it was answered.
struct BoxSeen {
  std::wstring text;
  int defaultButton = 0;
  HWND owner = nullptr;
  bool inFront = false;  // above every other window shown
};

// Answers the first message box titled `title` from a second thread, as the
// user would, while the thread that made it sits in the box. After 20 seconds
// it answers any box of that thread, so that no test waits for ever.
class BoxAnswerer {
 public:
  BoxAnswerer(const wchar_t* title, WPARAM button);
  ~BoxAnswerer();
  BoxAnswerer(const BoxAnswerer&) = delete;
  BoxAnswerer& operator=(const BoxAnswerer&) = delete;

  // Stops looking; whether a box was answered.
  bool finish();
  const BoxSeen& seen() const { return seen_; }
  const std::wstring& text() const { return seen_.text; }

 private:
  std::atomic<bool> stop_{false};
  bool found_ = false;
  BoxSeen seen_;
  std::thread thread_;
};

}  // namespace quillby::test

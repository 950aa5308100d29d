#pragma once

#include <windows.h>

#include <memory>

#include "platform/host_input.h"

namespace quillby {

class KeyStateWatch;

// The window that answered us last, and when, on the tick count.
struct HostAnswer {
  HWND window = nullptr;
  unsigned long long at = 0;
};

// Another program driven through the real keyboard input: SendInput, with the
// wait for the keys read from the receiving thread's key state. Every wait on
// the other program is bounded, and our own windows keep answering meanwhile.
class Win32HostInput final : public HostInput {
 public:
  Win32HostInput();
  ~Win32HostInput() override;

  bool start(const std::filesystem::path& program, StartOutcome outcome) override;
  bool windowExists(TextView title) const override;
  Activation activate(TextView title, std::chrono::milliseconds patience) override;
  bool send(std::span<const KeyEvent> keys, std::chrono::milliseconds patience) override;

 private:
  std::unique_ptr<KeyStateWatch> watch_;  // made at the first send
  HostAnswer lastAnswer_;
};

// The stroke that presses, or lets go of, the key `vk`, as the keyboard gives it.
INPUT virtualKey(WORD vk, bool up);

}  // namespace quillby

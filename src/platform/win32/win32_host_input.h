#pragma once

#include "platform/host_input.h"

namespace quillby {

// Another program driven through the real keyboard input: SendInput, with the
// wait for each key read from the receiving thread's key state.
class Win32HostInput final : public HostInput {
 public:
  bool start(const std::filesystem::path& program) override;
  bool windowExists(TextView title) const override;
  bool activate(TextView title) override;
  bool send(std::span<const KeyEvent> keys) override;
};

}  // namespace quillby

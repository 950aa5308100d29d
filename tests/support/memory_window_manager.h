#pragma once

#include <map>
#include <optional>
#include <vector>

#include "controls/form.h"
#include "platform/window_manager.h"

namespace quillby {

// A window manager for tests: records what the program asks of it and answers
// with the place and resolution the test has set.
class MemoryWindowManager final : public WindowManager {
 public:
  struct TopmostCall {
    WindowId window = 0;
    bool topmost = false;
    bool operator==(const TopmostCall&) const = default;
  };

  double twipsX = 15;
  double twipsY = 15;
  std::map<WindowId, PixelPoint> positions;  // a window not here has none
  std::vector<TopmostCall> topmostCalls;
  std::vector<WindowId> drags;

  double twipsPerPixelX() const override { return twipsX; }
  double twipsPerPixelY() const override { return twipsY; }
  void setTopmost(WindowId window, bool topmost) override {
    topmostCalls.push_back({window, topmost});
  }
  void beginWindowDrag(WindowId window) override { drags.push_back(window); }
  std::optional<PixelPoint> normalPosition(WindowId window) const override {
    auto it = positions.find(window);
    if (it == positions.end()) return std::nullopt;
    return it->second;
  }

  // Whether the last request for this window made it topmost.
  bool isTopmost(WindowId window) const {
    for (auto it = topmostCalls.rbegin(); it != topmostCalls.rend(); ++it) {
      if (it->window == window) return it->topmost;
    }
    return false;
  }
};

// Gives an in-memory form a window id of its own, so that a test can tell two
// windows apart in the calls above.
class MemoryFormPeer final : public FormPeer {
 public:
  explicit MemoryFormPeer(WindowId id) : id_(id) {}
  void showVisible(bool visible) override { visible_ = visible; }
  bool isVisible() const override { return visible_; }
  void moveTo(double, double) override {}
  void refresh() override { ++refreshes; }
  WindowId windowId() const override { return id_; }

  int refreshes = 0;

 private:
  WindowId id_;
  bool visible_ = false;
};

}  // namespace quillby

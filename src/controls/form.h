#pragma once

#include <functional>
#include <memory>

#include "platform/window_manager.h"

namespace quillby {

// The window-system side of a top-level window.
class FormPeer {
 public:
  virtual ~FormPeer() = default;
  virtual void showVisible(bool visible) = 0;
  virtual bool isVisible() const = 0;
  virtual void moveTo(double leftTwips, double topTwips) = 0;
  virtual void refresh() = 0;
  virtual WindowId windowId() const = 0;
};

// A top-level window. Without a peer it lives in memory only, as in tests.
class Form {
 public:
  void attach(std::unique_ptr<FormPeer> peer) { peer_ = std::move(peer); }

  // Showing and hiding always reach the window: the window manager may have
  // shown it behind the program's back (keeping it in front does).
  void show();
  void hide();
  bool visible() const;

  // Left and top edge in twips; the size stays as it is.
  void move(double leftTwips, double topTwips);
  // Where the program last moved the window. The user may have moved it
  // since; the window manager knows where it really is.
  double movedLeft() const { return left_; }
  double movedTop() const { return top_; }

  void setClientSize(int widthTwips, int heightTwips);
  int clientWidth() const { return clientWidth_; }
  int clientHeight() const { return clientHeight_; }

  // Draws pending changes now, for handlers that hold the user interface
  // for a while and still want their labels seen.
  void refresh();

  WindowId windowId() const { return peer_ ? peer_->windowId() : 0; }

  void userMouseDown();  // a button pressed on the window's body
  // The window manager asks to close the window; it stays open unless the
  // handler does something about it.
  void userClosed();
  std::function<void()> onMouseDown;
  std::function<void()> onClose;

 private:
  std::unique_ptr<FormPeer> peer_;
  bool visible_ = false;
  double left_ = 0;
  double top_ = 0;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
};

}  // namespace quillby

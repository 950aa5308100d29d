#pragma once

#include <functional>
#include <utility>

#include "model/app_title.h"
#include "model/text.h"
#include "platform/window_manager.h"

namespace quillby {

enum class DialogButtons { Ok, OkCancel };
enum class DialogIcon { None, Exclamation, Critical, Information };
enum class DialogAnswer { Ok, Cancel };

struct DialogRequest {
  Text text;
  Text title;
  DialogButtons buttons = DialogButtons::Ok;
  DialogIcon icon = DialogIcon::None;
  int defaultButton = 1;  // 1: the first button, 2: the second
  // The window whose action raised the box, which it holds until answered;
  // 0: none, and the box holds every window of the program.
  WindowId owner = 0;
};

// A box that tells of a failure, with the program's title and an OK button.
inline DialogRequest problemBox(Text text) {
  return {std::move(text), kAppTitle, DialogButtons::Ok, DialogIcon::Exclamation, 1};
}

// Modal message boxes. Closing a box counts as Cancel.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual DialogAnswer show(const DialogRequest& request) = 0;
};

// The boxes of one window: each is owned by that window unless the request
// names its owner already. The window is asked for at every box, since it may
// be made after these.
class WindowDialogs final : public Dialogs {
 public:
  WindowDialogs(Dialogs& system, std::function<WindowId()> window)
      : system_(system), window_(std::move(window)) {}

  DialogAnswer show(const DialogRequest& request) override {
    DialogRequest owned = request;
    if (!owned.owner) owned.owner = window_();
    return system_.show(owned);
  }

 private:
  Dialogs& system_;
  std::function<WindowId()> window_;
};

}  // namespace quillby

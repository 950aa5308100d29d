#pragma once

#include "model/text.h"

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
};

// Modal message boxes. Closing a box counts as Cancel.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual DialogAnswer show(const DialogRequest& request) = 0;
};

}  // namespace quillby

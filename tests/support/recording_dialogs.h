#pragma once

#include <deque>
#include <vector>

#include "platform/dialogs.h"

namespace quillby {

// Answers message boxes from a script (OK when the script runs out) and keeps
// every box it was shown.
class RecordingDialogs final : public Dialogs {
 public:
  DialogAnswer show(const DialogRequest& request) override {
    shown.push_back(request);
    if (answers.empty()) return DialogAnswer::Ok;
    const DialogAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::deque<DialogAnswer> answers;
  std::vector<DialogRequest> shown;
};

}  // namespace quillby

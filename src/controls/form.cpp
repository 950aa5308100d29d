#include "controls/form.h"

namespace quillby {

void Form::show() {
  visible_ = true;
  if (peer_) peer_->showVisible(true);
}

void Form::hide() {
  visible_ = false;
  if (peer_) peer_->showVisible(false);
}

bool Form::visible() const { return peer_ ? peer_->isVisible() : visible_; }

void Form::move(double leftTwips, double topTwips) {
  left_ = leftTwips;
  top_ = topTwips;
  if (peer_) peer_->moveTo(leftTwips, topTwips);
}

void Form::setClientSize(int widthTwips, int heightTwips) {
  clientWidth_ = widthTwips;
  clientHeight_ = heightTwips;
}

void Form::refresh() {
  if (peer_) peer_->refresh();
}

void Form::userMouseDown() {
  if (onMouseDown) onMouseDown();
}

void Form::userClosed() {
  if (onClose) onClose();
}

}  // namespace quillby

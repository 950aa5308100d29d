#include "controls/controls.h"

#include <utility>

namespace quillby {
namespace {

// Runs an event if a handler is connected. The handler may re-enter the
// control that raised it; callers update their state first.
template <class... Args>
void raise(const std::function<void(Args...)>& event, Args... args) {
  if (event) event(args...);
}

}  // namespace

void TextBox::setText(Text text) {
  if (text == text_) return;
  text_ = std::move(text);
  if (peer()) peer()->showText(text_);
  raise(onChange);
}

void TextBox::userEdited(Text text) {
  if (text == text_) return;
  text_ = std::move(text);
  raise(onChange);
}

void ListBox::setListIndex(int index) {
  if (index < -1 || index >= listCount() || index == index_) return;
  index_ = index;
  if (peer()) peer()->showListIndex(index_);
  raise(onClick);
}

void ListBox::addItem(Text text) { insertItem(listCount(), std::move(text)); }

void ListBox::insertItem(int index, Text text) {
  if (index < 0 || index > listCount()) return;
  lines_.insert(lines_.begin() + index, std::move(text));
  if (index_ >= index) ++index_;
  if (peer()) {
    peer()->insertLine(index, lines_[static_cast<std::size_t>(index)]);
    peer()->showListIndex(index_);
  }
}

void ListBox::removeItem(int index) {
  if (index < 0 || index >= listCount()) return;
  lines_.erase(lines_.begin() + index);
  if (index_ == index) {
    index_ = -1;
  } else if (index_ > index) {
    --index_;
  }
  if (peer()) {
    peer()->removeLine(index);
    peer()->showListIndex(index_);
  }
}

void ListBox::setLine(int index, Text text) {
  if (index < 0 || index >= listCount()) return;
  auto& line = lines_[static_cast<std::size_t>(index)];
  if (line == text) return;
  line = std::move(text);
  if (peer()) peer()->replaceLine(index, line);
}

void ListBox::setLines(std::vector<Text> lines) {
  lines_ = std::move(lines);
  index_ = -1;
  if (peer()) peer()->showLines(lines_);
}

void ListBox::userSelected(int index) {
  if (index < -1 || index >= listCount() || index == index_) return;
  index_ = index;
  raise(onClick);
}

void ListBox::userDoubleClicked() { raise(onDblClick); }

void ListBox::userPressedKey(char16_t keyAscii) { raise(onKeyPress, keyAscii); }

void CheckBox::setValue(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (peer()) peer()->showChecked(checked_);
  raise(onClick);
}

void CheckBox::userClicked() { setValue(!checked_); }

void Button::userClicked() { raise(onClick); }

void Label::setCaption(Text caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  if (peer()) peer()->showText(caption_);
}

void Label::userClicked() { raise(onClick); }

void Label::userMouseDown() { raise(onMouseDown); }

}  // namespace quillby

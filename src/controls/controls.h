#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "model/text.h"

namespace quillby {

// Positions and sizes as the layout tables give them, in twips.
struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// The window-system side of one control. Controls hold their own state and
// keep the event rules; a peer only mirrors that state into a real control.
// Without a peer a control is the in-memory backend tests use.
class ControlPeer {
 public:
  virtual ~ControlPeer() = default;
  virtual void showText(const Text&) {}
  virtual void showChecked(bool) {}
  virtual void showListIndex(int) {}
  virtual void insertLine(int /*index*/, const Text&) {}
  virtual void removeLine(int /*index*/) {}
  virtual void replaceLine(int /*index*/, const Text&) {}
  virtual void showLines(const std::vector<Text>&) {}
};

class Control {
 public:
  virtual ~Control() = default;
  void attach(std::unique_ptr<ControlPeer> peer) { peer_ = std::move(peer); }

 protected:
  ControlPeer* peer() const { return peer_.get(); }

 private:
  std::unique_ptr<ControlPeer> peer_;
};

// Event rules, for every control below:
//  - a change made by the program raises the change or click event
//    synchronously, before the setter returns;
//  - setting a value that is already there raises nothing.
// The user's own changes arrive through the user* members, which the Win32
// backend calls from its notifications and tests call directly.

class TextBox : public Control {
 public:
  const Text& text() const { return text_; }
  void setText(Text text);
  void userEdited(Text text);  // the box already shows it
  std::function<void()> onChange;

 private:
  Text text_;
};

class ListBox : public Control {
 public:
  int listIndex() const { return index_; }  // -1: no line selected
  // Raises onClick when it changes; an index that is neither -1 nor a line
  // is ignored.
  void setListIndex(int index);
  int listCount() const { return static_cast<int>(lines_.size()); }
  const Text& line(int index) const { return lines_.at(static_cast<std::size_t>(index)); }

  const std::vector<Text>& lines() const { return lines_; }

  // Line edits never raise events. Removing the selected line leaves no line
  // selected; lines before it move the selection with them. Indexes outside
  // the list are ignored (insertItem takes 0 to listCount()).
  void addItem(Text text);
  void insertItem(int index, Text text);
  void removeItem(int index);
  void setLine(int index, Text text);      // keeps the selection where it is
  void setLines(std::vector<Text> lines);  // replaces them all; none selected

  void userSelected(int index);  // the list already shows it
  void userDoubleClicked();
  void userPressedKey(char16_t keyAscii);

  std::function<void()> onClick;
  std::function<void()> onDblClick;
  std::function<void(char16_t)> onKeyPress;

 private:
  std::vector<Text> lines_;
  int index_ = -1;
};

class CheckBox : public Control {
 public:
  bool value() const { return checked_; }
  void setValue(bool checked);  // raises onClick when it changes
  void userClicked();           // toggles, then onClick
  std::function<void()> onClick;

 private:
  bool checked_ = false;
};

class Button : public Control {
 public:
  void userClicked();
  std::function<void()> onClick;
};

class Label : public Control {
 public:
  const Text& caption() const { return caption_; }
  void setCaption(Text caption);
  void userClicked();
  void userMouseDown();
  std::function<void()> onClick;
  std::function<void()> onMouseDown;

 private:
  Text caption_;
};

}  // namespace quillby

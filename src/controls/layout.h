#pragma once

#include <string_view>
#include <variant>
#include <vector>

#include "controls/controls.h"
#include "controls/form.h"
#include "model/text.h"

namespace quillby {

// Which control a layout line creates, and the object that stands for it.
using ControlRef = std::variant<Label*, ListBox*, TextBox*, Button*, CheckBox*>;

struct FontSpec {
  Text face{};        // empty: the window's default font
  double points = 0;  // 0: the default size
  bool isDefault() const { return face.empty(); }
};

// One control as the window is designed: the design text is a label's or a
// button's caption and a text box's content before the program fills it.
struct ControlLayout {
  std::string_view name{};
  ControlRef control{};
  Text text{};
  TwipsRect rect{};
  FontSpec font{};
  bool readOnly = false;
  bool shaded = false;  // light three-dimensional background
  bool rightAligned = false;
  bool multiLine = false;
  int maxLength = 0;  // 0: no limit of its own
  bool imeOff = false;
  // A label: the control it names, for screen readers as for the eye.
  std::string_view labelFor{};
};

enum class FrameStyle {
  Sizable,     // title bar, control menu, minimize and maximize buttons
  ThinBorder,  // one thin line: no title bar, nothing to click but the body
};

struct WindowLayout {
  std::u16string_view windowClass{};  // one per window
  Text caption{};
  // What screen readers and the taskbar call a window whose caption is empty.
  Text accessibleName{};
  int clientWidth = 0;  // twips
  int clientHeight = 0;
  FrameStyle frame = FrameStyle::Sizable;
  bool ownIcon = false;
  Form* form = nullptr;
  std::vector<ControlLayout> controls{};  // in tab order
};

// Puts the design texts and the client size on the controls, as they stand
// before the window is first loaded. Raises the controls' events like any
// other program change, so run it before the handlers are connected.
void applyDesign(const WindowLayout& layout);

}  // namespace quillby

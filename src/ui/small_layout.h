#pragma once

#include "controls/controls.h"
#include "controls/form.h"
#include "controls/layout.h"

namespace quillby {

// The compact window's controls, named as the window names them.
struct SmallControls {
  SmallControls() = default;
  SmallControls(const SmallControls&) = delete;  // the layout points into it
  SmallControls& operator=(const SmallControls&) = delete;

  Form form;
  Label Label1;
  ListBox List1;
  Label Label9;
  Button Command5;
  Button Command4;
  Button Command6;
  Button Command2;
  Button Command1;
  Button Command3;
  Button Command7;
  CheckBox Check1;
  Label Label10;
  CheckBox Check2;
  Label Label2;
  Button expand;
};

// The compact window as designed, its controls in tab order.
WindowLayout smallLayout(SmallControls& controls);

}  // namespace quillby

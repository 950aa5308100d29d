#pragma once

#include "controls/controls.h"
#include "controls/form.h"
#include "controls/layout.h"

namespace quillby {

// The main window's controls, named as the window names them.
struct MainControls {
  MainControls() = default;
  MainControls(const MainControls&) = delete;  // the layout points into it
  MainControls& operator=(const MainControls&) = delete;

  Form form;
  Label Label1;
  ListBox List1;
  Button Up;
  Button Down;
  Label Label2;
  TextBox txtName;
  Label Label3;
  TextBox txtNum;
  Label Label4;
  TextBox txtAddress;
  Label Label5;
  TextBox txtPetName;
  Label Label6;
  TextBox txtPetKind;
  Label Label7;
  TextBox txtMemo;
  Label Label8;
  Label Label9;
  Button Command1;
  Button Command4;
  Button Command5;
  Button Add;
  Button Command2;
  Button Command6;
  Button end;
  Button Del;
  CheckBox Check1;
  Label Label10;
  CheckBox Check2;
  Label Label11;
  CheckBox Check3;
  Label Label12;
  Button shrink;
};

// The main window as designed, its controls in tab order.
WindowLayout mainLayout(MainControls& controls);

}  // namespace quillby

#include "controls/layout.h"

namespace quillby {
namespace {

struct DesignText {
  const Text& text;
  void operator()(Label* label) const { label->setCaption(text); }
  void operator()(TextBox* box) const { box->setText(text); }
  // Lists and check boxes start empty; a button's caption lives in the window.
  void operator()(ListBox*) const {}
  void operator()(Button*) const {}
  void operator()(CheckBox*) const {}
};

}  // namespace

void applyDesign(const WindowLayout& layout) {
  if (layout.form) layout.form->setClientSize(layout.clientWidth, layout.clientHeight);
  for (const auto& c : layout.controls) std::visit(DesignText{c.text}, c.control);
}

}  // namespace quillby

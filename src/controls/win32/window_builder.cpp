#include "controls/win32/window_builder.h"

// clang-format off
#include <windows.h>
#include <imm.h>  // needs windows.h first
// clang-format on

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "controls/win32/control_peers.h"
#include "controls/win32/form_window.h"
#include "platform/win32/win32_text.h"

namespace quillby {
namespace {

// Creates one child control and puts its peer on the portable control. `name`
// is the text of the label that names it.
class ChildMaker {
 public:
  ChildMaker(const ControlLayout& layout, const Text& name, HWND parent, int id, ScreenScale scale)
      : c_(layout), name_(name), parent_(parent), id_(id), scale_(scale) {}

  HWND operator()(Label* label) const {
    HWND h = make(L"STATIC", SS_LEFT | SS_NOTIFY, 0, label->caption());
    if (h) label->attach(std::make_unique<LabelPeer>(h, *label));
    return h;
  }

  HWND operator()(ListBox* list) const {
    HWND h = make(L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                  WS_EX_CLIENTEDGE, name_);
    if (!h) return nullptr;
    auto peer = std::make_unique<ListPeer>(h, *list);
    peer->showLines(list->lines());
    peer->showListIndex(list->listIndex());
    list->attach(std::move(peer));
    return h;
  }

  HWND operator()(TextBox* box) const {
    DWORD style = WS_TABSTOP | (c_.rightAligned ? ES_RIGHT : ES_LEFT);
    style |=
        c_.multiLine ? ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL : ES_AUTOHSCROLL;
    if (c_.readOnly) style |= ES_READONLY;
    HWND h = make(L"EDIT", style, WS_EX_CLIENTEDGE, box->text());
    if (!h) return nullptr;
    if (c_.maxLength > 0) SendMessageW(h, EM_LIMITTEXT, static_cast<WPARAM>(c_.maxLength), 0);
    if (c_.imeOff) ImmAssociateContextEx(h, nullptr, 0);
    box->attach(std::make_unique<EditPeer>(h, *box, c_.shaded));
    return h;
  }

  HWND operator()(Button* button) const {
    HWND h = make(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE, 0, c_.text);
    if (h) button->attach(std::make_unique<ButtonPeer>(h, *button));
    return h;
  }

  HWND operator()(CheckBox* box) const {
    // The box is narrower than its own mark, so its text never shows: it is
    // there as the name screen readers give a box, which is its text.
    HWND h = make(L"BUTTON", WS_TABSTOP | BS_CHECKBOX, 0, name_);
    if (!h) return nullptr;
    SendMessageW(h, BM_SETCHECK, box->value() ? BST_CHECKED : BST_UNCHECKED, 0);
    box->attach(std::make_unique<CheckPeer>(h, *box));
    return h;
  }

 private:
  HWND make(const wchar_t* windowClass, DWORD style, DWORD exStyle, const Text& text) const {
    // Edges are rounded, not sizes, so that controls that meet in twips meet
    // in pixels.
    const int left = scale_.pixelsX(c_.rect.left);
    const int top = scale_.pixelsY(c_.rect.top);
    const int right = scale_.pixelsX(c_.rect.left + c_.rect.width);
    const int bottom = scale_.pixelsY(c_.rect.top + c_.rect.height);
    // Each control is a group of its own, so that the arrow keys never move
    // the focus from one control to another, onto a label say; within a list
    // or a text box they keep their meaning.
    return CreateWindowExW(exStyle, windowClass, wide(text),
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_GROUP | style, left, top,
                           right - left, bottom - top, parent_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                           GetModuleHandleW(nullptr), nullptr);
  }

  const ControlLayout& c_;
  const Text& name_;
  HWND parent_;
  int id_;
  ScreenScale scale_;
};

bool isLabel(const ControlLayout& c) { return std::holds_alternative<Label*>(c.control); }

// The label that names the control at `at`, if one does.
std::optional<std::size_t> labelOf(const std::vector<ControlLayout>& controls, std::size_t at) {
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (isLabel(controls[i]) && !isLabel(controls[at]) &&
        controls[i].labelFor == controls[at].name) {
      return i;
    }
  }
  return std::nullopt;
}

// The z-order from the top, which is also the order of making: the tab order,
// each label just above the control it names (screen readers name a list or
// a text box after the nearest label above it), then the other labels, the
// smaller above the larger so that one placed within another (the countdown
// within the double-click hint) shows.
std::vector<std::size_t> zOrder(const std::vector<ControlLayout>& controls) {
  std::vector<std::size_t> order;
  std::vector<std::size_t> loose;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (isLabel(controls[i])) continue;
    if (const auto label = labelOf(controls, i)) order.push_back(*label);
    order.push_back(i);
  }
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (isLabel(controls[i]) && std::find(order.begin(), order.end(), i) == order.end()) {
      loose.push_back(i);
    }
  }
  std::stable_sort(loose.begin(), loose.end(), [&controls](std::size_t a, std::size_t b) {
    return controls[a].rect.width * controls[a].rect.height <
           controls[b].rect.width * controls[b].rect.height;
  });
  order.insert(order.end(), loose.begin(), loose.end());
  return order;
}

// Labels are drawn on the window itself, beneath every other control they
// overlap, and are not clicked there; wherever they stand in the z-order, the
// shape of each leaves those parts out.
void cutAwayOverlaps(HWND label, const std::vector<HWND>& others) {
  RECT own{};
  GetWindowRect(label, &own);
  HRGN shape = CreateRectRgn(0, 0, own.right - own.left, own.bottom - own.top);
  bool cut = false;
  for (const HWND other : others) {
    RECT rect{};
    RECT overlap{};
    GetWindowRect(other, &rect);
    if (!IntersectRect(&overlap, &own, &rect)) continue;
    OffsetRect(&overlap, -own.left, -own.top);
    HRGN hole = CreateRectRgnIndirect(&overlap);
    CombineRgn(shape, shape, hole, RGN_DIFF);
    DeleteObject(hole);
    cut = true;
  }
  if (!cut || !SetWindowRgn(label, shape, FALSE)) DeleteObject(shape);
}

}  // namespace

bool buildWindow(const WindowLayout& layout, ScreenScale scale) {
  auto window = FormWindow::create(layout, scale);
  if (!window) return false;
  FormWindow& form = *window;
  layout.form->attach(std::move(window));

  const auto& controls = layout.controls;
  std::vector<HWND> labels;
  std::vector<HWND> others;
  for (const std::size_t i : zOrder(controls)) {
    const int controlId = kFirstControlId + static_cast<int>(i);
    const auto label = labelOf(controls, i);
    const Text name = label ? controls[*label].text : Text{};
    HWND child = std::visit(ChildMaker(controls[i], name, form.hwnd(), controlId, scale),
                            controls[i].control);
    if (!child) return false;
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(form.fonts().get(controls[i].font)),
                 FALSE);
    (isLabel(controls[i]) ? labels : others).push_back(child);
  }
  for (const HWND label : labels) cutAwayOverlaps(label, others);
  return true;
}

}  // namespace quillby

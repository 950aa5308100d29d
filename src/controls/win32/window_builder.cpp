#include "controls/win32/window_builder.h"

// clang-format off
#include <windows.h>
#include <imm.h>  // needs windows.h first
// clang-format on

#include <algorithm>
#include <memory>
#include <numeric>
#include <vector>

#include "controls/win32/control_peers.h"
#include "controls/win32/form_window.h"
#include "platform/win32/win32_text.h"

namespace quillby {
namespace {

// Creates one child control and puts its peer on the portable control.
class ChildMaker {
 public:
  ChildMaker(const ControlLayout& layout, HWND parent, int id, ScreenScale scale)
      : c_(layout), parent_(parent), id_(id), scale_(scale) {}

  HWND operator()(Label* label) const {
    HWND h = make(L"STATIC", SS_LEFT | SS_NOTIFY, 0, label->caption());
    if (h) label->attach(std::make_unique<LabelPeer>(h, *label));
    return h;
  }

  HWND operator()(ListBox* list) const {
    HWND h = make(L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                  WS_EX_CLIENTEDGE, {});
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
    HWND h = make(L"BUTTON", WS_TABSTOP | BS_CHECKBOX, 0, {});
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
    return CreateWindowExW(
        exStyle, windowClass, wide(text), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, left,
        top, right - left, bottom - top, parent_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), GetModuleHandleW(nullptr), nullptr);
  }

  const ControlLayout& c_;
  HWND parent_;
  int id_;
  ScreenScale scale_;
};

}  // namespace

bool buildWindow(const WindowLayout& layout, ScreenScale scale) {
  auto window = FormWindow::create(layout, scale);
  if (!window) return false;
  FormWindow& form = *window;
  layout.form->attach(std::move(window));

  // Labels are drawn on the window itself, beneath every other control they
  // overlap, so they come last in the z-order; the others come in tab order.
  // Among the labels the smaller lie above, so that one placed within another
  // (the countdown within the double-click hint) shows.
  const auto& controls = layout.controls;
  std::vector<std::size_t> zOrder(controls.size());
  std::iota(zOrder.begin(), zOrder.end(), std::size_t{0});
  const auto isLabel = [&controls](std::size_t i) {
    return std::holds_alternative<Label*>(controls[i].control);
  };
  const auto labels = std::stable_partition(zOrder.begin(), zOrder.end(),
                                            [&isLabel](std::size_t i) { return !isLabel(i); });
  std::stable_sort(labels, zOrder.end(), [&controls](std::size_t a, std::size_t b) {
    return controls[a].rect.width * controls[a].rect.height <
           controls[b].rect.width * controls[b].rect.height;
  });
  for (const std::size_t i : zOrder) {
    const int controlId = kFirstControlId + static_cast<int>(i);
    HWND child =
        std::visit(ChildMaker(controls[i], form.hwnd(), controlId, scale), controls[i].control);
    if (!child) return false;
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(form.fonts().get(controls[i].font)),
                 FALSE);
  }
  return true;
}

}  // namespace quillby

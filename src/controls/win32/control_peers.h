#pragma once

#include "controls/controls.h"
#include "controls/win32/child_peer.h"

namespace quillby {

// Each peer mirrors the program's changes into its real control without the
// control reporting them back, and turns the user's actions into the
// portable control's user* calls.

class EditPeer final : public ChildPeer {
 public:
  EditPeer(HWND hwnd, TextBox& box, bool shaded);
  void showText(const Text& text) override;
  void notified(int code) override;
  HBRUSH background(HDC dc) override;

 private:
  TextBox& box_;
  bool shaded_;
  bool settingText_ = false;  // our own SetWindowTextW sends EN_CHANGE too
};

class ListPeer final : public ChildPeer {
 public:
  ListPeer(HWND hwnd, ListBox& list);
  void showListIndex(int index) override;
  void insertLine(int index, const Text& text) override;
  void removeLine(int index) override;
  void replaceLine(int index, const Text& text) override;
  void showLines(const std::vector<Text>& lines) override;
  void notified(int code) override;

 private:
  bool filter(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  ListBox& list_;
};

class ButtonPeer final : public ChildPeer {
 public:
  ButtonPeer(HWND hwnd, Button& button);
  void notified(int code) override;

 private:
  Button& button_;
};

// The box is a plain check box whose state only the program sets, so a click
// toggles the portable state and that state is what the box shows.
class CheckPeer final : public ChildPeer {
 public:
  CheckPeer(HWND hwnd, CheckBox& box);
  void showChecked(bool checked) override;
  void notified(int code) override;

 private:
  bool filter(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  CheckBox& box_;
};

class LabelPeer final : public ChildPeer {
 public:
  LabelPeer(HWND hwnd, Label& label);
  void showText(const Text& text) override;
  void notified(int code) override;

 private:
  bool filter(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  Label& label_;
};

}  // namespace quillby

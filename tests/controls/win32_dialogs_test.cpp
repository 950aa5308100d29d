#include "platform/win32/win32_dialogs.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>

namespace quillby {
namespace {

// What a message box showed, read by a second thread that then answers it.
struct BoxSeen {
  bool found = false;
  std::wstring text;
  int defaultButton = 0;
  HWND owner = nullptr;
  bool inFront = false;  // above every other window shown
};

std::thread answerBox(const wchar_t* title, WPARAM answer, BoxSeen& seen) {
  return std::thread([title, answer, &seen] {
    HWND box = nullptr;
    for (int i = 0; i < 500 && !box; ++i) {
      box = FindWindowW(L"#32770", title);
      if (!box) Sleep(10);
    }
    if (!box) return;
    seen.found = true;
    wchar_t text[256] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 256);
    seen.text = text;
    for (int id : {IDOK, IDCANCEL}) {
      const HWND button = GetDlgItem(box, id);
      if (button && (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
        seen.defaultButton = id;
      }
    }
    seen.owner = GetWindow(box, GW_OWNER);
    HWND top = GetTopWindow(nullptr);
    while (top && !IsWindowVisible(top)) top = GetWindow(top, GW_HWNDNEXT);
    seen.inFront = top == box;
    PostMessageW(box, WM_COMMAND, answer, 0);
  });
}

HWND makeWindow(const wchar_t* title) {
  return CreateWindowExW(0, L"STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 100,
                         nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

class Win32DialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_ = makeWindow(L"owner");
    SetActiveWindow(owner_);
  }
  void TearDown() override { DestroyWindow(owner_); }

  HWND owner_ = nullptr;
  Win32Dialogs dialogs_;
};

// The box goes with the window that raised it, not with whichever is active,
// and shows above every window.
TEST_F(Win32DialogsTest, TheNamedOwnerHoldsTheBoxWhichComesInFront) {
  const HWND other = makeWindow(L"other");
  SetActiveWindow(other);
  BoxSeen seen;
  auto answerer = answerBox(L"日付", IDOK, seen);
  DialogRequest request{u"日付を元に戻せませんでした。", u"日付", DialogButtons::Ok,
                        DialogIcon::Critical, 1};
  request.owner = reinterpret_cast<WindowId>(owner_);
  dialogs_.show(request);
  answerer.join();
  DestroyWindow(other);
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.owner, owner_);
  EXPECT_TRUE(seen.inFront);
}

TEST_F(Win32DialogsTest, SecondButtonAsDefaultAndOkAnswered) {
  BoxSeen seen;
  auto answerer = answerBox(L"削除の確認", IDOK, seen);
  const auto answer =
      dialogs_.show({u"削除しますか？", u"削除の確認", DialogButtons::OkCancel,
                     DialogIcon::Exclamation, 2, reinterpret_cast<WindowId>(owner_)});
  answerer.join();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(answer, DialogAnswer::Ok);
  EXPECT_EQ(seen.text, L"削除しますか？");
  EXPECT_EQ(seen.defaultButton, IDCANCEL);
  EXPECT_EQ(seen.owner, owner_);
}

TEST_F(Win32DialogsTest, CancelAnsweredWithFirstButtonDefault) {
  BoxSeen seen;
  auto answerer = answerBox(L"確認", IDCANCEL, seen);
  const auto answer = dialogs_.show(
      {u"続けますか？", u"確認", DialogButtons::OkCancel, DialogIcon::Information, 1});
  answerer.join();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(answer, DialogAnswer::Cancel);
  EXPECT_EQ(seen.defaultButton, IDOK);
}

TEST_F(Win32DialogsTest, OkOnlyBox) {
  BoxSeen seen;
  auto answerer = answerBox(L"お知らせ", IDOK, seen);
  const auto answer = dialogs_.show(
      {u"セーブできませんでした。", u"お知らせ", DialogButtons::Ok, DialogIcon::Critical, 1});
  answerer.join();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(answer, DialogAnswer::Ok);
  EXPECT_EQ(seen.text, L"セーブできませんでした。");
}

}  // namespace
}  // namespace quillby

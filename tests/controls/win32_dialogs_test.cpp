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
    PostMessageW(box, WM_COMMAND, answer, 0);
  });
}

class Win32DialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200,
                             100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetActiveWindow(owner_);
  }
  void TearDown() override { DestroyWindow(owner_); }

  HWND owner_ = nullptr;
  Win32Dialogs dialogs_;
};

TEST_F(Win32DialogsTest, SecondButtonAsDefaultAndOkAnswered) {
  BoxSeen seen;
  auto answerer = answerBox(L"削除の確認", IDOK, seen);
  const auto answer = dialogs_.show(
      {u"削除しますか？", u"削除の確認", DialogButtons::OkCancel, DialogIcon::Exclamation, 2});
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

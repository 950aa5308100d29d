#include "platform/win32/win32_dialogs.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "support_win32/box_answerer.h"

namespace quillby {
namespace {

using test::BoxAnswerer;

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
  BoxAnswerer answerer(L"日付", IDOK);
  DialogRequest request{u"日付を元に戻せませんでした。", u"日付", DialogButtons::Ok,
                        DialogIcon::Critical, 1};
  request.owner = reinterpret_cast<WindowId>(owner_);
  dialogs_.show(request);
  const bool answered = answerer.finish();
  DestroyWindow(other);
  ASSERT_TRUE(answered);
  EXPECT_EQ(answerer.seen().owner, owner_);
  EXPECT_TRUE(answerer.seen().inFront);
}

TEST_F(Win32DialogsTest, SecondButtonAsDefaultAndOkAnswered) {
  BoxAnswerer answerer(L"削除の確認", IDOK);
  const auto answer =
      dialogs_.show({u"削除しますか？", u"削除の確認", DialogButtons::OkCancel,
                     DialogIcon::Exclamation, 2, reinterpret_cast<WindowId>(owner_)});
  ASSERT_TRUE(answerer.finish());
  EXPECT_EQ(answer, DialogAnswer::Ok);
  EXPECT_EQ(answerer.seen().text, L"削除しますか？");
  EXPECT_EQ(answerer.seen().defaultButton, IDCANCEL);
  EXPECT_EQ(answerer.seen().owner, owner_);
}

TEST_F(Win32DialogsTest, CancelAnsweredWithFirstButtonDefault) {
  BoxAnswerer answerer(L"確認", IDCANCEL);
  const auto answer = dialogs_.show(
      {u"続けますか？", u"確認", DialogButtons::OkCancel, DialogIcon::Information, 1});
  ASSERT_TRUE(answerer.finish());
  EXPECT_EQ(answer, DialogAnswer::Cancel);
  EXPECT_EQ(answerer.seen().defaultButton, IDOK);
}

TEST_F(Win32DialogsTest, OkOnlyBox) {
  BoxAnswerer answerer(L"お知らせ", IDOK);
  const auto answer = dialogs_.show(
      {u"セーブできませんでした。", u"お知らせ", DialogButtons::Ok, DialogIcon::Critical, 1});
  ASSERT_TRUE(answerer.finish());
  EXPECT_EQ(answer, DialogAnswer::Ok);
  EXPECT_EQ(answerer.seen().text, L"セーブできませんでした。");
}

}  // namespace
}  // namespace quillby

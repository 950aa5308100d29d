// The window's host buttons and its mail to a friend, pressed in the real
// window while it is in front, as the stand-in host logs the keys.
#include <gmock/gmock.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "main_window_win32/live_main_window.h"
#include "support_win32/real_mouse.h"

namespace quillby::test {
namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using namespace std::chrono_literals;

class LiveHostKeys : public LiveMainWindow {
 protected:
  void SetUp() override {
    f.put(kBookFile, bookOf({friendRow(u"あきこ"), friendRow(u"ひろし")}, f.charset));
    ASSERT_TRUE(start());
    ASSERT_TRUE(startHost());  // the host is running before any button
  }

  // What the host got while `act` ran with the window in front, as the user
  // works it. No box may come up.
  std::vector<std::string> keysOf(const std::function<void()>& act) {
    EXPECT_TRUE(bringToFront(window()));
    const std::size_t before = standinKeys(f.folder.path()).size();
    BoxAnswerer question(L"メールチェックをしようとしています", IDCANCEL);
    withoutBox(act);
    EXPECT_FALSE(question.finish());
    return standinKeys(f.folder.path(), before);
  }

  // The host's window beside ours, so that the mouse over ours is over ours
  // alone.
  void hostBeside() const {
    RECT ours{};
    GetWindowRect(window(), &ours);
    SetWindowPos(FindWindowW(nullptr, kStandinTitle), nullptr, ours.right + 8, ours.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  POINT onLine(int index) const {
    RECT line{};
    SendMessageW(list(), LB_GETITEMRECT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&line));
    return onScreen(list(), {line.left + 4, (line.top + line.bottom) / 2});
  }

  // A new mail ("%(FN)"), the address typed as it is, then Tab.
  void expectMailTo(const std::vector<std::string>& keys, const Text& address) {
    const std::vector<std::string> head = altCapitalKeys('F', 'N');
    const std::vector<std::string> tail = tabKeys();
    ASSERT_GT(keys.size(), head.size() + tail.size());
    EXPECT_THAT(std::vector(keys.begin(), keys.begin() + std::ssize(head)), ElementsAreArray(head));
    EXPECT_THAT(std::vector(keys.end() - std::ssize(tail), keys.end()), ElementsAreArray(tail));
    const std::vector typing(keys.begin() + std::ssize(head), keys.end() - std::ssize(tail));
    EXPECT_EQ(typedText(typing), address);
    for (const std::string& line : typing) {
      EXPECT_EQ(line.find("alt"), std::string::npos) << line;
      EXPECT_EQ(line.find("ctrl"), std::string::npos) << line;
    }
  }
};

TEST_F(LiveHostKeys, EachButtonTypesExactlyItsKeysAfterTheActivation) {
  press("Check3");  // no connection hint, so the mail check asks nothing
  ASSERT_TRUE(ticked(control("Check3")));
  struct Row {
    const char* button;
    std::vector<std::string> keys;
  };
  // The two Alt+Down go to the window in front, ours, before the host is
  // activated; the host gets the command's keys alone.
  const Row rows[] = {
      {"Command4", altCapitalKeys('F', 'M')},
      {"Command5", altCapitalKeys('F', 'L')},
      {"Command6", ctrlKeys('H')},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.button);
    EXPECT_THAT(keysOf([&] { press(row.button); }), ElementsAreArray(row.keys));
  }
}

TEST_F(LiveHostKeys, DoubleClickAndEnterMailTheFriendAtTheEditedAddress) {
  clickLine(1);
  typeOver("txtAddress", u"hiromi_2@example.jp");  // not saved

  expectMailTo(keysOf([&] { doubleClickLine(1); }), u"hiromi_2@example.jp");
  expectMailTo(keysOf([&] {
                 SetFocus(list());
                 pressKey(list(), VK_RETURN);
               }),
               u"hiromi_2@example.jp");
  EXPECT_THAT(keysOf([&] {
                SetFocus(list());
                pressKey(list(), 'A');
                pressKey(list(), VK_SPACE);
              }),
              IsEmpty());
  EXPECT_EQ(selection(), 1);
}

// As a person double-clicks: each release about 90 ms after its press, the
// second while the address is being typed. Records how long after the second
// release the Tab arrived (0 when it came first).
TEST_F(LiveHostKeys, ADoubleClickReleasedWhileTheAddressIsTypedMailsTheWholeAddress) {
  const Text address = u"hiromi.tanaka.from.the.second.floor.office@mail.example.co.jp";
  clickLine(1);
  typeOver("txtAddress", address);
  hostBeside();
  const POINT at = onLine(1);
  const auto tabArrived = [this] {
    return std::ranges::count(standinKeys(f.folder.path()), tabKeys().front()) > 0;
  };
  std::chrono::duration<double, std::milli> tabAfterRelease{};
  expectMailTo(keysOf([&] {
                 std::atomic<bool> released = false;
                 std::thread hand([&] {
                   sendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, at);
                   for (int press = 0; press < 2; ++press) {
                     sendMouse(MOUSEEVENTF_LEFTDOWN);
                     Sleep(90);
                     sendMouse(MOUSEEVENTF_LEFTUP);
                     if (press == 0) Sleep(40);
                   }
                   const auto letGo = std::chrono::steady_clock::now();
                   while (!tabArrived() && std::chrono::steady_clock::now() - letGo < 10s) Sleep(1);
                   tabAfterRelease = std::chrono::steady_clock::now() - letGo;
                   released = true;
                 });
                 EXPECT_TRUE(pumpUntil([&] { return released.load(); }));
                 hand.join();
                 pumpMessages();
               }),
               address);
  RecordProperty("release_to_tab_ms", static_cast<int>(tabAfterRelease.count()));
}

TEST_F(LiveHostKeys, ACommandTypesItsKeysWhileTheMouseMovesOverTheWindow) {
  press("Check3");
  hostBeside();
  const POINT a = onLine(0);
  EXPECT_THAT(keysOf([&] {
                const MovingMouse moving(a, {a.x + 20, a.y + 6});
                Sleep(20);
                press("Command5");
              }),
              ElementsAreArray(altCapitalKeys('F', 'L')));
}

}  // namespace
}  // namespace quillby::test

// Where a window goes whose stored place would leave it out of reach.
#include "platform/on_screen.h"

#include <gtest/gtest.h>

namespace quillby {
namespace {

constexpr PixelRect kScreen{0, 0, 1280, 994};  // 1280 x 1024 above a 30-pixel taskbar
constexpr PixelRect kRightScreen{1280, 0, 2560, 1024};

PixelRect windowAt(int left, int top) { return {left, top, left + 300, top + 400}; }

TEST(OnScreenPlace, AWindowWhoseTopCanBeTakenHoldOfStaysWhereItIs) {
  for (const PixelRect& window : {windowAt(20, 20), windowAt(1080, 600), windowAt(-180, 0),
                                  windowAt(500, 974), windowAt(1500, 20)}) {
    EXPECT_FALSE(onScreenPlace(window, {kScreen, kRightScreen}, kScreen))
        << window.left << "," << window.top;
  }
}

TEST(OnScreenPlace, OtherwiseItGoesWhollyOntoTheNearestWorkArea) {
  struct Case {
    PixelRect window;
    PixelPoint place;
  };
  for (const Case& c : {
           Case{windowAt(2000, 20), {980, 20}},  // 30000 twips: a monitor that is gone
           Case{windowAt(1181, 20), {980, 20}},  // less than a third across
           Case{windowAt(-300, -500), {0, 0}},
           Case{windowAt(500, -1), {500, 0}},  // the top just above the screen
           Case{windowAt(500, 975), {500, 594}},
           Case{{3000, 100, 4900, 2000}, {0, 0}},  // larger than the area
       }) {
    const auto place = onScreenPlace(c.window, {kScreen}, kScreen).value_or(PixelPoint{-1, -1});
    EXPECT_EQ(place.left, c.place.left) << c.window.left << "," << c.window.top;
    EXPECT_EQ(place.top, c.place.top) << c.window.left << "," << c.window.top;
  }
}

}  // namespace
}  // namespace quillby

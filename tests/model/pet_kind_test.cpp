#include "model/pet_kind.h"

#include <gtest/gtest.h>

namespace quillby {
namespace {

TEST(PetKind, NamedCodesRoundTripAndOthersHaveNoName) {
  for (int code = 0; code < 256; ++code) {
    auto name = kindName(static_cast<std::uint8_t>(code));
    if (name) {
      EXPECT_EQ(kindCode(*name), code);
    } else {
      EXPECT_TRUE(code == 0 || code == 5 || code >= 10) << code;
    }
  }
  EXPECT_EQ(*kindName(9), u"イヌ");
}

TEST(PetKind, CodeOfNameIsExact) {
  EXPECT_EQ(kindCode(u""), 0);
  EXPECT_EQ(kindCode(u"イヌ "), 0);  // trailing blank
  EXPECT_EQ(kindCode(u"ｲﾇ"), 0);     // half-width
  EXPECT_EQ(kindCode(u"ハムスター"), 7);
}

}  // namespace
}  // namespace quillby

#include "host/single_text.h"

#include <gtest/gtest.h>

#include "host/host_fakes.h"

namespace quillby {
namespace {

TEST(SingleToText, SignPositionSevenDigitsNoLeadingZero) {
  struct Case {
    float value;
    const char* text;
  };
  const Case cases[] = {
      {19.9921875f, " 19.99219"},  // rounded to seven significant digits
      {9.98046875f, " 9.980469"},
      {0.7421875f, " .7421875"},
      {-0.03125f, "-.03125"},
      {20.0f, " 20"},
      {-1.5f, "-1.5"},
      {0.0f, " 0"},
      {-0.0f, " 0"},
      {0.0001f, " .0001"},
      {0.00001f, " 1E-05"},
      {1234567.0f, " 1234567"},
      {12345678.0f, " 1.234568E+07"},
      {-1e7f, "-1E+07"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(utf8(singleToText(c.value)), c.text);
  }
}

}  // namespace
}  // namespace quillby

#include "controls/win32/font_faces.h"

#include <gtest/gtest.h>

#include <set>

namespace quillby {
namespace {

// Which face stands in for each designed one, on machines with these faces.
TEST(InstalledFace, DesignedFaceElseEnglishNameElseFirstLikeFace) {
  struct Case {
    const char* machine;
    std::set<TextView> installed;
    Text proportional;  // for "ＭＳ Ｐゴシック"
    Text fixedPitch;    // for "ＭＳ ゴシック"
  };
  const Case cases[] = {
      {"Japanese Windows",
       {u"ＭＳ Ｐゴシック", u"ＭＳ ゴシック", u"MS PGothic", u"Meiryo UI"},
       u"ＭＳ Ｐゴシック",
       u"ＭＳ ゴシック"},
      {"Windows in English with Japanese fonts",
       {u"MS PGothic", u"MS Gothic", u"Meiryo UI"},
       u"MS PGothic",
       u"MS Gothic"},
      {"Windows without MS fonts",
       {u"Yu Gothic UI", u"BIZ UDGothic"},
       u"Yu Gothic UI",
       u"BIZ UDGothic"},
      {"Linux with IPA and VL fonts",
       {u"VL PGothic", u"VL Gothic", u"IPAPGothic", u"IPAGothic"},
       u"IPAPGothic",
       u"IPAGothic"},
      {"Linux with Noto only",
       {u"Noto Sans CJK JP", u"Noto Sans Mono CJK JP"},
       u"Noto Sans CJK JP",
       u"Noto Sans Mono CJK JP"},
      {"proportional faces only", {u"TakaoPGothic", u"Meiryo UI"}, u"Meiryo UI", u"ＭＳ ゴシック"},
      {"no Japanese font", {u"Tahoma", u"DejaVu Sans"}, u"ＭＳ Ｐゴシック", u"ＭＳ ゴシック"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.machine);
    const auto installed = [&c](TextView face) { return c.installed.contains(face); };
    EXPECT_EQ(installedFace(u"ＭＳ Ｐゴシック", installed), c.proportional);
    EXPECT_EQ(installedFace(u"ＭＳ ゴシック", installed), c.fixedPitch);
    EXPECT_EQ(installedFace(u"Arial", installed), u"Arial");
  }
}

}  // namespace
}  // namespace quillby

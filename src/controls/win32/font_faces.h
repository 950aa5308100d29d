#pragma once

// Which installed face stands in for one the windows were designed with. Free
// of Win32, so that the choice can be tried on any set of installed faces.
#include <array>
#include <span>

#include "controls/design_face.h"
#include "model/text.h"

namespace quillby {

namespace font_faces {

// Common Japanese faces of Windows and Linux, most like the designed ones first.
inline constexpr std::array<TextView, 7> kProportional = {
    u"Meiryo UI",  u"Yu Gothic UI", u"BIZ UDPGothic",   u"IPAPGothic",
    u"VL PGothic", u"TakaoPGothic", u"Noto Sans CJK JP"};
inline constexpr std::array<TextView, 5> kFixedPitch = {u"BIZ UDGothic", u"IPAGothic", u"VL Gothic",
                                                        u"TakaoGothic", u"Noto Sans Mono CJK JP"};

struct Designed {
  TextView face;
  TextView englishName;  // how a system in another language lists it
  std::span<const TextView> standIns;
};

inline constexpr std::array<Designed, 2> kDesigned = {{
    {kDesignFace, u"MS PGothic", kProportional},
    {u"ＭＳ ゴシック", u"MS Gothic", kFixedPitch},
}};

}  // namespace font_faces

// The face to ask for in place of `requested`: itself if installed, else its
// English name, else the first installed stand-in of the same kind
// (proportional or fixed-pitch); `requested` when none is, which leaves the
// choice to the system. Other faces are taken as asked.
template <class Installed>
Text installedFace(TextView requested, Installed&& installed) {
  for (const auto& designed : font_faces::kDesigned) {
    if (designed.face != requested) continue;
    if (installed(designed.face)) break;
    if (installed(designed.englishName)) return Text(designed.englishName);
    for (TextView standIn : designed.standIns) {
      if (installed(standIn)) return Text(standIn);
    }
    break;
  }
  return Text(requested);
}

}  // namespace quillby

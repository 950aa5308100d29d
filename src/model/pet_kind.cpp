#include "model/pet_kind.h"

#include <array>
#include <utility>

namespace quillby {
namespace {

constexpr std::array<std::pair<std::uint8_t, TextView>, 8> kKinds{{
    {1, u"テディベア"},
    {2, u"ミニウサギ"},
    {3, u"オカガメ"},
    {4, u"雑種ネコ"},
    {6, u"ひみつメカ"},
    {7, u"ハムスター"},
    {8, u"フクロペンギン"},
    {9, u"イヌ"},
}};

}  // namespace

std::optional<TextView> kindName(std::uint8_t code) {
  for (const auto& [c, name] : kKinds) {
    if (c == code) return name;
  }
  return std::nullopt;
}

std::uint8_t kindCode(TextView name) {
  for (const auto& [c, n] : kKinds) {
    if (n == name) return c;
  }
  return 0;
}

}  // namespace quillby

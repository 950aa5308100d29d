#include "host/single_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

namespace quillby {

Text singleToText(float value) {
  if (value == 0) return u" 0";  // also -0
  // Seven significant digits always fit; the result is %.7G without its sign.
  std::array<char, 32> buffer{};
  const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                     std::chars_format::general, 7);
  std::string_view digits(buffer.data(), written.ptr);
  if (digits.starts_with("0.")) digits.remove_prefix(1);

  Text out(1, value < 0 ? u'-' : u' ');
  for (char c : digits) out += c == 'e' ? u'E' : static_cast<char16_t>(c);
  return out;
}

}  // namespace quillby

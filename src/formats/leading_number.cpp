#include "formats/leading_number.h"

#include <charconv>
#include <system_error>

namespace quillby {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t skipDigits(std::string_view text, std::size_t at) {
  while (at < text.size() && isDigit(text[at])) ++at;
  return at;
}

}  // namespace

double leadingNumber(std::string_view text) {
  std::size_t at = text.find_first_not_of(" \t");
  if (at == std::string_view::npos) return 0;
  const bool negative = text[at] == '-';
  if (text[at] == '-' || text[at] == '+') ++at;
  const std::size_t start = at;
  const std::size_t wholeEnd = skipDigits(text, start);
  std::size_t end = wholeEnd;
  bool hasDigits = wholeEnd > start;
  if (end < text.size() && text[end] == '.') {
    const std::size_t fractionEnd = skipDigits(text, end + 1);
    hasDigits = hasDigits || fractionEnd > end + 1;
    end = fractionEnd;
  }
  if (!hasDigits) return 0;
  double value = 0;
  const auto [ptr, ec] = std::from_chars(text.data() + start, text.data() + end, value);
  if (ec != std::errc{}) return 0;
  return negative ? -value : value;
}

}  // namespace quillby

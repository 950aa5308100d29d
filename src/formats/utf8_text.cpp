#include "formats/utf8_text.h"

#include "formats/display_text.h"
#include "model/characters.h"

namespace quillby {
namespace {

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The length of the valid sequence at `at` and the code point it stands for;
// length 0 where none starts there.
std::pair<std::size_t, char32_t> sequenceAt(BytesView bytes, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[at + i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return {1, lead};
  std::size_t length = 0;
  char32_t point = 0;
  // The smallest code point each length may carry, so that overlong forms fail.
  char32_t least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, point = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, point = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, point = lead & 0x07, least = 0x10000;
  } else {
    return {0, 0};
  }
  if (at + length > bytes.size()) return {0, 0};
  for (std::size_t i = 1; i < length; ++i) {
    if (!isContinuation(byte(i))) return {0, 0};
    point = point << 6 | (byte(i) & 0x3F);
  }
  if (point < least || isSurrogate(point) || point > 0x10FFFF) return {0, 0};
  return {length, point};
}

}  // namespace

Utf8Text decodeUtf8(BytesView bytes) {
  Utf8Text result;
  result.text.reserve(bytes.size());
  for (std::size_t at = 0; at < bytes.size();) {
    const auto [length, point] = sequenceAt(bytes, at);
    if (length == 0) {
      result.text += kReplacementCharacter;
      result.valid = false;
      ++at;
    } else {
      appendCharacter(result.text, point);
      at += length;
    }
  }
  return result;
}

bool isUtf8(BytesView bytes) {
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t length = sequenceAt(bytes, at).first;
    if (length == 0) return false;
    at += length;
  }
  return true;
}

}  // namespace quillby

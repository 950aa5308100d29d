#include "formats/utf16_text.h"

namespace quillby {
namespace {

constexpr BytesView kLittleEndianMark = "\xFF\xFE";
constexpr BytesView kBigEndianMark = "\xFE\xFF";

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void appendUtf8(Bytes& out, char32_t point) {
  const auto byte = [&out](char32_t bits) { out += static_cast<char>(bits); };
  if (point < 0x80) {
    byte(point);
  } else if (point < 0x800) {
    byte(0xC0 | point >> 6);
    byte(0x80 | (point & 0x3F));
  } else if (point < 0x10000) {
    byte(0xE0 | point >> 12);
    byte(0x80 | (point >> 6 & 0x3F));
    byte(0x80 | (point & 0x3F));
  } else {
    byte(0xF0 | point >> 18);
    byte(0x80 | (point >> 12 & 0x3F));
    byte(0x80 | (point >> 6 & 0x3F));
    byte(0x80 | (point & 0x3F));
  }
}

}  // namespace

std::optional<Bytes> utf16AsUtf8(BytesView file) {
  const bool little = file.starts_with(kLittleEndianMark);
  if (!little && !file.starts_with(kBigEndianMark)) return std::nullopt;
  file.remove_prefix(kLittleEndianMark.size());
  const std::size_t units = file.size() / 2;
  const auto unit = [&](std::size_t i) {
    const auto first = static_cast<unsigned char>(file[2 * i]);
    const auto second = static_cast<unsigned char>(file[2 * i + 1]);
    return static_cast<char16_t>(little ? second << 8 | first : first << 8 | second);
  };
  Bytes text;
  text.reserve(file.size() * 3 / 2);
  for (std::size_t i = 0; i < units; ++i) {
    const char16_t u = unit(i);
    if (isHighSurrogate(u) && i + 1 < units && isLowSurrogate(unit(i + 1))) {
      appendUtf8(text, 0x10000 + (char32_t{u} - 0xD800) * 0x400 + (unit(i + 1) - 0xDC00));
      ++i;
    } else if (isHighSurrogate(u) || isLowSurrogate(u)) {
      appendUtf8(text, kReplacementCharacter);
    } else {
      appendUtf8(text, u);
    }
  }
  if (file.size() % 2 != 0) appendUtf8(text, kReplacementCharacter);
  return text;
}

}  // namespace quillby

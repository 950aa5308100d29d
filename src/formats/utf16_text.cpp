#include "formats/utf16_text.h"

#include "model/characters.h"

namespace quillby {
namespace {

constexpr BytesView kLittleEndianMark = "\xFF\xFE";
constexpr BytesView kBigEndianMark = "\xFE\xFF";

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
  Text units(file.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    const auto first = static_cast<unsigned char>(file[2 * i]);
    const auto second = static_cast<unsigned char>(file[2 * i + 1]);
    units[i] = static_cast<char16_t>(little ? second << 8 | first : first << 8 | second);
  }
  Bytes text;
  text.reserve(file.size() * 3 / 2);
  for (std::size_t at = 0; at < units.size();) {
    const auto [c, length] = characterAt(units, at);
    appendUtf8(text, isSurrogate(c) ? kReplacementCharacter : c);
    at += length;
  }
  if (file.size() % 2 != 0) appendUtf8(text, kReplacementCharacter);
  return text;
}

}  // namespace quillby

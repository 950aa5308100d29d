#include "formats/single_byte_text.h"

#include "formats/display_text.h"

namespace quillby {
namespace {

constexpr unsigned char kFirstKana = 0xA1;
constexpr unsigned char kLastKana = 0xDF;
constexpr char16_t kFirstKanaCharacter = u'\uFF61';
constexpr char16_t kLastKanaCharacter = kFirstKanaCharacter + (kLastKana - kFirstKana);

}  // namespace

Text singleByteText(BytesView bytes) {
  Text text;
  text.reserve(bytes.size());
  appendSingleByteText(text, bytes);
  return text;
}

void appendSingleByteText(Text& out, BytesView bytes) {
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += static_cast<char16_t>(b);
    } else if (b >= kFirstKana && b <= kLastKana) {
      out += static_cast<char16_t>(kFirstKanaCharacter + (b - kFirstKana));
    } else {
      out += kReplacementCharacter;
    }
  }
}

std::optional<Bytes> singleByteBytes(TextView text) {
  Bytes bytes;
  bytes.reserve(text.size());
  for (char16_t c : text) {
    if (c < 0x80) {
      bytes += static_cast<char>(c);
    } else if (c >= kFirstKanaCharacter && c <= kLastKanaCharacter) {
      bytes += static_cast<char>(kFirstKana + (c - kFirstKanaCharacter));
    } else {
      return std::nullopt;
    }
  }
  return bytes;
}

}  // namespace quillby

#include "formats/display_text.h"

namespace quillby {
namespace {

bool isLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool isTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// A lead byte takes its trail byte with it only when that byte can be one, so a
// stray lead byte does not swallow the character after it.
std::size_t pieceLength(BytesView bytes, std::size_t at) {
  const bool pair = at + 1 < bytes.size() && isLeadByte(static_cast<unsigned char>(bytes[at])) &&
                    isTrailByte(static_cast<unsigned char>(bytes[at + 1]));
  return pair ? 2 : 1;
}

// Joins the pieces: a line feed is a character of its own in Shift-JIS, never
// part of a double-byte one, so the joined text splits back where they met.
constexpr char kSeparator = '\n';

// Cuts the joined text back into the pieces listed in `joined`, false if it
// does not come apart into exactly that many.
bool splitJoined(const std::optional<Text>& all, const std::vector<std::size_t>& joined,
                 std::vector<Text>& texts) {
  if (!all) return false;
  std::size_t start = 0;
  for (std::size_t i : joined) {
    const std::size_t end = all->find(static_cast<char16_t>(kSeparator), start);
    if (end == Text::npos) return false;
    texts[i] = all->substr(start, end - start);
    start = end + 1;
  }
  return start == all->size();
}

}  // namespace

Text decodeForDisplay(BytesView bytes, const Charset& charset) {
  if (auto exact = charset.toUnicode(bytes)) return std::move(*exact);
  Text shown;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t length = pieceLength(bytes, at);
    if (auto piece = charset.toUnicode(bytes.substr(at, length))) {
      shown += *piece;
    } else {
      shown += kReplacementCharacter;
    }
    at += length;
  }
  return shown;
}
std::vector<Text> decodeAllForDisplay(std::span<const BytesView> pieces, const Charset& charset) {
  std::vector<Text> texts(pieces.size());
  Bytes all;
  std::vector<std::size_t> joined;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (pieces[i].find(kSeparator) != BytesView::npos) {
      texts[i] = decodeForDisplay(pieces[i], charset);
    } else {
      all.append(pieces[i]);
      all += kSeparator;
      joined.push_back(i);
    }
  }
  if (!splitJoined(charset.toUnicode(all), joined, texts)) {
    for (std::size_t i : joined) texts[i] = decodeForDisplay(pieces[i], charset);
  }
  return texts;
}

}  // namespace quillby

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

// Finds the joined pieces listed in `joined` in the converted text, false if
// it does not come apart into exactly that many.
bool placeJoined(const Text& all, const std::vector<std::size_t>& joined,
                 std::vector<DecodedPieces::Place>& places) {
  std::size_t start = 0;
  for (std::size_t i : joined) {
    const std::size_t end = all.find(static_cast<char16_t>(kSeparator), start);
    if (end == Text::npos) return false;
    places[i] = {start, end - start};
    start = end + 1;
  }
  return start == all.size();
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
DecodedPieces decodeAllInOne(std::span<const BytesView> pieces, const Charset& charset) {
  DecodedPieces decoded;
  decoded.places.resize(pieces.size());
  Bytes all;
  std::size_t total = 0;
  for (BytesView piece : pieces) total += piece.size() + 1;
  all.reserve(total);
  std::vector<std::size_t> alone;
  std::vector<std::size_t> joined;
  joined.reserve(pieces.size());
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (pieces[i].find(kSeparator) != BytesView::npos) {
      alone.push_back(i);
    } else {
      all.append(pieces[i]);
      all += kSeparator;
      joined.push_back(i);
    }
  }
  auto converted = charset.toUnicode(all);
  if (converted && placeJoined(*converted, joined, decoded.places)) {
    decoded.text = std::move(*converted);
  } else {
    alone.insert(alone.end(), joined.begin(), joined.end());
  }
  for (std::size_t i : alone) {
    const Text shown = decodeForDisplay(pieces[i], charset);
    decoded.places[i] = {decoded.text.size(), shown.size()};
    decoded.text += shown;
  }
  return decoded;
}

std::vector<Text> decodeAllForDisplay(std::span<const BytesView> pieces, const Charset& charset) {
  const DecodedPieces decoded = decodeAllInOne(pieces, charset);
  std::vector<Text> texts;
  texts.reserve(pieces.size());
  for (std::size_t i = 0; i < pieces.size(); ++i) texts.emplace_back(decoded.piece(i));
  return texts;
}

}  // namespace quillby

#pragma once

#include <span>
#include <vector>

#include "platform/charset.h"

namespace quillby {

// Shift-JIS bytes as text to show. Bytes that decode exactly give their text;
// otherwise each character or byte without a mapping is shown as U+FFFD and
// the rest is kept, so a damaged name stays recognisable.
Text decodeForDisplay(BytesView bytes, const Charset& charset);

// Each of `pieces` as decodeForDisplay gives it, in one conversion for all that
// decode exactly: a conversion call can cost far more than a name's worth of text.
std::vector<Text> decodeAllForDisplay(std::span<const BytesView> pieces, const Charset& charset);

// The same texts in one string, with no string of each piece's own: a heap
// allocation costs more than a name's worth of work too. `text` may hold more
// than the pieces; piece i is text.substr(places[i].at, places[i].size).
struct DecodedPieces {
  struct Place {
    std::size_t at = 0;
    std::size_t size = 0;
  };
  Text text;
  std::vector<Place> places;
  TextView piece(std::size_t i) const {
    return TextView(text).substr(places[i].at, places[i].size);
  }
};
DecodedPieces decodeAllInOne(std::span<const BytesView> pieces, const Charset& charset);

}  // namespace quillby

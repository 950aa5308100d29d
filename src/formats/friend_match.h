#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "model/text.h"

namespace quillby {

// Who a friend is, as far as a file tells.
struct FriendKey {
  TextView name;
  TextView address;
  auto operator<=>(const FriendKey&) const = default;
};

// Whether a record and a friend that share neither name nor address are still
// taken to be the same for standing at the same place.
enum class PlaceAlone { Pairs, DoesNotPair };

// The record of a file that is each friend, each record used once: same name
// and address (a record at the friend's own place first); then the address
// alone, where exactly one unpaired record and one unpaired friend share it;
// then the name alone, likewise; then, if `placeAlone` pairs, the record at the
// friend's place, both still unpaired. `places[f]` is the position in the file
// that friend f was read from; none for a friend the file never had.
std::vector<std::optional<std::size_t>> matchFriends(
    const std::vector<FriendKey>& records, const std::vector<FriendKey>& friends,
    const std::vector<std::optional<std::size_t>>& places, PlaceAlone placeAlone);

}  // namespace quillby

#include "formats/friend_match.h"

#include <map>

namespace quillby {
namespace {

class Pairing {
 public:
  Pairing(std::size_t records, std::size_t friends) : used_(records), recordOf_(friends) {}

  bool usedRecord(std::size_t r) const { return used_[r]; }
  bool pairedFriend(std::size_t f) const { return recordOf_[f].has_value(); }
  void pair(std::size_t r, std::size_t f) {
    used_[r] = true;
    recordOf_[f] = r;
  }
  std::vector<std::optional<std::size_t>> result() && { return std::move(recordOf_); }

 private:
  std::vector<bool> used_;
  std::vector<std::optional<std::size_t>> recordOf_;
};

// How many unpaired entries have a key, and the last of them.
struct Tally {
  std::size_t count = 0;
  std::size_t last = 0;
};

// Pairs a record and a friend wherever they are the only unpaired ones to share
// the part of their key that `part` picks.
void pairUnique(Pairing& pairing, const std::vector<FriendKey>& records,
                const std::vector<FriendKey>& friends, TextView FriendKey::*part) {
  std::map<TextView, Tally> recordTally;
  std::map<TextView, Tally> friendTally;
  for (std::size_t r = 0; r < records.size(); ++r) {
    if (pairing.usedRecord(r)) continue;
    Tally& t = recordTally[records[r].*part];
    ++t.count;
    t.last = r;
  }
  for (std::size_t f = 0; f < friends.size(); ++f) {
    if (pairing.pairedFriend(f)) continue;
    Tally& t = friendTally[friends[f].*part];
    ++t.count;
    t.last = f;
  }
  for (const auto& [key, f] : friendTally) {
    const auto r = recordTally.find(key);
    if (f.count == 1 && r != recordTally.end() && r->second.count == 1)
      pairing.pair(r->second.last, f.last);
  }
}

}  // namespace

std::vector<std::optional<std::size_t>> matchFriends(
    const std::vector<FriendKey>& records, const std::vector<FriendKey>& friends,
    const std::vector<std::optional<std::size_t>>& places, PlaceAlone placeAlone) {
  Pairing pairing(records.size(), friends.size());
  const auto ownPlace = [&](std::size_t f) -> std::optional<std::size_t> {
    const auto place = places[f];
    if (!place || *place >= records.size() || pairing.usedRecord(*place)) return std::nullopt;
    return place;
  };

  for (std::size_t f = 0; f < friends.size(); ++f) {
    const auto place = ownPlace(f);
    if (place && records[*place] == friends[f]) pairing.pair(*place, f);
  }
  // Records of each name and address in file order, handed out front first.
  std::map<FriendKey, std::vector<std::size_t>> byKey;
  for (std::size_t r = records.size(); r-- > 0;) {
    if (!pairing.usedRecord(r)) byKey[records[r]].push_back(r);
  }
  for (std::size_t f = 0; f < friends.size(); ++f) {
    if (pairing.pairedFriend(f)) continue;
    const auto it = byKey.find(friends[f]);
    if (it == byKey.end() || it->second.empty()) continue;
    pairing.pair(it->second.back(), f);
    it->second.pop_back();
  }
  pairUnique(pairing, records, friends, &FriendKey::address);
  pairUnique(pairing, records, friends, &FriendKey::name);
  if (placeAlone == PlaceAlone::DoesNotPair) return std::move(pairing).result();
  for (std::size_t f = 0; f < friends.size(); ++f) {
    if (pairing.pairedFriend(f)) continue;
    if (const auto place = ownPlace(f)) pairing.pair(*place, f);
  }
  return std::move(pairing).result();
}

}  // namespace quillby

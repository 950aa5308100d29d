#include "host/friend_mail.h"

#include <algorithm>

#include "host/key_notation.h"

namespace quillby {
namespace {

// A control character would be pressed as a key of its own (Tab, Enter,
// Escape, Backspace, Ctrl+V ...), and a byte that did not decode was never a
// character of the address.
bool typable(TextView address) {
  return std::ranges::none_of(
      address, [](char16_t c) { return c < 0x20 || c == 0x7F || c == kReplacementCharacter; });
}

const FriendEntry* selected(const FriendTable& friends, int index) {
  return friends.contains(index) ? &friends.rows[static_cast<std::size_t>(index)] : nullptr;
}

MailOutcome refused(const FriendEntry& row) { return {std::nullopt, row.friendName}; }

}  // namespace

MailOutcome openMailToFriend(HostDriver& driver, const FriendTable& friends,
                             const std::function<int()>& listIndex) {
  const FriendEntry* row = selected(friends, listIndex());
  if (!row) return {};
  if (!typable(row->friendAddress)) return refused(*row);
  if (auto failure = driver.StartHost()) return {failure};
  if (auto failure = driver.SendHostKeys(u"%{DOWN}")) return {failure};
  if (auto failure = driver.EnterProgramFolder()) return {failure};
  if (auto failure = driver.ActivateHost()) return {failure};
  if (auto failure = driver.SendHostKeys(u"%(FN)")) return {failure};
  // The selection may have changed while PostPet was starting.
  row = selected(friends, listIndex());
  if (!row) return {};
  if (!typable(row->friendAddress)) return refused(*row);
  if (auto failure = driver.SendHostKeys(escapeKeys(row->friendAddress))) return {failure};
  return {driver.SendHostKeys(u"{TAB}")};
}

}  // namespace quillby

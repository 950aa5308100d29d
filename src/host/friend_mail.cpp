#include "host/friend_mail.h"

#include "host/key_notation.h"

namespace quillby {
namespace {

constexpr int kEnter = 13;

HostStatus runMailSequence(HostDriver& driver, const FriendTable& friends,
                           const std::function<int()>& listIndex) {
  if (auto failure = driver.StartHost()) return failure;
  if (auto failure = driver.SendHostKeys(u"%{DOWN}")) return failure;
  if (auto failure = driver.EnterProgramFolder()) return failure;
  if (auto failure = driver.ActivateHost()) return failure;
  if (auto failure = driver.SendHostKeys(u"%(FN)")) return failure;
  // The selection may have gone while PostPet was starting.
  const int index = listIndex();
  if (!friends.contains(index)) return std::nullopt;
  const Text& address = friends.rows[static_cast<std::size_t>(index)].friendAddress;
  if (auto failure = driver.SendHostKeys(escapeKeys(address))) return failure;
  return driver.SendHostKeys(u"{TAB}");
}

}  // namespace

void mailToFriend(HostDriver& driver, Dialogs& dialogs, const FriendTable& friends,
                  const std::function<int()>& listIndex) {
  if (!friends.contains(listIndex())) return;
  reportHostFailure(dialogs, runMailSequence(driver, friends, listIndex));
}

void mailToFriendKeyPress(int keyAscii, HostDriver& driver, Dialogs& dialogs,
                          const FriendTable& friends, const std::function<int()>& listIndex) {
  if (keyAscii == kEnter) mailToFriend(driver, dialogs, friends, listIndex);
}

}  // namespace quillby

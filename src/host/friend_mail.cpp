#include "host/friend_mail.h"

#include <algorithm>

#include "host/key_notation.h"

namespace quillby {
namespace {

constexpr int kEnter = 13;
constexpr char16_t kReplacementCharacter = u'\uFFFD';

// A control character would be pressed as a key of its own (Tab, Enter,
// Escape, Backspace, Ctrl+V ...), and a byte that did not decode was never a
// character of the address.
bool typable(TextView address) {
  return std::ranges::none_of(
      address, [](char16_t c) { return c < 0x20 || c == 0x7F || c == kReplacementCharacter; });
}

// True when the friend's address may be typed; otherwise the user is told.
bool checkAddress(Dialogs& dialogs, const FriendEntry& row) {
  if (typable(row.friendAddress)) return true;
  dialogs.show(problemBox(untypableAddressMessage(row.friendName)));
  return false;
}

HostStatus runMailSequence(HostDriver& driver, Dialogs& dialogs, const FriendTable& friends,
                           const std::function<int()>& listIndex) {
  if (auto failure = driver.StartHost()) return failure;
  if (auto failure = driver.SendHostKeys(u"%{DOWN}")) return failure;
  if (auto failure = driver.EnterProgramFolder()) return failure;
  if (auto failure = driver.ActivateHost()) return failure;
  if (auto failure = driver.SendHostKeys(u"%(FN)")) return failure;
  // The selection may have changed while PostPet was starting.
  const int index = listIndex();
  if (!friends.contains(index)) return std::nullopt;
  const FriendEntry& row = friends.rows[static_cast<std::size_t>(index)];
  if (!checkAddress(dialogs, row)) return std::nullopt;
  if (auto failure = driver.SendHostKeys(escapeKeys(row.friendAddress))) return failure;
  return driver.SendHostKeys(u"{TAB}");
}

}  // namespace

Text untypableAddressMessage(TextView friendName) {
  return u"「" + Text(friendName) +
         u"」のメールアドレスに、キーで入力できない文字 (制御文字か、読み取れなかった文字) "
         u"が含まれているため、メールウィンドウを開きませんでした。"
         u"メールアドレスを直してから、もう一度やり直して下さい。";
}

void mailToFriend(HostDriver& driver, Dialogs& dialogs, const FriendTable& friends,
                  const std::function<int()>& listIndex) {
  const int index = listIndex();
  if (!friends.contains(index)) return;
  if (!checkAddress(dialogs, friends.rows[static_cast<std::size_t>(index)])) return;
  reportHostFailure(dialogs, runMailSequence(driver, dialogs, friends, listIndex));
}

void mailToFriendKeyPress(int keyAscii, HostDriver& driver, Dialogs& dialogs,
                          const FriendTable& friends, const std::function<int()>& listIndex) {
  if (keyAscii == kEnter) mailToFriend(driver, dialogs, friends, listIndex);
}

}  // namespace quillby

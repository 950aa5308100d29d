#pragma once

#include <functional>

#include "host/host_driver.h"
#include "model/friend_table.h"
#include "platform/dialogs.h"

namespace quillby {

// Opens a new mail in PostPet and types the address of the friend selected in
// a window's list. `listIndex` is read as the address is about to be typed; with
// no friend selected then, or before anything was started, nothing more is done.
// An address holding a control character or an undecodable byte is refused
// with a message, before anything is started.
void mailToFriend(HostDriver& driver, Dialogs& dialogs, const FriendTable& friends,
                  const std::function<int()>& listIndex);

Text untypableAddressMessage(TextView friendName);

// A key typed in the list: Enter (13) mails the friend, other keys do nothing.
void mailToFriendKeyPress(int keyAscii, HostDriver& driver, Dialogs& dialogs,
                          const FriendTable& friends, const std::function<int()>& listIndex);

}  // namespace quillby

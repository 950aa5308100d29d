#pragma once

#include <functional>
#include <optional>

#include "host/host_driver.h"
#include "model/friend_table.h"

namespace quillby {

// How a mail to a friend ended; with neither set it was typed, or there was
// nothing to do.
struct MailOutcome {
  HostStatus host = std::nullopt;
  // The friend whose address holds a character no key can type.
  std::optional<Text> untypableAddressOf = std::nullopt;
};

// Opens a new mail in PostPet and types the address of the friend selected in
// a window's list. `listIndex` is read as the address is about to be typed; with
// no friend selected then, or before anything was started, nothing more is done.
// An address holding a control character or an undecodable byte is refused
// before anything is started.
MailOutcome openMailToFriend(HostDriver& driver, const FriendTable& friends,
                             const std::function<int()>& listIndex);

}  // namespace quillby

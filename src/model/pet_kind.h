#pragma once

#include <cstdint>
#include <optional>

#include "model/text.h"

namespace quillby {

// The host program's pet-kind code ↔ the name shown in the pet-kind box.
std::optional<TextView> kindName(std::uint8_t code);

// Exact inverse of kindName; anything else, the empty text included, is 0.
std::uint8_t kindCode(TextView name);

}  // namespace quillby

#pragma once

#include <filesystem>

#include "platform/files.h"

namespace quillby {

// True if a new entry can be made in `folder`: one is made and removed again.
bool canWriteIn(Files& files, const std::filesystem::path& folder);

}  // namespace quillby

#pragma once

#include <filesystem>

#include "platform/files.h"

namespace quillby {

// Every file lives in the program's folder, which is also made the current
// directory, as the host program is started from there.
void enterProgramFolder(Files& files);
std::filesystem::path inProgramFolder(const Files& files, const std::filesystem::path& name);

}  // namespace quillby

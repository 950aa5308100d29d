#pragma once

#include "formats/settings_file.h"
#include "platform/files.h"

namespace quillby {

// Reads "QUILLBY.INI", creating an empty one where there is none. A file that
// cannot be read gives the defaults of a missing one.
SettingsValues loadSettings(Files& files);

// Replaces "QUILLBY.INI" in one step with the record of `values`.
FileStatus storeSettings(Files& files, const SettingsValues& values);

}  // namespace quillby

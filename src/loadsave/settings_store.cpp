#include "loadsave/settings_store.h"

#include "loadsave/file_names.h"
#include "loadsave/program_folder.h"

namespace quillby {

SettingsValues loadSettings(Files& files) {
  const auto path = inProgramFolder(files, kSettingsFile);
  if (!files.exists(path)) {
    // Nothing to lose if it cannot be created: the exit writes it again.
    (void)files.writeAtomic(path, {});
    return SettingsValues{};
  }
  auto bytes = files.readAll(path);
  return bytes ? readSettings(bytes.value()) : SettingsValues{};
}

FileStatus storeSettings(Files& files, const SettingsValues& values) {
  return files.writeAtomic(inProgramFolder(files, kSettingsFile), encodeSettings(values));
}

}  // namespace quillby

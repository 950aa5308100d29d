#pragma once

#include <filesystem>

namespace quillby {

// The files beside the program, in the host program's folder.
inline const std::filesystem::path kBookFile{u8"おともだち帳"};
inline const std::filesystem::path kBackupFile{u8"おともだち帳.original"};
inline const std::filesystem::path kMemoFile{u8"Quillby.memo"};
inline const std::filesystem::path kSettingsFile{u8"QUILLBY.INI"};
// The versions that saves replaced (loadsave/backups.h).
inline const std::filesystem::path kBackupsFolder{u8"Quillby.backup"};

}  // namespace quillby

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
// A save's journal (loadsave/save_journal.h): the new memo file and friend book
// in full, the memo file as it was when a save is undone, and the marker that
// says which of them are complete.
inline const std::filesystem::path kNewMemoFile{u8"~quillby-memo.new"};
inline const std::filesystem::path kNewBookFile{u8"~quillby-book.new"};
inline const std::filesystem::path kOldMemoFile{u8"~quillby-memo.old"};
inline const std::filesystem::path kJournalFile{u8"~quillby-save.journal"};

}  // namespace quillby

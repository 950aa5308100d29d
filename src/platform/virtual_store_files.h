#pragma once

#include <filesystem>
#include <optional>
#include <span>

#include "platform/files.h"

namespace quillby {

// Where Windows keeps a program folder's files for the host program, a 32-bit
// program without a manifest: under UAC its writes to a system folder go to
// the user's VirtualStore copy of that folder, which it then reads first.
struct VirtualStore {
  std::filesystem::path base;    // the user's local application data, which exists
  std::filesystem::path folder;  // base\VirtualStore\ and the program folder without its drive
};

// The VirtualStore of `program` when it lies in one of `systemFolders`
// (Program Files, the Windows folder, ProgramData); none elsewhere.
std::optional<VirtualStore> virtualStoreOf(const std::filesystem::path& program,
                                           std::span<const std::filesystem::path> systemFolders,
                                           const std::filesystem::path& localAppData);

// The program folder's files as the host program sees them: an entry is read
// from the VirtualStore copy where there is one, else from the program folder;
// written there where there is one, or where the program folder cannot be
// written, else in the program folder; a move takes the entry that is read to
// where a change to its new name goes. Folders follow the same rule, a listing
// shows the entries of both, and a removal takes the copy that is read.
// Paths outside the program folder pass through unchanged.
class VirtualStoreFiles final : public Files {
 public:
  VirtualStoreFiles(Files& system, VirtualStore store)
      : system_(system), store_(std::move(store)) {}

  std::filesystem::path programFolder() const override;
  FileStatus setCurrentDirectory(const std::filesystem::path& folder) override;
  bool exists(const std::filesystem::path& file) const override;
  Result<Bytes, FileError> readAll(const std::filesystem::path& file) const override;
  FileStatus writeAtomic(const std::filesystem::path& file, BytesView data) override;
  // The temporary goes where the file it replaces will be written, so that its
  // move stays within one folder.
  FileStatus writeTemporary(const std::filesystem::path& file, BytesView data,
                            const std::filesystem::path& replacing) override;
  FileStatus move(const std::filesystem::path& from, const std::filesystem::path& to) override;
  FileStatus makeFolder(const std::filesystem::path& folder) override;
  Result<std::vector<std::filesystem::path>, FileError> listFolder(
      const std::filesystem::path& folder) const override;
  FileStatus remove(const std::filesystem::path& entry) override;

 private:
  // `entry`'s place in the VirtualStore; empty when it is not in the program folder.
  std::filesystem::path storeCopyOf(const std::filesystem::path& entry) const;
  bool storeHolds(const std::filesystem::path& copy) const;
  // Where `entry` is read from: its VirtualStore copy if there is one.
  std::filesystem::path readPlace(const std::filesystem::path& entry) const;
  // Where a change to `entry` goes; the VirtualStore folders it needs are made.
  // Every operation that changes a file or folder asks this.
  Result<std::filesystem::path, FileError> writePlace(const std::filesystem::path& entry);

  Files& system_;
  VirtualStore store_;
};

}  // namespace quillby

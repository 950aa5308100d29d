#pragma once

#include "platform/files.h"

namespace quillby {

// Files through the system's wide-character calls, so that Japanese names work
// whatever the system's code page.
class Win32Files final : public Files {
 public:
  // The program folder is the folder of this process's executable.
  Win32Files() = default;
  // For tests, which work in a folder of their own.
  explicit Win32Files(std::filesystem::path programFolder)
      : programFolder_(std::move(programFolder)) {}

  std::filesystem::path programFolder() const override;
  FileStatus setCurrentDirectory(const std::filesystem::path& folder) override;

  bool exists(const std::filesystem::path& file) const override;
  Result<Bytes, FileError> readAll(const std::filesystem::path& file) const override;
  FileStatus writeAtomic(const std::filesystem::path& file, BytesView data) override;
  FileStatus writeTemporary(const std::filesystem::path& file, BytesView data,
                            const std::filesystem::path& replacing) override;
  FileStatus move(const std::filesystem::path& from, const std::filesystem::path& to) override;
  FileStatus makeFolder(const std::filesystem::path& folder) override;
  Result<std::vector<std::filesystem::path>, FileError> listFolder(
      const std::filesystem::path& folder) const override;
  FileStatus remove(const std::filesystem::path& entry) override;

 private:
  std::filesystem::path programFolder_;
};

}  // namespace quillby

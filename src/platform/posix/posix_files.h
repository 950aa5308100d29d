#pragma once

#include <unistd.h>

#include <cstddef>
#include <filesystem>

#include "platform/files.h"

namespace quillby {

// The calls that put a file's data on disk; tests replace them to make a full
// disk or a failing flush happen on purpose.
struct PosixWriteCalls {
  ssize_t (*write)(int fd, const void* data, std::size_t size) = ::write;
  int (*fsync)(int fd) = ::fsync;
};

// Files on a POSIX system, for native builds and tests.
class PosixFiles final : public Files {
 public:
  // The program folder is the folder of this process's executable.
  PosixFiles();
  explicit PosixFiles(std::filesystem::path programFolder, PosixWriteCalls calls = {});

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
  PosixWriteCalls calls_;
};

}  // namespace quillby

#pragma once

#include <filesystem>
#include <utility>

#include "platform/files.h"

namespace quillby {

// The system's files, with every change inside `locked` refused as Windows
// refuses a user's writes in Program Files or on a read-only share.
class LockedFolderFiles final : public Files {
 public:
  LockedFolderFiles(Files& system, std::filesystem::path locked)
      : system_(system), locked_(std::move(locked)) {}

  std::filesystem::path programFolder() const override { return system_.programFolder(); }
  FileStatus setCurrentDirectory(const std::filesystem::path& folder) override {
    return system_.setCurrentDirectory(folder);
  }
  bool exists(const std::filesystem::path& file) const override { return system_.exists(file); }
  Result<Bytes, FileError> readAll(const std::filesystem::path& file) const override {
    return system_.readAll(file);
  }
  FileStatus writeAtomic(const std::filesystem::path& file, BytesView data) override {
    return refused(file) ? kRefusal : system_.writeAtomic(file, data);
  }
  FileStatus makeFolder(const std::filesystem::path& folder) override {
    return refused(folder) ? kRefusal : system_.makeFolder(folder);
  }
  Result<std::vector<std::filesystem::path>, FileError> listFolder(
      const std::filesystem::path& folder) const override {
    return system_.listFolder(folder);
  }
  FileStatus remove(const std::filesystem::path& entry) override {
    return refused(entry) ? kRefusal : system_.remove(entry);
  }

  bool locked = true;

 private:
  static constexpr FileError kRefusal{FileProblem::AccessDenied, 5};
  bool refused(const std::filesystem::path& entry) const {
    const std::filesystem::path inside = entry.lexically_relative(locked_);
    return locked && !inside.empty() && *inside.begin() != "..";
  }
  Files& system_;
  std::filesystem::path locked_;
};

}  // namespace quillby

#pragma once

#include <filesystem>
#include <vector>

#include "platform/files.h"

namespace quillby {

enum class FileOperation {
  ReadAll,
  WriteAtomic,
  WriteTemporary,
  Move,
  SetCurrentDirectory,
  MakeFolder,
  Remove
};

// Passes every call on to a real Files, records it, and makes chosen calls fail
// without touching anything, so that a test can break each step of a sequence.
class FaultFiles final : public Files {
 public:
  explicit FaultFiles(Files& real) : real_(real) {}

  // The `nth` call of `operation` (counted from 1 since construction) fails with
  // `error` instead of being passed on.
  void failNth(FileOperation operation, int nth, FileError error);

  struct Call {
    FileOperation operation;
    std::filesystem::path file;
    bool failed;  // by failNth
  };
  // Every call but exists, programFolder and listFolder, in order.
  const std::vector<Call>& calls() const { return calls_; }

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
  struct Fault {
    FileOperation operation;
    int nth;
    FileError error;
  };

  // Records the call; the error it is to fail with, if any.
  FileStatus record(FileOperation operation, const std::filesystem::path& file) const;

  Files& real_;
  std::vector<Fault> faults_;
  // readAll is const in Files; counting its calls is not a change a caller sees.
  mutable std::vector<Call> calls_;
};

}  // namespace quillby

#pragma once

#include <filesystem>
#include <optional>

#include "model/result.h"
#include "model/text.h"

namespace quillby {

enum class FileProblem { NotFound, AccessDenied, DiskFull, Other };

struct FileError {
  FileProblem problem = FileProblem::Other;
  long systemCode = 0;  // errno or GetLastError(), for the message
};

using FileStatus = std::optional<FileError>;  // nullopt: done

class Files {
 public:
  virtual ~Files() = default;

  // The folder of the running executable.
  virtual std::filesystem::path programFolder() const = 0;
  virtual std::filesystem::path currentDirectory() const = 0;
  virtual FileStatus setCurrentDirectory(const std::filesystem::path& folder) = 0;

  virtual bool exists(const std::filesystem::path& file) const = 0;
  virtual Result<Bytes, FileError> readAll(const std::filesystem::path& file) const = 0;
  // Writes a temporary file beside `file`, flushes it to disk and moves it over
  // `file` in one step: `file` is either as it was or entirely new.
  virtual FileStatus writeAtomic(const std::filesystem::path& file, BytesView data) = 0;
  virtual FileStatus remove(const std::filesystem::path& file) = 0;
};

}  // namespace quillby

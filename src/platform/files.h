#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "model/result.h"
#include "model/text.h"

namespace quillby {

enum class FileProblem {
  NotFound,      // the file or its folder is not there
  AccessDenied,  // read-only, in use, a folder in its place, or no permission
  DiskFull,
  Other,  // also a file over kMaxReadSize (EFBIG, ERROR_FILE_TOO_LARGE)
};

struct FileError {
  FileProblem problem = FileProblem::Other;
  long systemCode = 0;  // errno or GetLastError(), for the message
};

using FileStatus = std::optional<FileError>;  // nullopt: done

// No file the program reads comes near this; anything bigger is damage, not data.
inline constexpr std::uintmax_t kMaxReadSize = std::uintmax_t{64} << 20;

class Files {
 public:
  virtual ~Files() = default;

  // The folder of the running executable; empty if the system cannot tell.
  virtual std::filesystem::path programFolder() const = 0;
  virtual FileStatus setCurrentDirectory(const std::filesystem::path& folder) = 0;

  // True if `file` names a file (not a folder).
  virtual bool exists(const std::filesystem::path& file) const = 0;
  // Every byte of `file`; a file over kMaxReadSize is refused, not read.
  virtual Result<Bytes, FileError> readAll(const std::filesystem::path& file) const = 0;
  // Writes a temporary file beside `file`, flushes it to disk and moves it over
  // `file` in one step: `file` is either as it was or entirely new, and no
  // temporary file stays behind. A read-only `file` is refused (AccessDenied)
  // and left alone.
  virtual FileStatus writeAtomic(const std::filesystem::path& file, BytesView data) = 0;

  // For changes that must reach several files together: writeTemporary puts a
  // new version in full on disk under a name of the caller's, and move puts it
  // in place once every part of the change is there.
  //
  // Writes `data` to `file`, created or emptied, and flushes it to disk; on
  // failure no `file` is left. Where `replacing` is not empty it names the file
  // that `file` is to replace: a read-only one is refused (AccessDenied) before
  // anything is written, as writeAtomic refuses it, and its permissions are kept.
  virtual FileStatus writeTemporary(const std::filesystem::path& file, BytesView data,
                                    const std::filesystem::path& replacing) = 0;
  // Gives the file or folder `from` the name `to` in one step and flushes the
  // change to disk. A file replaces a file of that name; a folder is moved only
  // to a name that is free.
  virtual FileStatus move(const std::filesystem::path& from, const std::filesystem::path& to) = 0;

  // Creates `folder`; one that is already there is fine.
  virtual FileStatus makeFolder(const std::filesystem::path& folder) = 0;
  // The names of the entries directly inside `folder`, in no particular order.
  virtual Result<std::vector<std::filesystem::path>, FileError> listFolder(
      const std::filesystem::path& folder) const = 0;
  // Removes a file or an empty folder.
  virtual FileStatus remove(const std::filesystem::path& entry) = 0;
};

}  // namespace quillby

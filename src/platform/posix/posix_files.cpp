#include "platform/posix/posix_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <system_error>
#include <utility>

#include "platform/whole_file.h"

namespace quillby {
namespace {

namespace fs = std::filesystem;

FileError errnoError(int code) {
  switch (code) {
    case ENOENT:
    case ENOTDIR:
      return {FileProblem::NotFound, code};
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
      return {FileProblem::AccessDenied, code};
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return {FileProblem::DiskFull, code};
    default:
      return {FileProblem::Other, code};
  }
}

FileError lastError() { return errnoError(errno); }

// Closes on every way out.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

 private:
  int fd_;
};

// A file the user has made read-only stays as it is. rename() would replace it
// whatever its mode, and root may write anything, so the mode bits are checked too.
FileStatus refuseToChange(const fs::path& file, const struct stat& status) {
  if (S_ISDIR(status.st_mode)) return FileError{FileProblem::AccessDenied, EISDIR};
  const bool readOnly = (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
  if (readOnly || ::access(file.c_str(), W_OK) != 0) {
    return FileError{FileProblem::AccessDenied, EACCES};
  }
  return std::nullopt;
}

FileStatus writeFully(int fd, BytesView data, const PosixWriteCalls& calls) {
  while (!data.empty()) {
    const ssize_t written = calls.write(fd, data.data(), data.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return lastError();
    }
    if (written == 0) return FileError{FileProblem::DiskFull, ENOSPC};
    data.remove_prefix(static_cast<std::size_t>(written));
  }
  return std::nullopt;
}

// The temporary file of one write: closed and removed on every way out, unless it
// has been moved over its target or kept for the caller to move.
class TemporaryFile {
 public:
  TemporaryFile() = default;
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  // A name of its own beside the target.
  FileStatus create(const fs::path& folder) {
    for (unsigned attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
      fs::path candidate = folder / temporaryName(static_cast<unsigned long>(::getpid()), attempt);
      fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ >= 0) {
        path_ = std::move(candidate);
        return std::nullopt;
      }
      if (errno != EEXIST) return lastError();
    }
    return FileError{FileProblem::Other, EEXIST};
  }

  // The caller's name.
  FileStatus createAt(const fs::path& file) {
    fd_ = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) return lastError();
    path_ = file;
    return std::nullopt;
  }

  // Writes `data` with the permissions of `like` (when given) and flushes it.
  FileStatus fill(BytesView data, const struct stat* like, const PosixWriteCalls& calls) {
    if (like != nullptr && ::fchmod(fd_, like->st_mode & 07777) != 0) return lastError();
    if (auto failed = writeFully(fd_, data, calls)) return failed;
    if (calls.fsync(fd_) != 0) return lastError();
    const int result = ::close(fd_);
    fd_ = -1;  // closed even when close() reports an error
    if (result != 0) return lastError();
    return std::nullopt;
  }

  FileStatus moveOver(const fs::path& target) {
    if (::rename(path_.c_str(), target.c_str()) != 0) return lastError();
    path_.clear();
    return std::nullopt;
  }

  void keep() { path_.clear(); }

 private:
  fs::path path_;
  int fd_ = -1;
};

// Makes the new name survive a power cut. By now the file has been moved and
// nothing can be undone, so a folder that cannot be flushed is not an error.
void flushFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  Descriptor closer(fd);
  ::fsync(fd);
}

fs::path executableFolder() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path{} : executable.parent_path();
}

}  // namespace

PosixFiles::PosixFiles() : PosixFiles(executableFolder()) {}

PosixFiles::PosixFiles(fs::path programFolder, PosixWriteCalls calls)
    : programFolder_(std::move(programFolder)), calls_(calls) {}

fs::path PosixFiles::programFolder() const { return programFolder_; }

FileStatus PosixFiles::setCurrentDirectory(const fs::path& folder) {
  if (::chdir(folder.c_str()) != 0) return lastError();
  return std::nullopt;
}

bool PosixFiles::exists(const fs::path& file) const {
  struct stat status {};
  return ::stat(file.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

Result<Bytes, FileError> PosixFiles::readAll(const fs::path& file) const {
  // O_NONBLOCK: a pipe in the file's place must not hang the program.
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return lastError();
  Descriptor closer(fd);
  struct stat status {};
  if (::fstat(fd, &status) != 0) return lastError();
  if (S_ISDIR(status.st_mode)) return FileError{FileProblem::AccessDenied, EISDIR};
  if (!S_ISREG(status.st_mode)) return FileError{FileProblem::Other, EINVAL};
  return readToEnd(static_cast<std::uintmax_t>(status.st_size),
                   FileError{FileProblem::Other, EFBIG},
                   [fd](char* buffer, std::size_t capacity) -> Result<std::size_t, FileError> {
                     for (;;) {
                       const ssize_t got = ::read(fd, buffer, capacity);
                       if (got >= 0) return static_cast<std::size_t>(got);
                       if (errno != EINTR) return lastError();
                     }
                   });
}

FileStatus PosixFiles::writeAtomic(const fs::path& file, BytesView data) {
  struct stat target {};
  const bool replacing = ::stat(file.c_str(), &target) == 0;
  if (replacing) {
    if (auto refused = refuseToChange(file, target)) return refused;
  }
  const fs::path folder = folderOf(file);
  TemporaryFile temporary;
  if (auto failed = temporary.create(folder)) return failed;
  // The new file keeps the permissions the user gave the old one.
  if (auto failed = temporary.fill(data, replacing ? &target : nullptr, calls_)) return failed;
  if (auto failed = temporary.moveOver(file)) return failed;
  flushFolder(folder);
  return std::nullopt;
}

FileStatus PosixFiles::writeTemporary(const fs::path& file, BytesView data,
                                      const fs::path& replacing) {
  struct stat target {};
  const bool like = !replacing.empty() && ::stat(replacing.c_str(), &target) == 0;
  if (like) {
    if (auto refused = refuseToChange(replacing, target)) return refused;
  }
  TemporaryFile temporary;
  if (auto failed = temporary.createAt(file)) return failed;
  if (auto failed = temporary.fill(data, like ? &target : nullptr, calls_)) return failed;
  temporary.keep();
  return std::nullopt;
}

FileStatus PosixFiles::move(const fs::path& from, const fs::path& to) {
  struct stat status {};
  if (::lstat(from.c_str(), &status) != 0) return lastError();
  // rename() would put a folder in the place of an empty one.
  struct stat existing {};
  if (S_ISDIR(status.st_mode) && ::lstat(to.c_str(), &existing) == 0) {
    return FileError{FileProblem::AccessDenied, EEXIST};
  }
  if (::rename(from.c_str(), to.c_str()) != 0) return lastError();
  flushFolder(folderOf(to));
  if (folderOf(from) != folderOf(to)) flushFolder(folderOf(from));
  return std::nullopt;
}

FileStatus PosixFiles::makeFolder(const fs::path& folder) {
  if (::mkdir(folder.c_str(), 0777) == 0) return std::nullopt;
  const int code = errno;
  struct stat status {};
  if (code == EEXIST && ::stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
    return std::nullopt;
  }
  return code == EEXIST ? FileError{FileProblem::AccessDenied, code} : errnoError(code);
}

Result<std::vector<fs::path>, FileError> PosixFiles::listFolder(const fs::path& folder) const {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return lastError();
  std::vector<fs::path> names;
  errno = 0;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  const int code = errno;
  ::closedir(dir);
  if (code != 0) return errnoError(code);
  return names;
}

FileStatus PosixFiles::remove(const fs::path& entry) {
  if (::remove(entry.c_str()) != 0) return lastError();
  return std::nullopt;
}

}  // namespace quillby

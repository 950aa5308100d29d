#include "platform/win32/win32_files.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>

#include "platform/whole_file.h"

namespace quillby {
namespace {

namespace fs = std::filesystem;

// The most one ReadFile or WriteFile call is asked to move.
constexpr DWORD kChunk = DWORD{1} << 30;

FileError win32Error(DWORD code) {
  const long systemCode = static_cast<long>(code);
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return {FileProblem::NotFound, systemCode};
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      return {FileProblem::AccessDenied, systemCode};
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return {FileProblem::DiskFull, systemCode};
    default:
      return {FileProblem::Other, systemCode};
  }
}

FileError lastError() { return win32Error(GetLastError()); }

// Closes on every way out.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

 private:
  HANDLE handle_;
};

// Windows itself refuses to replace or delete a read-only file only at the last
// step, and other systems not at all: refusing first keeps the answer the same
// everywhere and the file as it was.
FileStatus refuseToChange(const std::wstring& file) {
  const DWORD attributes = GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) {
    return FileError{FileProblem::AccessDenied, ERROR_ACCESS_DENIED};
  }
  return std::nullopt;
}

// The temporary file of one write: closed and removed on every way out, unless it
// has been moved over its target or kept for the caller to move.
class TemporaryFile {
 public:
  TemporaryFile() = default;
  ~TemporaryFile() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    if (!path_.empty()) DeleteFileW(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  FileStatus create(const fs::path& folder) {
    for (unsigned attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
      std::wstring candidate = (folder / temporaryName(GetCurrentProcessId(), attempt)).wstring();
      handle_ = CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
      if (handle_ != INVALID_HANDLE_VALUE) {
        path_ = std::move(candidate);
        return std::nullopt;
      }
      const DWORD error = GetLastError();
      if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return win32Error(error);
    }
    return FileError{FileProblem::Other, ERROR_FILE_EXISTS};
  }

  // The caller's name.
  FileStatus createAt(const fs::path& file) {
    std::wstring name = file.wstring();
    handle_ = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) return lastError();
    path_ = std::move(name);
    return std::nullopt;
  }

  FileStatus write(BytesView data) {
    while (!data.empty()) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size(), kChunk));
      DWORD written = 0;
      if (!WriteFile(handle_, data.data(), chunk, &written, nullptr)) return lastError();
      if (written == 0) return FileError{FileProblem::DiskFull, ERROR_DISK_FULL};
      data.remove_prefix(written);
    }
    return std::nullopt;
  }

  FileStatus flushAndClose() {
    if (!FlushFileBuffers(handle_)) return lastError();
    const BOOL closed = CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    if (!closed) return lastError();
    return std::nullopt;
  }

  // Not ReplaceFileW: under Wine that is a copy, not one step.
  FileStatus moveOver(const std::wstring& target) {
    if (!MoveFileExW(path_.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return lastError();
    }
    path_.clear();
    return std::nullopt;
  }

  void keep() { path_.clear(); }

 private:
  std::wstring path_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace

fs::path Win32Files::programFolder() const {
  if (!programFolder_.empty()) return programFolder_;
  // The longest path the system knows is 32,767 characters.
  for (DWORD size = MAX_PATH; size <= 65536; size *= 2) {
    std::wstring buffer(size, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
    if (length == 0) return {};
    if (length < size) {
      buffer.resize(length);
      return fs::path(buffer).parent_path();
    }
  }
  return {};
}

FileStatus Win32Files::setCurrentDirectory(const fs::path& folder) {
  if (!SetCurrentDirectoryW(folder.wstring().c_str())) return lastError();
  return std::nullopt;
}

bool Win32Files::exists(const fs::path& file) const {
  const DWORD attributes = GetFileAttributesW(file.wstring().c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

Result<Bytes, FileError> Win32Files::readAll(const fs::path& file) const {
  // Shared for writing too: the host program may hold its friend book open.
  const HANDLE handle =
      CreateFileW(file.wstring().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return lastError();
  Handle closer(handle);
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(handle, &size)) return lastError();
  return readToEnd(static_cast<std::uintmax_t>(size.QuadPart),
                   FileError{FileProblem::Other, ERROR_FILE_TOO_LARGE},
                   [handle](char* buffer, std::size_t capacity) -> Result<std::size_t, FileError> {
                     DWORD got = 0;
                     const DWORD chunk =
                         static_cast<DWORD>(std::min<std::size_t>(capacity, kChunk));
                     if (!ReadFile(handle, buffer, chunk, &got, nullptr)) return lastError();
                     return std::size_t{got};
                   });
}

FileStatus Win32Files::writeAtomic(const fs::path& file, BytesView data) {
  const std::wstring target = file.wstring();
  if (auto refused = refuseToChange(target)) return refused;
  TemporaryFile temporary;
  if (auto failed = temporary.create(folderOf(file))) return failed;
  if (auto failed = temporary.write(data)) return failed;
  if (auto failed = temporary.flushAndClose()) return failed;
  return temporary.moveOver(target);
}

FileStatus Win32Files::writeTemporary(const fs::path& file, BytesView data,
                                      const fs::path& replacing) {
  if (!replacing.empty()) {
    if (auto refused = refuseToChange(replacing.wstring())) return refused;
  }
  TemporaryFile temporary;
  if (auto failed = temporary.createAt(file)) return failed;
  if (auto failed = temporary.write(data)) return failed;
  if (auto failed = temporary.flushAndClose()) return failed;
  temporary.keep();
  return std::nullopt;
}

FileStatus Win32Files::move(const fs::path& from, const fs::path& to) {
  const std::wstring source = from.wstring();
  const DWORD attributes = GetFileAttributesW(source.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return lastError();
  // The system replaces files only; a folder moves to a free name.
  const DWORD replace =
      (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : DWORD{MOVEFILE_REPLACE_EXISTING};
  if (!MoveFileExW(source.c_str(), to.wstring().c_str(), replace | MOVEFILE_WRITE_THROUGH)) {
    return lastError();
  }
  return std::nullopt;
}

FileStatus Win32Files::makeFolder(const fs::path& folder) {
  const std::wstring name = folder.wstring();
  if (CreateDirectoryW(name.c_str(), nullptr)) return std::nullopt;
  const DWORD error = GetLastError();
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (error == ERROR_ALREADY_EXISTS && attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return std::nullopt;
  }
  return error == ERROR_ALREADY_EXISTS ? FileError{FileProblem::AccessDenied, ERROR_ALREADY_EXISTS}
                                       : win32Error(error);
}

Result<std::vector<fs::path>, FileError> Win32Files::listFolder(const fs::path& folder) const {
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW((folder / L"*").wstring().c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return lastError();
  std::vector<fs::path> names;
  do {
    const std::wstring_view name = found.cFileName;
    if (name != L"." && name != L"..") names.emplace_back(name);
  } while (FindNextFileW(search, &found));
  const DWORD error = GetLastError();
  FindClose(search);
  if (error != ERROR_NO_MORE_FILES) return win32Error(error);
  return names;
}

FileStatus Win32Files::remove(const fs::path& entry) {
  const std::wstring name = entry.wstring();
  const DWORD attributes = GetFileAttributesW(name.c_str());
  const bool folder =
      attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  if (!(folder ? RemoveDirectoryW(name.c_str()) : DeleteFileW(name.c_str()))) return lastError();
  return std::nullopt;
}

}  // namespace quillby

#include "platform/win32/win32_virtual_store.h"

#include <windows.h>
// after <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <array>

#include "platform/virtual_store_files.h"

namespace quillby {
namespace {

std::filesystem::path knownFolder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  std::filesystem::path folder;
  if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &path))) folder = path;
  CoTaskMemFree(path);
  return folder;
}

}  // namespace

std::unique_ptr<Files> hostViewOf(Files& system) {
  // %ProgramFiles%, %ProgramFiles(x86)%, %ProgramW6432%, %SystemRoot%, %ProgramData%
  const std::array systemFolders{
      knownFolder(FOLDERID_ProgramFiles),    knownFolder(FOLDERID_ProgramFilesX86),
      knownFolder(FOLDERID_ProgramFilesX64), knownFolder(FOLDERID_Windows),
      knownFolder(FOLDERID_ProgramData),
  };
  auto store =
      virtualStoreOf(system.programFolder(), systemFolders, knownFolder(FOLDERID_LocalAppData));
  if (!store) return nullptr;
  return std::make_unique<VirtualStoreFiles>(system, std::move(*store));
}

}  // namespace quillby

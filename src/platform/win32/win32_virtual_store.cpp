#include "platform/win32/win32_virtual_store.h"

#include <windows.h>

#include <array>
#include <string>

#include "platform/virtual_store_files.h"

namespace quillby {
namespace {

// Windows sets these for every user; empty when one is not set.
std::filesystem::path folderIn(const wchar_t* variable) {
  std::wstring value(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetEnvironmentVariableW(variable, value.data(), DWORD(value.size()));
    if (length < value.size()) {
      value.resize(length);
      return value;
    }
    value.resize(length);
  }
}

}  // namespace

std::unique_ptr<Files> hostViewOf(Files& system) {
  const std::array systemFolders{
      folderIn(L"ProgramFiles"), folderIn(L"ProgramFiles(x86)"), folderIn(L"ProgramW6432"),
      folderIn(L"SystemRoot"),   folderIn(L"ProgramData"),
  };
  auto store = virtualStoreOf(system.programFolder(), systemFolders, folderIn(L"LOCALAPPDATA"));
  if (!store) return nullptr;
  return std::make_unique<VirtualStoreFiles>(system, std::move(*store));
}

}  // namespace quillby

#include "platform/writable_folder.h"

namespace quillby {

bool canWriteIn(Files& files, const std::filesystem::path& folder) {
  // A leftover of an earlier test is "made" again; its removal still tells.
  const std::filesystem::path probe = folder / "~quillby-write-test";
  if (files.makeFolder(probe)) return false;
  return !files.remove(probe);
}

}  // namespace quillby

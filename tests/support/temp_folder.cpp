#include "support/temp_folder.h"

#include <algorithm>
#include <random>
#include <string>
#include <system_error>

namespace quillby {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  std::random_device seed;
  std::mt19937_64 random(seed());
  const fs::path base = fs::temp_directory_path();
  // create_directory reports a folder that was already there, so a clash with a
  // parallel test just draws again.
  for (;;) {
    fs::path candidate = base / ("quillby-test-" + std::to_string(random()));
    if (fs::create_directory(candidate)) {
      path_ = std::move(candidate);
      return;
    }
  }
}

TempFolder::~TempFolder() {
  // A read-only file would stop the removal on Windows.
  std::error_code walking;
  for (fs::recursive_directory_iterator entry(path_, walking), end; !walking && entry != end;
       entry.increment(walking)) {
    std::error_code ignored;
    fs::permissions(entry->path(), fs::perms::owner_write, fs::perm_options::add, ignored);
  }
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::vector<fs::path> TempFolder::entries() const {
  std::vector<fs::path> names;
  for (const auto& entry : fs::directory_iterator(path_)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace quillby

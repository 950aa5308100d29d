#pragma once

#include <filesystem>
#include <vector>

namespace quillby {

// A new empty folder under the system's temporary folder, removed with all it
// holds (read-only files too) when the object goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

  // The names of the entries directly inside, sorted.
  std::vector<std::filesystem::path> entries() const;

 private:
  std::filesystem::path path_;
};

}  // namespace quillby

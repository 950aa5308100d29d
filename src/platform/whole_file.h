#pragma once

// The parts of whole-file reading and atomic writing that are the same on every system.

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "model/result.h"
#include "model/text.h"
#include "platform/files.h"

namespace quillby {

// Reads to the end through `readSome(char* buffer, std::size_t capacity)`, which gives
// Result<std::size_t, FileError>, 0 at the end. `sizeHint` is the size the system
// reported; the file may still grow or shrink while it is read.
template <class ReadSome>
Result<Bytes, FileError> readToEnd(std::uintmax_t sizeHint, FileError tooLarge, ReadSome readSome) {
  if (sizeHint > kMaxReadSize) return tooLarge;
  // The byte past the expected end notices a file that grew.
  Bytes data(static_cast<std::size_t>(sizeHint) + 1, '\0');
  std::size_t filled = 0;
  for (;;) {
    if (filled == data.size()) {
      if (filled > kMaxReadSize) return tooLarge;
      data.resize(static_cast<std::size_t>(
          std::min<std::uintmax_t>(std::uintmax_t{data.size()} * 2, kMaxReadSize + 1)));
    }
    auto got = readSome(data.data() + filled, data.size() - filled);
    if (!got) return got.error();
    if (got.value() == 0) break;
    filled += got.value();
  }
  data.resize(filled);
  return data;
}

// Names for the temporary file beside a target; it is created exclusively, so a
// clash with another writer or an old leftover just moves on to the next name.
inline constexpr unsigned kTemporaryNameAttempts = 100;

inline std::filesystem::path temporaryName(unsigned long processId, unsigned attempt) {
  return "~quillby-" + std::to_string(processId) + "-" + std::to_string(attempt) + ".tmp";
}

// Whether `name` is one that temporaryName gives: one that a write killed before
// its end may have left.
inline bool isTemporaryName(const std::filesystem::path& name) {
  const auto& text = name.native();
  constexpr std::string_view kStart = "~quillby-";
  constexpr std::string_view kEnd = ".tmp";
  if (text.size() <= kStart.size() + kEnd.size()) return false;
  if (!std::equal(kStart.begin(), kStart.end(), text.begin()) ||
      !std::equal(kEnd.begin(), kEnd.end(), text.end() - kEnd.size())) {
    return false;
  }
  // Two numbers with a dash between them.
  const auto middle = text.substr(kStart.size(), text.size() - kStart.size() - kEnd.size());
  const std::size_t dash = middle.find('-');
  const auto isNumber = [](const auto& digits) {
    return !digits.empty() &&
           std::all_of(digits.begin(), digits.end(), [](auto c) { return c >= '0' && c <= '9'; });
  };
  return dash != middle.npos && isNumber(middle.substr(0, dash)) &&
         isNumber(middle.substr(dash + 1));
}

// A file named without a folder is in the current directory.
inline std::filesystem::path folderOf(const std::filesystem::path& file) {
  std::filesystem::path folder = file.parent_path();
  return folder.empty() ? std::filesystem::path(".") : folder;
}

}  // namespace quillby

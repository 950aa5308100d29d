#include "loadsave/backups.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "loadsave/file_names.h"
#include "loadsave/program_folder.h"

namespace quillby {
namespace {

namespace fs = std::filesystem;

// "YYYY-MM-DD_hh-mm-ss", and "-NN" after it for a second save in one second.
constexpr std::size_t kStampLength = 19;
constexpr std::string_view kStampShape = "0000-00-00_00-00-00";
constexpr int kMaxSameSecond = 99;

// The name of a save of ours, else empty: nothing else in the folder is touched.
std::string saveName(const fs::path& entry) {
  const auto& name = entry.native();  // not converted: another name may not convert
  if (name.size() != kStampLength && name.size() != kStampLength + 3) return {};
  const std::string shape = std::string(kStampShape) + (name.size() > kStampLength ? "-00" : "");
  std::string ascii;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const bool digit = name[i] >= '0' && name[i] <= '9';
    if (shape[i] == '0' ? !digit : name[i] != static_cast<unsigned char>(shape[i])) return {};
    ascii += static_cast<char>(name[i]);
  }
  return ascii;
}

std::string stamp(const LocalDateTime& now) {
  const int seconds = std::clamp(static_cast<int>(now.secondsOfDay), 0, 24 * 3600 - 1);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u_%02d-%02d-%02d",
                static_cast<int>(now.date.year()), static_cast<unsigned>(now.date.month()),
                static_cast<unsigned>(now.date.day()), seconds / 3600, seconds / 60 % 60,
                seconds % 60);
  return text;
}

BookFailureInfo notKept(const fs::path& where, const FileError& error) {
  return BookFailureInfo::ofFile(BookFailure::BackupNotWritten, where, error);
}

// The saves kept so far, oldest first.
Result<std::vector<std::string>, FileError> keptSaves(const Files& files, const fs::path& folder) {
  auto entries = files.listFolder(folder);
  if (!entries) return entries.error();
  std::vector<std::string> saves;
  for (const auto& entry : entries.value()) {
    if (auto name = saveName(entry); !name.empty()) saves.push_back(std::move(name));
  }
  std::sort(saves.begin(), saves.end());
  return saves;
}

bool holds(const Files& files, const fs::path& file, const std::optional<Bytes>& expected) {
  if (!expected) return !files.exists(file);
  const auto bytes = files.readAll(file);
  return bytes && bytes.value() == *expected;
}

// A folder of ours with whatever it holds; what cannot be removed stays.
void removeSave(Files& files, const fs::path& save) {
  if (auto entries = files.listFolder(save)) {
    for (const auto& entry : entries.value()) (void)files.remove(save / entry);
  }
  (void)files.remove(save);
}

}  // namespace

std::optional<BookFailureInfo> keepEarlierVersion(Files& files, const Clock& clock, BytesView book,
                                                  const std::optional<Bytes>& memo) {
  const fs::path folder = inProgramFolder(files, kBackupsFolder);
  if (auto error = files.makeFolder(folder)) return notKept(kBackupsFolder, *error);
  auto saves = keptSaves(files, folder);
  if (!saves) return notKept(kBackupsFolder, saves.error());
  auto& names = saves.value();
  if (!names.empty()) {
    const fs::path newest = folder / names.back();
    if (holds(files, newest / kBookFile, Bytes(book)) && holds(files, newest / kMemoFile, memo)) {
      return std::nullopt;
    }
  }

  const std::string base = stamp(clock.now());
  std::string name = base;
  for (int n = 1; n <= kMaxSameSecond && std::binary_search(names.begin(), names.end(), name);
       ++n) {
    name = base + (n < 10 ? "-0" : "-") + std::to_string(n);
  }
  const fs::path save = folder / name;
  if (auto error = files.makeFolder(save)) return notKept(kBackupsFolder / name, *error);
  FileStatus error = files.writeAtomic(save / kBookFile, book);
  if (!error && memo) error = files.writeAtomic(save / kMemoFile, *memo);
  if (error) {
    removeSave(files, save);
    return notKept(kBackupsFolder / name, *error);
  }

  names.insert(std::upper_bound(names.begin(), names.end(), name), name);
  for (std::size_t i = 0; i + kKeptSaves < names.size(); ++i) removeSave(files, folder / names[i]);
  return std::nullopt;
}

}  // namespace quillby

#include "loadsave/backups.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "loadsave/file_names.h"
#include "loadsave/program_folder.h"
#include "platform/whole_file.h"

namespace quillby {
namespace {

namespace fs = std::filesystem;

// "000042_2026-12-07_12-00-00": the number counts the saves, so that which is
// newest never depends on the clock; the date and time are for the user.
// Earlier versions named their folders by date and time alone
// ("2026-12-07_12-00-00", "-01" after it for a second save in one second);
// those are older than any numbered one. A folder being written or removed has
// "~" before its name.
constexpr std::string_view kStampShape = "0000-00-00_00-00-00";
constexpr std::string_view kSameSecondShape = "0000-00-00_00-00-00-00";
constexpr std::size_t kLeastDigits = 6;
constexpr std::size_t kMostDigits = 18;  // fits std::uint64_t, with room to count on
constexpr char kUnfinished = '~';

struct SaveName {
  std::string name;                     // as listed, "~" and all
  std::optional<std::uint64_t> number;  // none for a date-named folder
  bool unfinished = false;
};

bool hasShape(std::string_view text, std::string_view shape) {
  return std::equal(text.begin(), text.end(), shape.begin(), shape.end(),
                    [](char c, char s) { return s == '0' ? c >= '0' && c <= '9' : c == s; });
}

// The name, if it is plain ASCII: no other name is one of ours.
std::optional<std::string> asciiName(const fs::path& entry) {
  std::string ascii;
  for (const auto c : entry.native()) {
    const auto code = static_cast<std::make_unsigned_t<std::remove_const_t<decltype(c)>>>(c);
    if (code > 0x7F) return std::nullopt;
    ascii += static_cast<char>(code);
  }
  return ascii;
}

// The name of a save of ours, finished or not; nothing for any other name.
std::optional<SaveName> saveName(const fs::path& entry) {
  auto ascii = asciiName(entry);
  if (!ascii) return std::nullopt;
  SaveName save{*ascii, std::nullopt, false};
  std::string_view rest = save.name;
  if (rest.starts_with(kUnfinished)) {
    save.unfinished = true;
    rest.remove_prefix(1);
  }
  const std::size_t digits = rest.find_first_not_of("0123456789");
  if (digits >= kLeastDigits && digits <= kMostDigits && rest[digits] == '_' &&
      hasShape(rest.substr(digits + 1), kStampShape)) {
    save.number = std::stoull(std::string(rest.substr(0, digits)));
    return save;
  }
  if (hasShape(rest, kStampShape) || hasShape(rest, kSameSecondShape)) return save;
  return std::nullopt;
}

// Oldest first.
bool olderThan(const SaveName& a, const SaveName& b) {
  return std::tuple(a.number.has_value(), a.number.value_or(0), a.name) <
         std::tuple(b.number.has_value(), b.number.value_or(0), b.name);
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

std::string numberText(std::uint64_t number) {
  std::string digits = std::to_string(number);
  return std::string(kLeastDigits - std::min(kLeastDigits, digits.size()), '0') + digits;
}

BookFailureInfo notKept(const fs::path& where, const FileError& error) {
  return BookFailureInfo::ofFile(BookFailure::BackupNotWritten, where, error);
}

// What a folder with the name of a save holds. It is ours only if it holds
// nothing but the files a save writes and the temporaries of their writing.
struct Contents {
  bool ours = true;
  bool book = false;
  std::vector<fs::path> entries;
};

Contents contentsOf(const Files& files, const fs::path& save) {
  Contents contents;
  auto entries = files.listFolder(save);
  if (!entries) return {false, false, {}};
  for (const auto& entry : entries.value()) {
    const bool known = entry == kBookFile || entry == kMemoFile || isTemporaryName(entry);
    if (!known || !files.exists(save / entry)) contents.ours = false;
    if (entry == kBookFile) contents.book = true;
  }
  contents.entries = std::move(entries.value());
  return contents;
}

// Removes what `contents` lists and then the folder, if it is ours; the folder
// stays if anything else has come into it meanwhile.
void discard(Files& files, const fs::path& save, const Contents& contents) {
  if (!contents.ours) return;
  for (const auto& entry : contents.entries) (void)files.remove(save / entry);
  (void)files.remove(save);
}

// A finished save of ours leaves under its name marked unfinished, so that
// should the removal be cut short, what is left is never taken for a save.
void removeSave(Files& files, const fs::path& folder, const std::string& name) {
  const fs::path unfinished = folder / (kUnfinished + name);
  if (files.move(folder / name, unfinished)) return;
  discard(files, unfinished, contentsOf(files, unfinished));
}

// Only a finished folder that holds a book is a save.
bool cutShort(const SaveName& save, const Contents& contents) {
  return save.unfinished || !contents.book;
}

struct Listing {
  std::vector<SaveName> saves;  // finished and ours, oldest first
  std::uint64_t highestNumber = 0;
};

// The saves in `folder`, after removing what saves cut short left there.
Result<Listing, FileError> tidyListing(Files& files, const fs::path& folder) {
  auto entries = files.listFolder(folder);
  if (!entries) return entries.error();
  Listing listing;
  for (const auto& entry : entries.value()) {
    auto save = saveName(entry);
    if (!save) continue;
    listing.highestNumber = std::max(listing.highestNumber, save->number.value_or(0));
    const Contents contents = contentsOf(files, folder / entry);
    if (!contents.ours) continue;
    if (cutShort(*save, contents)) {
      discard(files, folder / entry, contents);
      continue;
    }
    // Earlier versions wrote under the final name.
    for (const auto& file : contents.entries) {
      if (isTemporaryName(file)) (void)files.remove(folder / entry / file);
    }
    listing.saves.push_back(std::move(*save));
  }
  std::sort(listing.saves.begin(), listing.saves.end(), olderThan);
  return listing;
}

bool holds(const Files& files, const fs::path& file, const std::optional<Bytes>& expected) {
  if (!expected) return !files.exists(file);
  const auto bytes = files.readAll(file);
  return bytes && bytes.value() == *expected;
}

}  // namespace

// Runs at every start. A numbered folder under its own name was written whole
// under "~" first, so only the others are looked into.
void removeUnfinishedBackups(Files& files) {
  const fs::path folder = inProgramFolder(files, kBackupsFolder);
  auto entries = files.listFolder(folder);
  if (!entries) return;
  for (const auto& entry : entries.value()) {
    const auto save = saveName(entry);
    if (!save || (save->number && !save->unfinished)) continue;
    const Contents contents = contentsOf(files, folder / entry);
    if (cutShort(*save, contents)) discard(files, folder / entry, contents);
  }
}

std::optional<BookFailureInfo> keepEarlierVersion(Files& files, const Clock& clock, BytesView book,
                                                  const std::optional<Bytes>& memo) {
  const fs::path folder = inProgramFolder(files, kBackupsFolder);
  if (auto error = files.makeFolder(folder)) return notKept(kBackupsFolder, *error);
  auto listing = tidyListing(files, folder);
  if (!listing) return notKept(kBackupsFolder, listing.error());
  auto& saves = listing.value().saves;
  if (!saves.empty()) {
    const fs::path newest = folder / saves.back().name;
    if (holds(files, newest / kBookFile, Bytes(book)) && holds(files, newest / kMemoFile, memo)) {
      return std::nullopt;
    }
  }

  const std::string name = numberText(listing.value().highestNumber + 1) + "_" + stamp(clock.now());
  const fs::path unfinished = folder / (kUnfinished + name);
  if (auto error = files.makeFolder(unfinished)) return notKept(kBackupsFolder / name, *error);
  FileStatus error = files.writeTemporary(unfinished / kBookFile, book, {});
  if (!error && memo) error = files.writeTemporary(unfinished / kMemoFile, *memo, {});
  if (!error) error = files.move(unfinished, folder / name);
  if (error) {
    discard(files, unfinished, contentsOf(files, unfinished));
    return notKept(kBackupsFolder / name, *error);
  }

  // The one just made is the newest whatever the clock says.
  for (std::size_t i = 0; i + kKeptSaves <= saves.size(); ++i) {
    removeSave(files, folder, saves[i].name);
  }
  return std::nullopt;
}

}  // namespace quillby

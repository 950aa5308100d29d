#include "platform/virtual_store_files.h"

#include <algorithm>

#include "platform/writable_folder.h"

namespace quillby {
namespace {

namespace fs = std::filesystem;

// Windows compares names without regard to case; the folders here are ASCII
// wherever case matters.
bool sameName(const fs::path& a, const fs::path& b) {
  const auto fold = [](char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
  };
  const std::u16string x = a.u16string();
  const std::u16string y = b.u16string();
  return std::ranges::equal(x, y, [&](char16_t p, char16_t q) { return fold(p) == fold(q); });
}

// The rest of `entry` below `folder` ("." for the folder itself); none when
// `entry` is not inside it.
std::optional<fs::path> below(const fs::path& entry, const fs::path& folder) {
  const fs::path e = entry.lexically_normal();
  const fs::path f = folder.lexically_normal();
  auto at = e.begin();
  for (const fs::path& part : f) {
    if (part.empty()) continue;  // the end of a folder written with a final separator
    if (at == e.end() || !sameName(*at, part)) return std::nullopt;
    ++at;
  }
  fs::path rest;
  for (; at != e.end(); ++at) {
    if (!at->empty()) rest /= *at;
  }
  return rest.empty() ? fs::path(".") : rest;
}

}  // namespace

std::optional<VirtualStore> virtualStoreOf(const fs::path& program,
                                           std::span<const fs::path> systemFolders,
                                           const fs::path& localAppData) {
  if (program.empty() || localAppData.empty()) return std::nullopt;
  const bool inSystemFolder = std::ranges::any_of(systemFolders, [&](const fs::path& folder) {
    return !folder.empty() && below(program, folder);
  });
  if (!inSystemFolder) return std::nullopt;
  return VirtualStore{localAppData,
                      (localAppData / "VirtualStore" / program.relative_path()).lexically_normal()};
}

fs::path VirtualStoreFiles::storeCopyOf(const fs::path& entry) const {
  const auto rest = below(entry, system_.programFolder());
  if (!rest) return {};
  return (store_.folder / *rest).lexically_normal();
}

bool VirtualStoreFiles::storeHolds(const fs::path& copy) const {
  return !copy.empty() && (system_.exists(copy) || system_.listFolder(copy));
}

fs::path VirtualStoreFiles::readPlace(const fs::path& entry) const {
  const fs::path copy = storeCopyOf(entry);
  return storeHolds(copy) ? copy : entry;
}

Result<fs::path, FileError> VirtualStoreFiles::writePlace(const fs::path& entry) {
  const fs::path copy = storeCopyOf(entry);
  if (copy.empty()) return entry;
  // A new entry in a folder that only the VirtualStore holds can only go there.
  const bool folderOnlyInStore =
      storeHolds(copy.parent_path()) && !system_.listFolder(entry.parent_path());
  if (!storeHolds(copy) && !folderOnlyInStore && canWriteIn(system_, system_.programFolder())) {
    return entry;
  }
  // The VirtualStore's folders are made as Windows makes them, from the user's
  // local application data down.
  fs::path folder = store_.base;
  const fs::path missing = below(copy.parent_path(), store_.base).value_or(fs::path{});
  for (const fs::path& part : missing) {
    if (part == ".") continue;
    folder /= part;
    if (auto error = system_.makeFolder(folder)) return *error;
  }
  return copy;
}

fs::path VirtualStoreFiles::programFolder() const { return system_.programFolder(); }

FileStatus VirtualStoreFiles::setCurrentDirectory(const fs::path& folder) {
  return system_.setCurrentDirectory(folder);
}

bool VirtualStoreFiles::exists(const fs::path& file) const {
  return system_.exists(readPlace(file));
}

Result<Bytes, FileError> VirtualStoreFiles::readAll(const fs::path& file) const {
  return system_.readAll(readPlace(file));
}

FileStatus VirtualStoreFiles::writeAtomic(const fs::path& file, BytesView data) {
  auto place = writePlace(file);
  if (!place) return place.error();
  return system_.writeAtomic(place.value(), data);
}

FileStatus VirtualStoreFiles::writeTemporary(const fs::path& file, BytesView data,
                                             const fs::path& replacing) {
  const fs::path& target = replacing.empty() ? file : replacing;
  auto place = writePlace(target);
  if (!place) return place.error();
  const fs::path copy = storeCopyOf(file);
  const bool toStore = place.value() != target && !copy.empty();
  return system_.writeTemporary(toStore ? copy : file, data,
                                replacing.empty() ? fs::path{} : place.value());
}

FileStatus VirtualStoreFiles::move(const fs::path& from, const fs::path& to) {
  auto place = writePlace(to);
  if (!place) return place.error();
  return system_.move(readPlace(from), place.value());
}

FileStatus VirtualStoreFiles::makeFolder(const fs::path& folder) {
  auto place = writePlace(folder);
  if (!place) return place.error();
  return system_.makeFolder(place.value());
}

Result<std::vector<fs::path>, FileError> VirtualStoreFiles::listFolder(
    const fs::path& folder) const {
  auto names = system_.listFolder(folder);
  const fs::path copy = storeCopyOf(folder);
  if (copy.empty()) return names;
  auto copies = system_.listFolder(copy);
  if (!copies) return names;
  if (!names) return copies;
  for (auto& name : copies.value()) {
    const bool known = std::ranges::any_of(
        names.value(), [&](const fs::path& other) { return sameName(other, name); });
    if (!known) names.value().push_back(std::move(name));
  }
  return names;
}

FileStatus VirtualStoreFiles::remove(const fs::path& entry) {
  return system_.remove(readPlace(entry));
}

}  // namespace quillby

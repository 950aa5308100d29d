#include "support/fault_files.h"

#include <algorithm>

namespace quillby {

void FaultFiles::failNth(FileOperation operation, int nth, FileError error) {
  faults_.push_back({operation, nth, error});
}

FileStatus FaultFiles::record(FileOperation operation, const std::filesystem::path& file) const {
  const auto nth = 1 + std::count_if(calls_.begin(), calls_.end(),
                                     [&](const Call& call) { return call.operation == operation; });
  const auto fault = std::find_if(faults_.begin(), faults_.end(), [&](const Fault& f) {
    return f.operation == operation && f.nth == nth;
  });
  const bool fails = fault != faults_.end();
  calls_.push_back({operation, file, fails});
  if (fails) return fault->error;
  return std::nullopt;
}

std::filesystem::path FaultFiles::programFolder() const { return real_.programFolder(); }

FileStatus FaultFiles::setCurrentDirectory(const std::filesystem::path& folder) {
  if (auto failed = record(FileOperation::SetCurrentDirectory, folder)) return failed;
  return real_.setCurrentDirectory(folder);
}

bool FaultFiles::exists(const std::filesystem::path& file) const { return real_.exists(file); }

Result<Bytes, FileError> FaultFiles::readAll(const std::filesystem::path& file) const {
  if (auto failed = record(FileOperation::ReadAll, file)) return *failed;
  return real_.readAll(file);
}

FileStatus FaultFiles::writeAtomic(const std::filesystem::path& file, BytesView data) {
  if (auto failed = record(FileOperation::WriteAtomic, file)) return failed;
  return real_.writeAtomic(file, data);
}

FileStatus FaultFiles::writeTemporary(const std::filesystem::path& file, BytesView data,
                                      const std::filesystem::path& replacing) {
  if (auto failed = record(FileOperation::WriteTemporary, file)) return failed;
  return real_.writeTemporary(file, data, replacing);
}

FileStatus FaultFiles::move(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (auto failed = record(FileOperation::Move, to)) return failed;
  return real_.move(from, to);
}

FileStatus FaultFiles::makeFolder(const std::filesystem::path& folder) {
  if (auto failed = record(FileOperation::MakeFolder, folder)) return failed;
  return real_.makeFolder(folder);
}

Result<std::vector<std::filesystem::path>, FileError> FaultFiles::listFolder(
    const std::filesystem::path& folder) const {
  return real_.listFolder(folder);
}

FileStatus FaultFiles::remove(const std::filesystem::path& entry) {
  if (auto failed = record(FileOperation::Remove, entry)) return failed;
  return real_.remove(entry);
}

}  // namespace quillby

#include "loadsave/startup_load.h"

#include "formats/memo_file.h"
#include "loadsave/file_names.h"
#include "loadsave/program_folder.h"
#include "loadsave/save.h"
#include "loadsave/settings_store.h"
#include "platform/writable_folder.h"

namespace quillby {
namespace {

Result<Bytes, BookFailureInfo> readBook(Files& files) {
  const auto path = inProgramFolder(files, kBookFile);
  auto bytes = files.readAll(path);
  if (!bytes) return BookFailureInfo::bookNotRead(bytes.error());
  return std::move(bytes.value());
}

Result<FriendTable, BookFailureInfo> parseBook(BytesView bytes, const Charset& charset) {
  auto rows = readFriendBook(bytes, charset);
  if (!rows) return BookFailureInfo::damaged(rows.error());
  return FriendTable{std::move(rows.value()), Bytes(bytes)};
}

// A memo file that exists but cannot be read must stop the start: carrying on
// without memos would let the next save write them away.
Result<std::vector<MemoRecord>, BookFailureInfo> readMemos(Files& files, const Charset& charset) {
  const auto path = inProgramFolder(files, kMemoFile);
  if (!files.exists(path)) return std::vector<MemoRecord>{};
  auto bytes = files.readAll(path);
  if (!bytes) return BookFailureInfo::ofFile(BookFailure::Unreadable, kMemoFile, bytes.error());
  return readMemoFile(bytes.value(), charset);
}

}  // namespace

Result<FriendTable, BookFailureInfo> loadFriends(Files& files, const Charset& charset) {
  enterProgramFolder(files);
  auto bytes = readBook(files);
  if (!bytes) return bytes.error();
  return parseBook(bytes.value(), charset);
}

Result<FriendTable, BookFailureInfo> loadFriendsWithMemos(Files& files, const Charset& charset) {
  enterProgramFolder(files);
  if (auto failure = finishInterruptedSave(files)) return *failure;
  auto bytes = readBook(files);
  if (!bytes) return bytes.error();
  auto table = parseBook(bytes.value(), charset);
  if (!table) return table.error();
  auto memos = readMemos(files, charset);
  if (!memos) return memos.error();
  if (auto error = files.writeAtomic(inProgramFolder(files, kBackupFile), bytes.value())) {
    // A folder that takes nothing is the user's to fix, not a file in the way.
    const auto folder = files.programFolder();
    if (!canWriteIn(files, folder)) {
      return BookFailureInfo::ofFile(BookFailure::FolderNotWritable, folder, *error);
    }
    return BookFailureInfo::ofFile(BookFailure::NotWritten, kBackupFile, *error);
  }
  // Created only now, so that a failed start leaves every file as it was. Should
  // it fail, the next save reports the folder's trouble.
  const auto memoPath = inProgramFolder(files, kMemoFile);
  if (!files.exists(memoPath)) (void)files.writeAtomic(memoPath, {});
  attachMemos(table.value().rows, std::move(memos.value()));
  return table;
}

StartupFiles readStartupFiles(Files& files, const Charset& charset) {
  SettingsValues settings = loadSettings(files);
  return {std::move(settings), loadFriendsWithMemos(files, charset)};
}

}  // namespace quillby

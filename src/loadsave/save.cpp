#include "loadsave/save.h"

#include "formats/friend_book.h"
#include "formats/memo_file.h"
#include "loadsave/file_names.h"
#include "loadsave/program_folder.h"

namespace quillby {
namespace {

BookFailureInfo failure(BookFailure kind, const std::filesystem::path& file) {
  return BookFailureInfo{kind, file, {}, {}, {}, {}};
}

void takeCountsFromDisk(std::vector<FriendEntry>& rows, const std::vector<std::uint16_t>& counts) {
  for (auto& row : rows) {
    if (row.origin && row.origin->record < counts.size()) {
      row.friendNum = countText(counts[row.origin->record]);
    }
  }
}

}  // namespace

std::optional<BookFailureInfo> saveFriends(FriendTable& table, Files& files, const Charset& charset,
                                           OtherChanges others) {
  enterProgramFolder(files);
  if (table.rows.empty()) return failure(BookFailure::EmptyTable, kBookFile);

  const auto bookPath = inProgramFolder(files, kBookFile);
  auto onDisk = files.readAll(bookPath);
  if (!onDisk) {
    auto info = failure(onDisk.error().problem == FileProblem::NotFound ? BookFailure::Missing
                                                                        : BookFailure::Unreadable,
                        kBookFile);
    info.fileError = onDisk.error();
    return info;
  }
  auto counts = readCounts(onDisk.value());
  if (!counts) {
    auto info = failure(BookFailure::Damaged, kBookFile);
    info.bookError = counts.error();
    return info;
  }
  // Both split as the counts and the load did, so neither can fail here.
  if (others == OtherChanges::Keep &&
      withCountsCleared(onDisk.value()).value() != withCountsCleared(table.bookOnDisk).value()) {
    return failure(BookFailure::ChangedMeanwhile, kBookFile);
  }

  auto rows = table.rows;
  takeCountsFromDisk(rows, counts.value());
  auto book = encodeFriendBook(rows, charset);
  if (!book) {
    auto info = failure(BookFailure::CannotEncode, kBookFile);
    info.encodeError = book.error();
    return info;
  }
  auto memo = encodeMemoFile(rows, charset);
  if (!memo) {
    auto info = failure(BookFailure::CannotEncodeMemo, kMemoFile);
    info.memoError = memo.error();
    return info;
  }
  // The image must read back as the rows it came from, or it is not written.
  auto written = readFriendBook(book.value(), charset);
  if (!written || written.value().size() != rows.size()) {
    return failure(BookFailure::CannotEncode, kBookFile);
  }

  // Memos attach to friends by name and place, so a memo file written for the
  // new book must not stay beside the old one: should the book fail, the memo
  // file as it was is put back. Start-up leaves one in place; none reads as
  // empty.
  const auto memoPath = inProgramFolder(files, kMemoFile);
  Bytes previousMemo;
  if (files.exists(memoPath)) {
    auto read = files.readAll(memoPath);
    if (!read) {
      auto info = failure(BookFailure::Unreadable, kMemoFile);
      info.fileError = read.error();
      return info;
    }
    previousMemo = std::move(read.value());
  }
  if (auto error = files.writeAtomic(memoPath, memo.value())) {
    auto info = failure(BookFailure::NotWritten, kMemoFile);
    info.fileError = *error;
    return info;
  }
  if (auto error = files.writeAtomic(bookPath, book.value())) {
    auto info = failure(BookFailure::NotWritten, kBookFile);
    info.fileError = *error;
    info.memoFileReplaced = files.writeAtomic(memoPath, previousMemo).has_value();
    return info;
  }

  for (std::size_t i = 0; i < rows.size(); ++i) {
    table.rows[i].friendNum = rows[i].friendNum;
    table.rows[i].origin = std::move(written.value()[i].origin);
  }
  table.bookOnDisk = std::move(book.value());
  return std::nullopt;
}

}  // namespace quillby

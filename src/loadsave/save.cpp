#include "loadsave/save.h"

#include "formats/friend_book.h"
#include "formats/friend_match.h"
#include "formats/memo_file.h"
#include "loadsave/backups.h"
#include "loadsave/file_names.h"
#include "loadsave/program_folder.h"
#include "loadsave/save_journal.h"

namespace quillby {
namespace {

// Nobody else changed friends: each row's record is where the row was read from.
void takeCountsByRecord(std::vector<FriendEntry>& rows, const std::vector<std::uint16_t>& counts) {
  for (auto& row : rows) {
    if (row.origin && row.origin->record < counts.size()) {
      row.friendNum = countText(counts[row.origin->record]);
    }
  }
}

// Another program added, removed or moved friends: each row takes the count of
// the record that is the same friend as the row was read (by name and address,
// then either alone), and keeps its own where there is none.
void takeCountsByFriend(std::vector<FriendEntry>& rows, const std::vector<FriendEntry>& onDisk) {
  std::vector<FriendKey> records;
  records.reserve(onDisk.size());
  for (const auto& record : onDisk) records.push_back({record.friendName, record.friendAddress});
  std::vector<FriendKey> friends;
  std::vector<std::optional<std::size_t>> places;
  for (const auto& row : rows) {
    if (row.origin) {
      friends.push_back({row.origin->friendName().shown, row.origin->friendAddress().shown});
      places.push_back(row.origin->record);
    } else {
      friends.push_back({row.friendName, row.friendAddress});
      places.push_back(std::nullopt);
    }
  }
  // A record at the row's place that shares neither name nor address is
  // another friend: its count is not the row's.
  const auto recordOf = matchFriends(records, friends, places, PlaceAlone::DoesNotPair);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (recordOf[i]) rows[i].friendNum = onDisk[*recordOf[i]].friendNum;
  }
}

}  // namespace

std::optional<BookFailureInfo> finishInterruptedSave(Files& files) {
  if (auto failure = finishJournal(files)) return failure;
  removeUnfinishedBackups(files);
  return std::nullopt;
}

std::optional<BookFailureInfo> saveFriends(FriendTable& table, Files& files, const Clock& clock,
                                           const Charset& charset, OtherChanges others) {
  if (table.rows.empty()) return BookFailureInfo::of(BookFailure::EmptyTable, kBookFile);
  if (auto failure = finishInterruptedSave(files)) return failure;

  const auto bookPath = inProgramFolder(files, kBookFile);
  auto onDisk = files.readAll(bookPath);
  if (!onDisk) return BookFailureInfo::bookNotRead(onDisk.error());
  auto counts = readCounts(onDisk.value());
  if (!counts) return BookFailureInfo::damaged(counts.error());
  // Both split as the counts and the load did, so neither can fail here.
  const bool changedMeanwhile =
      withCountsCleared(onDisk.value()).value() != withCountsCleared(table.bookOnDisk).value();
  if (changedMeanwhile && others == OtherChanges::Keep) {
    return BookFailureInfo::of(BookFailure::ChangedMeanwhile, kBookFile);
  }

  auto rows = table.rows;
  if (changedMeanwhile) {
    auto friendsOnDisk = readFriendBook(onDisk.value(), charset);
    if (!friendsOnDisk) return BookFailureInfo::damaged(friendsOnDisk.error());
    takeCountsByFriend(rows, friendsOnDisk.value());
  } else {
    takeCountsByRecord(rows, counts.value());
  }
  auto book = encodeFriendBook(rows, charset);
  if (!book) return BookFailureInfo::cannotEncode(book.error());
  auto memo = encodeMemoFile(rows, charset);
  if (!memo) return BookFailureInfo::cannotEncodeMemo(memo.error());
  // The image must read back as the rows it came from, or it is not written.
  auto written = readFriendBook(book.value(), charset);
  if (!written || written.value().size() != rows.size()) {
    return BookFailureInfo::of(BookFailure::CannotEncode, kBookFile);
  }

  // Should the book fail, the memo file as it was is put back. Start-up leaves
  // one in place; none reads as empty.
  const auto memoPath = inProgramFolder(files, kMemoFile);
  std::optional<Bytes> previousMemo;
  if (files.exists(memoPath)) {
    auto read = files.readAll(memoPath);
    if (!read) return BookFailureInfo::ofFile(BookFailure::Unreadable, kMemoFile, read.error());
    previousMemo = std::move(read.value());
  }
  if (auto kept = keepEarlierVersion(files, clock, onDisk.value(), previousMemo)) return kept;
  if (auto failure =
          replaceBothFiles(files, memo.value(), book.value(), previousMemo.value_or(Bytes{}))) {
    return failure;
  }

  for (std::size_t i = 0; i < rows.size(); ++i) {
    table.rows[i].friendNum = rows[i].friendNum;
    table.rows[i].origin = std::move(written.value()[i].origin);
  }
  table.bookOnDisk = std::move(book.value());
  return std::nullopt;
}

}  // namespace quillby

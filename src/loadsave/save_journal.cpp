#include "loadsave/save_journal.h"

#include <vector>

#include "loadsave/file_names.h"
#include "loadsave/program_folder.h"
#include "platform/whole_file.h"

namespace quillby {
namespace {

namespace fs = std::filesystem;

struct Move {
  const fs::path& from;
  const fs::path& to;
};

// The moves of a save, and of its undo when the book cannot be moved in.
const std::vector<Move> kForward{{kNewMemoFile, kMemoFile}, {kNewBookFile, kBookFile}};
const std::vector<Move> kBack{{kOldMemoFile, kMemoFile}};

Bytes markerText(const std::vector<Move>& moves) {
  Bytes text;
  for (const Move& move : moves) {
    const auto from = move.from.u8string();
    const auto to = move.to.u8string();
    text.append(from.begin(), from.end());
    text += " -> ";
    text.append(to.begin(), to.end());
    text += "\r\n";
  }
  return text;
}

BookFailureInfo notWritten(const fs::path& file, const FileError& error) {
  return BookFailureInfo::ofFile(BookFailure::NotWritten, file, error);
}

// A move whose new version is gone was made before the save was cut short.
std::optional<BookFailureInfo> makeMoves(Files& files, const std::vector<Move>& moves) {
  for (const Move& move : moves) {
    const fs::path from = inProgramFolder(files, move.from);
    if (!files.exists(from)) continue;
    if (auto error = files.move(from, inProgramFolder(files, move.to))) {
      return notWritten(move.to, *error);
    }
  }
  return std::nullopt;
}

// Only once no marker names them.
void removeTemporaries(Files& files) {
  for (const fs::path* name : {&kNewMemoFile, &kNewBookFile, &kOldMemoFile}) {
    (void)files.remove(inProgramFolder(files, *name));  // none there is fine
  }
  const fs::path folder = inProgramFolder(files, ".");
  auto entries = files.listFolder(folder);
  if (!entries) return;
  for (const auto& entry : entries.value()) {
    if (isTemporaryName(entry) && files.exists(folder / entry)) (void)files.remove(folder / entry);
  }
}

// True when the marker is gone, and with it what it named.
bool removeMarker(Files& files) {
  if (files.remove(inProgramFolder(files, kJournalFile))) return false;
  removeTemporaries(files);
  return true;
}

// Undoes the memo file's move; false where the marker left says what the next
// start is to finish.
bool putMemoBack(Files& files, BytesView memoBefore) {
  const fs::path memo = inProgramFolder(files, kMemoFile);
  const fs::path old = inProgramFolder(files, kOldMemoFile);
  if (files.writeTemporary(old, memoBefore, memo)) return false;
  if (files.writeAtomic(inProgramFolder(files, kJournalFile), markerText(kBack))) return false;
  if (files.move(old, memo)) return false;
  (void)removeMarker(files);
  return true;
}

}  // namespace

std::optional<BookFailureInfo> replaceBothFiles(Files& files, BytesView memo, BytesView book,
                                                BytesView memoBefore) {
  const fs::path memoPath = inProgramFolder(files, kMemoFile);
  const fs::path bookPath = inProgramFolder(files, kBookFile);
  const fs::path newMemo = inProgramFolder(files, kNewMemoFile);
  const fs::path newBook = inProgramFolder(files, kNewBookFile);
  const auto beforeMarker = [&files](const fs::path& file, const FileError& error) {
    removeTemporaries(files);
    return notWritten(file, error);
  };
  if (auto error = files.writeTemporary(newMemo, memo, memoPath)) {
    return beforeMarker(kMemoFile, *error);
  }
  if (auto error = files.writeTemporary(newBook, book, bookPath)) {
    return beforeMarker(kBookFile, *error);
  }
  if (auto error = files.writeAtomic(inProgramFolder(files, kJournalFile), markerText(kForward))) {
    return beforeMarker(kJournalFile, *error);
  }
  // From here on the marker stands for the save: the next start finishes it
  // unless the marker is removed first.
  if (auto error = files.move(newMemo, memoPath)) {
    (void)removeMarker(files);
    return notWritten(kMemoFile, *error);
  }
  if (auto error = files.move(newBook, bookPath)) {
    auto info = notWritten(kBookFile, *error);
    info.memoFileReplaced = !putMemoBack(files, memoBefore);
    return info;
  }
  (void)removeMarker(files);
  return std::nullopt;
}

std::optional<BookFailureInfo> finishJournal(Files& files) {
  const fs::path marker = inProgramFolder(files, kJournalFile);
  if (files.exists(marker)) {
    auto text = files.readAll(marker);
    if (!text) return BookFailureInfo::ofFile(BookFailure::Unreadable, kJournalFile, text.error());
    // Written in one step, so anything else is not ours to act on.
    for (const auto* moves : {&kForward, &kBack}) {
      if (text.value() != markerText(*moves)) continue;
      if (auto failure = makeMoves(files, *moves)) return failure;
    }
    (void)removeMarker(files);
    return std::nullopt;
  }
  removeTemporaries(files);
  return std::nullopt;
}

}  // namespace quillby

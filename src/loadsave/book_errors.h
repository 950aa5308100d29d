#pragma once

#include <filesystem>
#include <optional>
#include <utility>

#include "formats/friend_book.h"
#include "formats/memo_file.h"
#include "loadsave/file_names.h"
#include "platform/files.h"

namespace quillby {

// Why the friend book could not be loaded or saved; ui/ words it for the user.
enum class BookFailure {
  Missing,            // the friend book is not there
  Unreadable,         // a file could not be read (file, fileError)
  Damaged,            // the friend book does not parse (bookError)
  NotWritten,         // a file could not be written (file, fileError)
  EmptyTable,         // saving no friends would leave the host program without any
  CannotEncode,       // a friend's field does not fit the friend book (encodeError)
  CannotEncodeMemo,   // a field has a character the memo file cannot hold (memoError)
  ChangedMeanwhile,   // another program changed friends in the book since it was read
  BackupNotWritten,   // the version a save replaces could not be kept (file, fileError)
  FolderNotWritable,  // nothing can be written in the program folder (file: the folder)
};

struct BookFailureInfo {
  BookFailure failure;
  std::filesystem::path file;
  std::optional<FileError> fileError;
  std::optional<BookError> bookError;
  std::optional<EncodeError> encodeError;
  std::optional<MemoEncodeError> memoError;
  // The friend book was not written and the memo file, already replaced, could
  // not be put back either.
  bool memoFileReplaced = false;

  static BookFailureInfo of(BookFailure failure, std::filesystem::path file) {
    return {failure, std::move(file), {}, {}, {}, {}};
  }
  static BookFailureInfo ofFile(BookFailure failure, std::filesystem::path file, FileError error) {
    return {failure, std::move(file), error, {}, {}, {}};
  }
  // Missing when the friend book is not there at all.
  static BookFailureInfo bookNotRead(FileError error) {
    return ofFile(
        error.problem == FileProblem::NotFound ? BookFailure::Missing : BookFailure::Unreadable,
        kBookFile, error);
  }
  static BookFailureInfo damaged(BookError error) {
    return {BookFailure::Damaged, kBookFile, {}, error, {}, {}};
  }
  static BookFailureInfo cannotEncode(EncodeError error) {
    return {BookFailure::CannotEncode, kBookFile, {}, {}, error, {}};
  }
  static BookFailureInfo cannotEncodeMemo(MemoEncodeError error) {
    return {BookFailure::CannotEncodeMemo, kMemoFile, {}, {}, {}, error};
  }
};

}  // namespace quillby

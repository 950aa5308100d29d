#include "ui/book_messages.h"

#include <string>

namespace quillby {
namespace {

Text number(std::size_t n) {
  const std::string digits = std::to_string(n);
  return Text(digits.begin(), digits.end());
}

Text quoted(const std::filesystem::path& file) { return u"「" + file.u16string() + u"」"; }

Text damage(const BookError& error) {
  const Text where =
      number(error.record + 1) + u"件目（" + number(error.offset) + u"バイト目から）";
  switch (error.problem) {
    case BookProblem::Truncated:
      return u"が壊れています。" + where + u"のおともだちの記録がファイルの終わりで切れています。";
    case BookProblem::TooManyRecords:
      return u"に1000人を超えるおともだちが登録されています（" + where +
             u"）。Quillby が扱えるのは1000人までです。";
  }
  return {};
}

Text friendLabel(const FriendTable& table, std::size_t row) {
  Text label = number(row + 1) + u"番目のおともだち";
  if (row < table.rows.size()) label += u"「" + table.rows[row].friendName + u"」";
  return label;
}

Text bookFieldName(BookField field) {
  switch (field) {
    case BookField::PetName:
      return u"ペットの名前";
    case BookField::FriendName:
      return u"名前";
    case BookField::FriendAddress:
      return u"メールアドレス";
  }
  return {};
}

Text encodeProblem(const EncodeError& error, const FriendTable& table) {
  const Text who = friendLabel(table, error.row) + u"の" + bookFieldName(error.field);
  switch (error.problem) {
    case EncodeProblem::TooLong:
      return error.field == BookField::FriendAddress
                 ? who + u"が長すぎます。255文字までにして下さい。"
                 : who + u"が長すぎます。半角で255文字（全角で127文字）までにして下さい。";
    case EncodeProblem::NotSingleByte:
      return who + u"に使えない文字が含まれています。半角の英数字と記号だけにして下さい。";
    case EncodeProblem::NotEncodable:
      return who + u"に、おともだち帳に書けない文字が含まれています。";
    case EncodeProblem::ImageTooLarge:
      return u"おともだち帳が大きくなりすぎます（65536バイトまで）。おともだちを減らすか、名前を短"
             u"くして下さい。";
  }
  return {};
}

Text memoFieldName(MemoField field) {
  switch (field) {
    case MemoField::Name:
      return u"名前";
    case MemoField::Address:
      return u"メールアドレス";
    case MemoField::Memo:
      return u"メモ";
  }
  return {};
}

}  // namespace

Text fileProblemText(const FileError& error) {
  switch (error.problem) {
    case FileProblem::NotFound:
      return u"ファイルかフォルダが見つかりません";
    case FileProblem::AccessDenied:
      return u"アクセスが拒否されました。読み取り専用か、ほかのプログラムが使っています";
    case FileProblem::DiskFull:
      return u"ディスクの空きが足りません";
    case FileProblem::Other:
      break;
  }
  return u"エラー番号 " + number(static_cast<std::size_t>(error.systemCode));
}

Text bookFailureMessage(const BookFailureInfo& info, const FriendTable& table) {
  const Text file = quoted(info.file);
  const Text problem = info.fileError ? u"（" + fileProblemText(*info.fileError) + u"）" : Text{};
  switch (info.failure) {
    case BookFailure::Missing:
      return file +
             u"が見つかりません。Quillby は PostPet20.EXE と同じフォルダに置いて使って下さい。";
    case BookFailure::Unreadable:
      return file + u"を読み込めません" + problem + u"。";
    case BookFailure::Damaged:
      return info.bookError ? file + damage(*info.bookError) : file + u"が壊れています。";
    case BookFailure::NotWritten:
      return file + u"を書き込めません" + problem +
             (info.memoFileReplaced
                  ? u"。おともだち帳は元のままですが、メモのファイルは書き換わっています。"
                    u"もう一度セーブして下さい。"
                  : u"。元のファイルはそのままです。");
    case BookFailure::EmptyTable:
      return u"おともだちが一人もいないので、セーブしませんでした。" + file + u"はそのままです。";
    case BookFailure::CannotEncode:
      return info.encodeError ? encodeProblem(*info.encodeError, table)
                              : file + u"を正しく作れませんでした。";
    case BookFailure::ChangedMeanwhile:
      return file + u"は、Quillby が読み込んだ後にほかのプログラムでおともだちが変更されています。";
    case BookFailure::BackupNotWritten:
      return u"セーブの前に、今のおともだち帳とメモのファイルを" + file +
             u"に控えられませんでした" + problem + u"。どちらのファイルもそのままです。";
    case BookFailure::CannotEncodeMemo:
      if (!info.memoError) break;
      return friendLabel(table, info.memoError->row) + u"の" +
             memoFieldName(info.memoError->field) +
             u"に、メモファイルに書けない文字が含まれています。";
  }
  return file + u"を扱えません。";
}

}  // namespace quillby

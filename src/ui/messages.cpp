#include "ui/messages.h"

#include <string>

#include "loadsave/file_names.h"
#include "model/app_title.h"

namespace quillby {
namespace {

Text ascii(const std::string& s) { return Text(s.begin(), s.end()); }

Text number(std::size_t n) { return ascii(std::to_string(n)); }

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
    case BookFailure::FolderNotWritable:
      return u"Quillby はフォルダ" + file +
             u"に書き込めません。Quillby はこのフォルダに、おともだち帳の控え、メモのファイル、"
             u"設定のファイルを書き込みます。このフォルダに書き込む権限をもらってください"
             u"（パソコンの管理者にお願いしてください）。または、PostPet のフォルダごと、書き込める"
             u"場所（「ドキュメント」など）にコピーして、そこにある Quillby を起動してください。";
    case BookFailure::CannotEncodeMemo:
      if (!info.memoError) break;
      return friendLabel(table, info.memoError->row) + u"の" +
             memoFieldName(info.memoError->field) +
             u"に、メモファイルに書けない文字が含まれています。";
  }
  return file + u"を扱えません。";
}

Text windowNotOpenedMessage() { return u"ウィンドウを開けませんでした。Quillby を終了します。"; }

Text compactWindowNotOpenedMessage() { return u"メモ無しのウィンドウを開けませんでした。"; }

Text startStoppedMessage(const BookFailureInfo& info, const FriendTable& table) {
  return bookFailureMessage(info, table) +
         u"\r\nQuillby を終了します。おともだち帳、その控え、メモのファイルは変更していません。";
}

DialogRequest writeOverQuestion(const BookFailureInfo& info, const FriendTable& table) {
  return {
      bookFailureMessage(info, table) + u"\r\nセーブすると、その変更は消えます。セーブしますか？",
      kAppTitle, DialogButtons::OkCancel, DialogIcon::Exclamation, 2};
}

Text saveFailedMessage(const BookFailureInfo& info, const FriendTable& table) {
  return bookFailureMessage(info, table) + u"\r\nセーブできませんでした。";
}

EditingBoxes editingBoxes() {
  return {
      problemBox(
          u"おともだちは1000人まで登録できます。これ以上追加するには、先に誰かを削除して下さい。"),
      {u"本当に削除してよろしいですか？", kAppTitle, DialogButtons::OkCancel,
       DialogIcon::Exclamation, 2},
  };
}

DialogRequest mailCheckQuestion() {
  return {
      u"POPサーバに接続できるようにして下さい(ダイアルアップ接続等)。\r\n"
      u"準備ができたら「ＯＫ」ボタンを押して下さい。",
      u"メールチェックをしようとしています", DialogButtons::OkCancel, DialogIcon::Exclamation, 1};
}

DialogRequest recallQuestion() {
  return {
      u"  POPサーバに接続できるようにして下さい(ダイアルアップ接続等)。\r\n"
      u"接続できない状態で呼び戻すと20秒ほどキー入力が効かなくなりますが、\r\n"
      u"その後は元に戻ります。 20秒以内にPOPサーバが応答しないと呼び戻せません。\r\n"
      u"残り時間は、「ペットを呼び戻す」ボタンの上部に表示されます。\r\n"
      u"  ペットを呼び戻しますか？",
      u"ペットを呼び戻そうとしています", DialogButtons::OkCancel, DialogIcon::Exclamation, 1};
}

Text hostFailureMessage(HostFailure failure) {
  switch (failure) {
    case HostFailure::NotStarted:
      return u"PostPet20.EXE を起動できませんでした。"
             u"Quillby と同じフォルダに PostPet20.EXE があるか確かめて下さい。";
    case HostFailure::NoWindow:
      return u"PostPet20.EXE のウィンドウが見つからないか、前面に出せませんでした。"
             u"PostPet20.EXE が起動しているか確かめて下さい。";
    case HostFailure::NotSent:
      return u"PostPet20.EXE にキー操作を送れませんでした。"
             u"PostPet20.EXE が応答しているか確かめて下さい。";
    case HostFailure::NotAnswering:
      return u"PostPet20.EXE が応答しないため、操作を中止しました。"
             u"PostPet20.EXE が動いているか確かめてから、もう一度やり直して下さい。";
    case HostFailure::NoFolder:
      return u"Quillby のフォルダに移れませんでした。";
    case HostFailure::BadKeys:
      return u"PostPet20.EXE に送るキー操作の書き方に誤りがあります。";
  }
  return {};
}

Text untypableAddressMessage(TextView friendName) {
  return u"「" + Text(friendName) +
         u"」のメールアドレスに、キーで入力できない文字 (制御文字か、読み取れなかった文字) "
         u"が含まれているため、メールウィンドウを開きませんでした。"
         u"メールアドレスを直してから、もう一度やり直して下さい。";
}

Text dateNotMovedMessage(ClockProblem problem) {
  const Text lead = u"日付を変更できなかったため、ペットを呼び戻せませんでした。";
  switch (problem) {
    case ClockProblem::NoPrivilege:
      return lead + u"日付を変更するには、Quillby を管理者として実行して下さい。";
    case ClockProblem::Refused:
    case ClockProblem::DaylightStep:
      return lead + u"Windows が日付の変更を受け付けませんでした。";
  }
  return lead;
}

Text timeMaybeOffMessage() {
  return u"夏時間の切り替えをまたいで日付を変更したため、Windows の時刻が1時間ずれているかも"
         u"しれません。Windows の時刻を確かめて下さい。";
}

Text dateNotRestoredMessage(std::chrono::year_month_day date) {
  return u"日付を元に戻せませんでした。Windows の日付を " +
         ascii(std::to_string(static_cast<int>(date.year()))) + u"年" +
         ascii(std::to_string(static_cast<unsigned>(date.month()))) + u"月" +
         ascii(std::to_string(static_cast<unsigned>(date.day()))) + u"日 に直して下さい。";
}

Text settingsNotKeptMessage(const std::optional<FileError>& fileProblem) {
  const Text lost =
      u"ウィンドウの位置とオプション（手前に表示など）を保存できませんでした。"
      u"次回の起動では、前回保存された位置とオプションになります。";
  if (!fileProblem) {
    return u"ウィンドウの位置を取得できなかったか、記録できる範囲の外にあったため、" + lost +
           u"次からは、ウィンドウを画面の上の方に移してから終了してください。";
  }
  return quoted(kSettingsFile) + u"に書き込めないため（" + fileProblemText(*fileProblem) + u"）、" +
         lost + quoted(kSettingsFile) +
         u"が読み取り専用になっていないか、Quillby のフォルダに書き込めるかを確かめてください。";
}

}  // namespace quillby

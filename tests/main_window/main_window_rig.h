#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/host_fakes.h"
#include "loadsave/book_folder.h"
#include "support/memory_window_manager.h"
#include "ui/main_window.h"

namespace quillby {

// The real files of the test's folder. Every change of the current directory
// is noted in the journal, so that a host sequence reads as one list.
class JournalFiles final : public Files {
 public:
  JournalFiles(Journal& journal, Files& real) : journal_(journal), real_(real) {}

  std::filesystem::path programFolder() const override { return real_.programFolder(); }
  FileStatus setCurrentDirectory(const std::filesystem::path& folder) override {
    journal_.note("cd " + folder.generic_string());
    return real_.setCurrentDirectory(folder);
  }
  bool exists(const std::filesystem::path& file) const override { return real_.exists(file); }
  Result<Bytes, FileError> readAll(const std::filesystem::path& file) const override {
    return real_.readAll(file);
  }
  FileStatus writeAtomic(const std::filesystem::path& file, BytesView data) override {
    return real_.writeAtomic(file, data);
  }
  FileStatus writeTemporary(const std::filesystem::path& file, BytesView data,
                            const std::filesystem::path& replacing) override {
    return real_.writeTemporary(file, data, replacing);
  }
  FileStatus move(const std::filesystem::path& from, const std::filesystem::path& to) override {
    return real_.move(from, to);
  }
  FileStatus makeFolder(const std::filesystem::path& folder) override {
    return real_.makeFolder(folder);
  }
  Result<std::vector<std::filesystem::path>, FileError> listFolder(
      const std::filesystem::path& folder) const override {
    return real_.listFolder(folder);
  }
  FileStatus remove(const std::filesystem::path& entry) override { return real_.remove(entry); }

 private:
  Journal& journal_;
  Files& real_;
};

inline FriendEntry friendOf(Text name, Text address, std::uint16_t count, Text pet = u"ポチ",
                            Text kind = u"イヌ") {
  FriendEntry row;
  row.friendName = std::move(name);
  row.friendAddress = std::move(address);
  row.petName = std::move(pet);
  row.petKindName = std::move(kind);
  row.friendNum = countText(count);
  return row;
}

// The main window on in-memory controls over a real program folder; the
// window manager, message boxes and the host are recording fakes.
class MainWindowTest : public ::testing::Test {
 protected:
  static constexpr WindowId kWindow = 7;

  // Starts the program afresh on the folder: a new window, then its load.
  bool start() {
    main = std::make_unique<Main>(services);
    main->c.form.attach(std::make_unique<MemoryFormPeer>(kWindow));
    return main->Form_Load();
  }

  MainControls& c() { return main->c; }

  void putBook(std::vector<FriendEntry> rows) {
    f.put(kBookFile, bookOf(std::move(rows), f.charset));
  }
  // Three friends with counts 5, 7 and 9 and a memo for each.
  void putThreeFriends() {
    putBook({friendOf(u"あきこ", u"akiko@example.jp", 5),
             friendOf(u"ひろし", u"hiroshi@example.jp", 7, u"タマ", u"雑種ネコ"),
             friendOf(u"Ken", u"ken@example.jp", 9, u"", u"")});
    f.put(kMemoFile,
          "\"\x82\xa0\x82\xab\x82\xb1\",\"akiko@example.jp\",\"memo A\"\r\n"    // あきこ
          "\"\x82\xd0\x82\xeb\x82\xb5\",\"hiroshi@example.jp\",\"memo H\"\r\n"  // ひろし
          "\"Ken\",\"ken@example.jp\",\"memo K\"\r\n");
  }

  const std::vector<Text>& lines() { return c().List1.lines(); }
  // The six boxes in the order the selection fills them.
  std::vector<Text> boxes() {
    return {c().txtName.text(),    c().txtNum.text(),     c().txtAddress.text(),
            c().txtPetName.text(), c().txtPetKind.text(), c().txtMemo.text()};
  }

  std::string folderText() const { return f.folder.path().generic_string(); }
  std::string startEntry() const { return "start " + folderText() + "/PostPet20.EXE"; }
  std::string cdEntry() const { return "cd " + folderText(); }

  BookFolder f;
  Journal journal;
  FakeClock clock{journal, std::chrono::year{2026} / 12 / 7, 12 * 3600.0};
  FakeHostInput input{journal};
  JournalFiles files{journal, f.files};
  RecordingDialogs dialogs;
  MemoryWindowManager windows;
  Services services{files, f.charset, dialogs, windows, input, clock};
  std::unique_ptr<Main> main;
};

}  // namespace quillby

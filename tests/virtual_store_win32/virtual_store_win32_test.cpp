// The program started as it starts, under Wine, on a program folder that
// nothing can write (with_locked_folders locks it and skips us without it).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "formats/friend_book.h"
#include "model/app_title.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_virtual_store.h"
#include "support/system_platform.h"
#include "support_win32/live_program.h"
#include "support_win32/screenshot.h"

namespace quillby::test {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

fs::path lockedFolder(const wchar_t* variable) {
  const wchar_t* folder = _wgetenv(variable);
  return folder ? fs::path(folder) : fs::path();
}

// What a folder holds, name and bytes, so that any change shows.
std::vector<std::pair<fs::path, Bytes>> contents(const fs::path& folder) {
  std::vector<std::pair<fs::path, Bytes>> found;
  for (const auto& entry : fs::directory_iterator(folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    found.emplace_back(entry.path().filename(), Bytes(std::istreambuf_iterator<char>(in), {}));
  }
  std::ranges::sort(found);
  return found;
}

class UnderProgramFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    if (program.empty()) GTEST_SKIP() << "needs the locked folders of with_locked_folders";
    ASSERT_TRUE(view) << "no VirtualStore for " << program;
    fs::remove_all(store);
    programBefore = contents(program);
  }
  void TearDown() override {
    main.reset();
    pumpMessages();
    if (program.empty()) return;
    EXPECT_EQ(contents(program), programBefore) << "the program folder changed";
    fs::remove_all(store);
  }

  HWND control(std::string_view name) const { return mainControl(*main, name); }
  Text firstName(const fs::path& book) const {
    auto rows = readFriendBook(system.readAll(book).value(), charset);
    return rows && !rows.value().empty() ? rows.value()[0].friendName : Text{};
  }
  // Starts, adds "さん" to the first friend's name and saves.
  void startEditAndSave() {
    main = startProgram(services, ends);
    ASSERT_TRUE(main && showing(*main));
    typeAtEnd(control("txtName"), u"さん");
    press(control("Command1"));
    EXPECT_THAT(dialogs.shown, ::testing::IsEmpty());
  }

  const fs::path program = lockedFolder(L"QUILLBY_LOCKED_PROGRAM_FILES");
  // Where Windows keeps a program's writes there, named as it names it.
  const fs::path store =
      fs::path(_wgetenv(L"LOCALAPPDATA")) / "VirtualStore" / program.relative_path();
  SystemFiles system{program};
  std::unique_ptr<Files> view = hostViewOf(system);
  SystemCharset charset;
  RecordingDialogs dialogs;
  Win32WindowManager windows;
  Win32HostInput input;
  TimeOnlyClock clock;
  Services services{view ? *view : system, charset, dialogs, windows, input, clock};
  std::unique_ptr<Main> main;
  int ends = 0;
  std::vector<std::pair<fs::path, Bytes>> programBefore;
};

TEST_F(UnderProgramFiles, TheStoresCopyIsListedAndTheSaveChangesOnlyIt) {
  fs::create_directories(store);
  ASSERT_FALSE(system.writeAtomic(store / kBookFile, bookOf({friendRow(u"ぶい")}, charset)));
  ASSERT_NO_FATAL_FAILURE(startEditAndSave());
  EXPECT_THAT(listLines(control("List1")), ElementsAre(u"ぶいさん"));
  EXPECT_EQ(firstName(store / kBookFile), u"ぶいさん");
}

TEST_F(UnderProgramFiles, WithoutACopyTheSafetyCopyAndTheSaveGoToTheStore) {
  const Text first = firstName(program / kBookFile);
  ASSERT_NO_FATAL_FAILURE(startEditAndSave());
  EXPECT_EQ(listLine(control("List1"), 0), first + u"さん");
  EXPECT_EQ(system.readAll(store / kBackupFile).value(),
            system.readAll(program / kBookFile).value());
  EXPECT_EQ(firstName(store / kBookFile), first + u"さん");
  EXPECT_TRUE(fs::is_directory(store / kBackupsFolder));
}

// Elsewhere the start stops with one message that names the folder; the
// message box is left as folder_not_writable.bmp beside this program.
TEST(NotUnderProgramFiles, TheStartNamesTheFolderThatCannotBeWritten) {
  const fs::path folder = lockedFolder(L"QUILLBY_LOCKED_FOLDER");
  if (folder.empty()) GTEST_SKIP() << "needs the locked folders of with_locked_folders";
  SystemFiles system{folder};
  EXPECT_EQ(hostViewOf(system), nullptr);
  const auto before = contents(folder);

  std::wstring shown;
  bool saved = false;
  std::thread user([&] {
    const auto title = reinterpret_cast<const wchar_t*>(kAppTitle);
    for (int tries = 0; tries < 200; ++tries, Sleep(100)) {
      HWND box = FindWindowW(L"#32770", title);
      if (!box) continue;
      Sleep(500);  // painted
      saved = saveScreenshot(box, (ownFolder() / "folder_not_writable.bmp").c_str());
      wchar_t text[2048] = {};
      GetDlgItemTextW(box, 0xFFFF, text, 2048);
      shown = text;
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      return;
    }
  });
  SystemCharset charset;
  Win32Dialogs dialogs;
  Win32WindowManager windows;
  Win32HostInput input;
  TimeOnlyClock clock;
  Services services{system, charset, dialogs, windows, input, clock};
  int ends = 0;
  EXPECT_EQ(startProgram(services, ends), nullptr);
  user.join();

  EXPECT_TRUE(saved);
  EXPECT_THAT(shown, HasSubstr(L"「" + folder.wstring() + L"」"));
  EXPECT_EQ(contents(folder), before);
}

}  // namespace
}  // namespace quillby::test

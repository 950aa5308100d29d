#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "host/host_fakes.h"
#include "loadsave/book_folder.h"
#include "main_window/main_window_rig.h"
#include "support/memory_window_manager.h"
#include "ui/main_window.h"
#include "ui/small_window.h"

namespace quillby {

// Both windows on in-memory controls over a real program folder. The compact
// window is "built" by giving it a window id of its own; ending the program is
// counted.
class TwoWindowsTest : public ::testing::Test {
 protected:
  static constexpr WindowId kMainWindow = 7;
  static constexpr WindowId kCompactWindow = 8;

  bool start() {
    main = std::make_unique<Main>(
        services, ProgramHooks{
                      .buildCompact =
                          [this](SmallForm& small) {
                            ++builds;
                            small.c.form.attach(std::make_unique<MemoryFormPeer>(kCompactWindow));
                            return buildSucceeds;
                          },
                      .endProgram = [this] { ++ends; },
                  });
    main->c.form.attach(std::make_unique<MemoryFormPeer>(kMainWindow));
    return main->Form_Load();
  }

  MainControls& m() { return main->c; }
  SmallForm& small() { return *main->compactWindow(); }

  void putThreeFriends() {
    f.put(kBookFile,
          bookOf({friendRow(u"あきこ"), friendRow(u"ひろし"), friendRow(u"Ken")}, f.charset));
  }
  void putSettings(BytesView record) { f.put(kSettingsFile, record); }
  Bytes storedSettings() const { return f.get(kSettingsFile); }

  BookFolder f;
  Journal journal;
  FakeClock clock{journal, std::chrono::year{2026} / 12 / 7, 12 * 3600.0};
  FakeHostInput input{journal};
  RecordingDialogs dialogs;
  MemoryWindowManager windows;
  Services services{f.files, f.charset, dialogs, windows, input, clock};
  std::unique_ptr<Main> main;
  int builds = 0;
  bool buildSucceeds = true;
  int ends = 0;
};

}  // namespace quillby

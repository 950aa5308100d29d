#pragma once

#include <optional>
#include <string>

#include "model/text.h"

namespace quillby {

// "QUILLBY.INI": one record of six comma-separated values, CR LF.
// A value is either a text (written quoted) or no value (written as nothing).
using SettingValue = std::optional<std::string>;

enum class ProgramWindow { Main, Compact };

struct TwipsPlace {
  double left = 0;
  double top = 0;
};

// One window's copy of the stored values, by what they mean. Whatever the
// file held is written back as read until the program sets the value: an
// option is on only for the exact text "1", and "0", no value or any other
// text all mean off but are kept apart.
class SettingsValues {
 public:
  bool keepInFront() const { return keepFrontFlag_ == "1"; }
  void setKeepInFront(bool on) { keepFrontFlag_ = flagText(on); }

  bool quitPostPet() const { return quitPostPetFlag_ == "1"; }
  void setQuitPostPet(bool on) { quitPostPetFlag_ = flagText(on); }

  // The no-connection-check box is ticked for "1" only; the connection hint
  // is shown only when the option was set off ("0"), never for a file that
  // left it empty.
  bool noConnectionCheck() const { return noConnCheckFlag_ == "1"; }
  bool showsConnectionHint() const { return noConnCheckFlag_ == "0"; }
  void setNoConnectionCheck(bool on) { noConnCheckFlag_ = *flagText(on); }

  // The compact window only when the file says so; before the first exit the
  // program starts in the main window.
  ProgramWindow lastWindow() const {
    return mainWindowFlag_ == "0" ? ProgramWindow::Compact : ProgramWindow::Main;
  }
  void setLastWindow(ProgramWindow window) {
    mainWindowFlag_ = flagText(window == ProgramWindow::Main);
  }

  // The stored place in twips; a value that is not a number gives 0.
  TwipsPlace place() const;
  // Takes a window's restored place in twips. The top is kept as a 16-bit
  // whole number, as the stored files always had it: one that does not fit
  // is refused (false) and nothing changes. An edge past the screen's left or
  // top is kept at 0.
  bool setPlace(TwipsPlace twips);

  bool operator==(const SettingsValues&) const = default;

 private:
  friend SettingsValues readSettings(BytesView file);
  friend Bytes encodeSettings(const SettingsValues& values);

  static SettingValue flagText(bool on) { return on ? "1" : "0"; }

  // In file order.
  SettingValue savedLeft_;        // twips, " 1200"
  SettingValue savedTop_;         // twips, " 900"
  SettingValue keepFrontFlag_;    // "1", "0" or no value
  SettingValue quitPostPetFlag_;  // "1", "0" or no value
  SettingValue mainWindowFlag_;   // "1": last exit from the main window; "0": compact
  std::string noConnCheckFlag_;   // "1", "0" or empty
};

// The first six values, after a UTF-8 byte-order mark that an editor may have
// put in front; whatever follows them (a stray comma, the end-of-file byte of
// old editors, more records) is ignored. A file that ends before the sixth
// value gives the defaults of a missing file.
SettingsValues readSettings(BytesView file);

Bytes encodeSettings(const SettingsValues& values);

// The numeric value of a text as the window position uses it: leading blanks
// skipped, an optional sign, digits and a decimal part up to the first character
// that cannot continue the number; a text without a leading number, the empty
// text and no value give 0.
double numericValue(const SettingValue& text);

// A position in twips as stored: a blank, then the number with at most 15
// significant digits and no decimal point when it is whole (" 1200", " 857.5").
std::string positionText(double twips);

}  // namespace quillby

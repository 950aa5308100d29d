#pragma once

#include <optional>
#include <string>

#include "model/text.h"

namespace quillby {

// "QUILLBY.INI": one record of six comma-separated values, CR LF.
// A value is either a text (written quoted) or no value (written as nothing).
using SettingValue = std::optional<std::string>;

struct SettingsValues {
  SettingValue savedLeft;        // twips, " 1200"
  SettingValue savedTop;         // twips, " 900"
  SettingValue keepFrontFlag;    // "1", "0" or no value
  SettingValue quitPostPetFlag;  // "1", "0" or no value
  SettingValue mainWindowFlag;   // "1": last exit from the main window; "0": compact
  std::string noConnCheckFlag;   // "1", "0" or empty

  bool operator==(const SettingsValues&) const = default;
};

// The first six values; whatever follows them (a stray comma, the end-of-file
// byte of old editors, more records) is ignored. A file that ends before the
// sixth value gives the defaults of a missing file.
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

#include "formats/settings_file.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <initializer_list>

#include "formats/leading_number.h"
#include "formats/quoted_fields.h"

namespace quillby {
namespace {

constexpr std::size_t kValuesPerRecord = 6;
constexpr int kSignificantDigits = 15;

SettingValue valueOf(const QuotedField& field) {
  if (!field.quoted && field.text.empty()) return std::nullopt;
  return field.text;
}

SettingsValues valuesOf(const std::array<QuotedField, kValuesPerRecord>& group) {
  return {valueOf(group[0]), valueOf(group[1]), valueOf(group[2]),
          valueOf(group[3]), valueOf(group[4]), valueOf(group[5]).value_or(std::string{})};
}

}  // namespace

SettingsValues readSettings(BytesView file) {
  FieldReader reader(file);
  std::array<QuotedField, kValuesPerRecord> group;
  for (auto& value : group) {
    auto field = reader.next();
    if (!field) return SettingsValues{};
    value = std::move(*field);
  }
  return valuesOf(group);
}

Bytes encodeSettings(const SettingsValues& values) {
  Bytes out;
  for (const SettingValue* value : {&values.savedLeft, &values.savedTop, &values.keepFrontFlag,
                                    &values.quitPostPetFlag, &values.mainWindowFlag}) {
    if (*value) appendQuoted(out, **value);
    out += ',';
  }
  appendQuoted(out, values.noConnCheckFlag);
  out += "\r\n";
  return out;
}

double numericValue(const SettingValue& text) { return text ? leadingNumber(*text) : 0; }

std::string positionText(double twips) {
  if (!std::isfinite(twips) || twips == 0) twips = 0;
  const double magnitude = std::fabs(twips);
  const int wholeDigits =
      magnitude < 1 ? 1 : static_cast<int>(std::floor(std::log10(magnitude))) + 1;
  const int decimals = std::clamp(kSignificantDigits - wholeDigits, 0, kSignificantDigits);
  std::array<char, 400> buffer{};  // the widest double in fixed notation fits
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                       std::chars_format::fixed, decimals);
  std::string digits = ec == std::errc{} ? std::string(buffer.data(), end) : "0";
  if (digits.find('.') != std::string::npos) {
    digits.erase(digits.find_last_not_of('0') + 1);
    if (digits.back() == '.') digits.pop_back();
  }
  return (twips < 0 ? "-" : " ") + digits;
}

}  // namespace quillby

#include "formats/settings_file.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>

#include "formats/leading_number.h"
#include "formats/quoted_fields.h"
#include "formats/utf16_text.h"
#include "formats/utf8_text.h"

namespace quillby {
namespace {

constexpr std::size_t kValuesPerRecord = 6;
constexpr int kSignificantDigits = 15;

SettingValue valueOf(const QuotedField& field) {
  if (!field.quoted && field.text.empty()) return std::nullopt;
  return field.text;
}

}  // namespace

TwipsPlace SettingsValues::place() const {
  return {numericValue(savedLeft_), numericValue(savedTop_)};
}

bool SettingsValues::setPlace(TwipsPlace twips) {
  const double top = std::nearbyint(twips.top);
  if (!(top >= std::numeric_limits<std::int16_t>::min() &&
        top <= std::numeric_limits<std::int16_t>::max())) {
    return false;
  }
  savedLeft_ = positionText(twips.left < 0 ? 0 : twips.left);
  savedTop_ = positionText(top < 0 ? 0 : top);
  return true;
}

SettingsValues readSettings(BytesView file) {
  const std::optional<Bytes> fromUtf16 = utf16AsUtf8(file);
  if (fromUtf16) file = *fromUtf16;
  if (file.starts_with(kUtf8Mark)) file.remove_prefix(kUtf8Mark.size());
  FieldReader reader(file);
  std::array<QuotedField, kValuesPerRecord> group;
  for (auto& value : group) {
    auto field = reader.next();
    if (!field) return SettingsValues{};
    value = std::move(*field);
  }
  SettingsValues values;
  values.savedLeft_ = valueOf(group[0]);
  values.savedTop_ = valueOf(group[1]);
  values.keepFrontFlag_ = valueOf(group[2]);
  values.quitPostPetFlag_ = valueOf(group[3]);
  values.mainWindowFlag_ = valueOf(group[4]);
  values.noConnCheckFlag_ = valueOf(group[5]).value_or(std::string{});
  return values;
}

Bytes encodeSettings(const SettingsValues& values) {
  Bytes out;
  for (const SettingValue* value : {&values.savedLeft_, &values.savedTop_, &values.keepFrontFlag_,
                                    &values.quitPostPetFlag_, &values.mainWindowFlag_}) {
    if (*value) appendQuoted(out, **value);
    out += ',';
  }
  appendQuoted(out, values.noConnCheckFlag_);
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

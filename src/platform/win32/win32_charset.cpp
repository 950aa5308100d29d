#include "platform/win32/win32_charset.h"

#include <windows.h>

#include <climits>

namespace quillby {
namespace {
constexpr UINT kCodePage = 932;
// Code page 932 gives one UTF-16 unit for every one or two bytes, and at most
// two bytes for every unit: room for these converts in one call, without
// asking for the length first.
constexpr std::size_t kMaxUnitsPerByte = 1;
constexpr std::size_t kMaxBytesPerUnit = 2;
}  // namespace

std::optional<Text> Win32Charset::toUnicode(BytesView cp932) const {
  if (cp932.empty()) return Text{};
  if (cp932.size() > INT_MAX / kMaxUnitsPerByte) return std::nullopt;
  const int inLen = static_cast<int>(cp932.size());
  Text out(cp932.size() * kMaxUnitsPerByte, u'\0');
  const int n =
      MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, cp932.data(), inLen,
                          reinterpret_cast<wchar_t*>(out.data()), static_cast<int>(out.size()));
  if (n <= 0) return std::nullopt;
  out.resize(static_cast<std::size_t>(n));
  return out;
}

std::optional<Bytes> Win32Charset::fromUnicode(TextView text) const {
  if (text.empty()) return Bytes{};
  if (text.size() > INT_MAX / kMaxBytesPerUnit) return std::nullopt;
  const auto* in = reinterpret_cast<const wchar_t*>(text.data());
  const int inLen = static_cast<int>(text.size());
  Bytes out(text.size() * kMaxBytesPerUnit, '\0');
  BOOL usedDefault = FALSE;
  const int n = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, in, inLen, out.data(),
                                    static_cast<int>(out.size()), nullptr, &usedDefault);
  if (n <= 0 || usedDefault) return std::nullopt;
  out.resize(static_cast<std::size_t>(n));
  return out;
}

}  // namespace quillby

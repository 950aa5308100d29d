#include "platform/win32/win32_charset.h"

#include <windows.h>

#include <climits>

namespace quillby {
namespace {
constexpr UINT kCodePage = 932;
}

std::optional<Text> Win32Charset::toUnicode(BytesView cp932) const {
  if (cp932.empty()) return Text{};
  if (cp932.size() > INT_MAX) return std::nullopt;
  const int inLen = static_cast<int>(cp932.size());
  const int n =
      MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, cp932.data(), inLen, nullptr, 0);
  if (n <= 0) return std::nullopt;
  Text out(static_cast<std::size_t>(n), u'\0');
  if (MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, cp932.data(), inLen,
                          reinterpret_cast<wchar_t*>(out.data()), n) != n) {
    return std::nullopt;
  }
  return out;
}

std::optional<Bytes> Win32Charset::fromUnicode(TextView text) const {
  if (text.empty()) return Bytes{};
  if (text.size() > INT_MAX / 2) return std::nullopt;
  const auto* in = reinterpret_cast<const wchar_t*>(text.data());
  const int inLen = static_cast<int>(text.size());
  BOOL usedDefault = FALSE;
  const int n = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, in, inLen, nullptr, 0, nullptr,
                                    &usedDefault);
  if (n <= 0 || usedDefault) return std::nullopt;
  Bytes out(static_cast<std::size_t>(n), '\0');
  if (WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, in, inLen, out.data(), n, nullptr,
                          &usedDefault) != n ||
      usedDefault) {
    return std::nullopt;
  }
  return out;
}

}  // namespace quillby

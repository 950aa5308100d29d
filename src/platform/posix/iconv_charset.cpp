#include "platform/posix/iconv_charset.h"

#include <iconv.h>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <iterator>
#include <string_view>

namespace quillby {
namespace {

static_assert(std::endian::native == std::endian::little, "Text is converted as UTF-16LE");

// Where glibc's CP932 and Windows' part ways, Windows wins: the program runs there.
// Windows reads the single byte 0x80 as U+0080; glibc has no code for it.
constexpr unsigned char kByte80 = 0x80;
constexpr char16_t kUnit80 = u'\u0080';

// How Windows writes a character that glibc writes otherwise. An empty code: none.
struct WindowsCode {
  char16_t unit;
  std::string_view code;
};

// In character order, for the binary search.
constexpr WindowsCode kWindowsCodes[] = {
    {u'\u0080', "\x80"},  // and back
    // glibc's one-way substitutes, which Windows refuses: ¢ £ ¥ ¬ — ‖ ‾ − 〜 would
    // come back as ￠ ￡ \ ￢ ― ∥ ~ － ～.
    {u'\u00A2', ""},
    {u'\u00A3', ""},
    {u'\u00A5', ""},
    {u'\u00AC', ""},
    {u'\u2014', ""},
    {u'\u2016', ""},
    {u'\u203E', ""},
    {u'\u2212', ""},
    {u'\u301C', ""},
    // Windows writes these private-use characters as bytes that it reads as nothing.
    {u'\uF8F0', "\xA0"},
    {u'\uF8F1', "\xFD"},
    {u'\uF8F2', "\xFE"},
    {u'\uF8F3', "\xFF"},
};

static_assert(std::is_sorted(std::begin(kWindowsCodes), std::end(kWindowsCodes),
                             [](const WindowsCode& a, const WindowsCode& b) {
                               return a.unit < b.unit;
                             }));

const WindowsCode* windowsCode(char16_t unit) {
  // ASCII skips the search.
  if (unit < kWindowsCodes[0].unit) return nullptr;
  const auto* found =
      std::lower_bound(std::begin(kWindowsCodes), std::end(kWindowsCodes), unit,
                       [](const WindowsCode& entry, char16_t u) { return entry.unit < u; });
  return found != std::end(kWindowsCodes) && found->unit == unit ? found : nullptr;
}

bool isLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// One conversion direction, kept open for the thread's life: opening one costs
// more than converting a friend's name, and an open one must not be shared
// between threads.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Forgets whatever a text before, failed or not, left behind.
  void reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

  // Converts all of `in` onto the end of `out`. Fails on any sequence without an
  // exact counterpart, never substitutes. `maxOutBytesPerInByte` bounds the growth.
  template <class Out>
  bool append(const char* in, std::size_t inBytes, std::size_t maxOutBytesPerInByte, Out& out) {
    if (inBytes == 0) return true;
    constexpr std::size_t unit = sizeof(typename Out::value_type);
    const std::size_t start = out.size();
    out.resize(start + (inBytes * maxOutBytesPerInByte + unit - 1) / unit);
    char* inPtr = const_cast<char*>(in);  // iconv's signature; it does not write there
    char* outPtr = reinterpret_cast<char*>(out.data() + start);
    std::size_t inLeft = inBytes;
    std::size_t outLeft = (out.size() - start) * unit;
    const std::size_t outRoom = outLeft;
    // Any failure (EILSEQ, a sequence cut off at the end, no room) or an inexact
    // conversion (a non-zero count) fails the whole text.
    if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) != 0 || inLeft != 0) return false;
    const std::size_t produced = outRoom - outLeft;
    if (produced % unit != 0) return false;
    out.resize(start + produced / unit);
    return true;
  }

 private:
  iconv_t cd_;
};

// This thread's converter from `from` to `to`, ready for a new text; null when
// the system has none.
template <const char* to, const char* from>
Converter* threadConverter() {
  thread_local Converter converter(to, from);
  if (!converter.ok()) return nullptr;
  converter.reset();
  return &converter;
}

constexpr char kUtf16[] = "UTF-16LE";
constexpr char kCp932[] = "CP932";

}  // namespace

std::optional<Text> IconvCharset::toUnicode(BytesView cp932) const {
  if (cp932.empty()) return Text{};
  Converter* converter = threadConverter<kUtf16, kCp932>();
  if (converter == nullptr) return std::nullopt;
  Text out;
  out.reserve(cp932.size());
  std::size_t runStart = 0;
  std::size_t i = 0;
  while (i < cp932.size()) {
    const auto byte = static_cast<unsigned char>(cp932[i]);
    if (byte != kByte80) {
      i += isLeadByte(byte) ? 2 : 1;  // a trail byte may itself be 0x80
      continue;
    }
    if (!converter->append(cp932.data() + runStart, i - runStart, 2, out)) return std::nullopt;
    out.push_back(kUnit80);
    runStart = ++i;
  }
  if (!converter->append(cp932.data() + runStart, cp932.size() - runStart, 2, out)) {
    return std::nullopt;
  }
  return out;
}

std::optional<Bytes> IconvCharset::fromUnicode(TextView text) const {
  if (text.empty()) return Bytes{};
  Converter* converter = threadConverter<kCp932, kUtf16>();
  if (converter == nullptr) return std::nullopt;
  Bytes out;
  out.reserve(text.size() * 2);
  std::size_t runStart = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const WindowsCode* fixed = windowsCode(text[i]);
    if (fixed == nullptr) continue;
    if (fixed->code.empty()) return std::nullopt;
    const auto* run = reinterpret_cast<const char*>(text.data() + runStart);
    if (!converter->append(run, (i - runStart) * sizeof(char16_t), 1, out)) return std::nullopt;
    out += fixed->code;
    runStart = i + 1;
  }
  const auto* run = reinterpret_cast<const char*>(text.data() + runStart);
  if (!converter->append(run, (text.size() - runStart) * sizeof(char16_t), 1, out)) {
    return std::nullopt;
  }
  return out;
}

}  // namespace quillby

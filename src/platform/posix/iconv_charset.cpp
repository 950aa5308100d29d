#include "platform/posix/iconv_charset.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

namespace quillby {
namespace {

// Converts a whole buffer; any sequence iconv cannot convert exactly fails it.
template <class Out>
std::optional<Out> convert(const char* to, const char* from, const char* in, std::size_t inBytes) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  Out out;
  out.resize(inBytes * 2 / sizeof(typename Out::value_type) + 4);
  char* inPtr = const_cast<char*>(in);
  std::size_t inLeft = inBytes;
  std::size_t done = 0;
  bool ok = true;
  while (inLeft > 0) {
    char* outPtr = reinterpret_cast<char*>(out.data()) + done;
    std::size_t outLeft = out.size() * sizeof(typename Out::value_type) - done;
    std::size_t before = outLeft;
    std::size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    done += before - outLeft;
    if (r == static_cast<std::size_t>(-1)) {
      if (errno == E2BIG) {
        out.resize(out.size() * 2);
        continue;
      }
      ok = false;
      break;
    }
    if (r != 0) {  // irreversible conversions count as failures
      ok = false;
      break;
    }
  }
  iconv_close(cd);
  if (!ok || done % sizeof(typename Out::value_type) != 0) return std::nullopt;
  out.resize(done / sizeof(typename Out::value_type));
  return out;
}

}  // namespace

std::optional<Text> IconvCharset::toUnicode(BytesView cp932) const {
  if (cp932.empty()) return Text{};
  return convert<Text>("UTF-16LE", "CP932", cp932.data(), cp932.size());
}

std::optional<Bytes> IconvCharset::fromUnicode(TextView text) const {
  if (text.empty()) return Bytes{};
  return convert<Bytes>("CP932", "UTF-16LE", reinterpret_cast<const char*>(text.data()),
                        text.size() * sizeof(char16_t));
}

}  // namespace quillby

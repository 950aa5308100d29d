// Writes code page 932 as the system converts it, in the form that
// cp932_reference.h reads. Run under Wine and commit the output:
//   wine cp932_reference_gen.exe > tests/platform/cp932_reference.txt
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr UINT kCodePage = 932;

// The one UTF-16 unit that `bytes` reads as, or -1.
long decode(const std::string& bytes) {
  wchar_t out[4];
  const int n = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                    static_cast<int>(bytes.size()), out, 4);
  if (n <= 0) return -1;
  if (n != 1) {
    std::fprintf(stderr, "unexpected: %zu bytes read as %d characters\n", bytes.size(), n);
    std::exit(1);
  }
  return out[0];
}

// The exact code of `unit`, or "" when it has none.
std::string encode(wchar_t unit) {
  char out[4];
  BOOL usedDefault = FALSE;
  const int n =
      WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, &unit, 1, out, 4, nullptr, &usedDefault);
  if (n <= 0 || usedDefault) return {};
  return std::string(out, static_cast<std::size_t>(n));
}

unsigned codeOf(const std::string& bytes) {
  unsigned code = 0;
  for (char c : bytes) code = code << 8 | static_cast<unsigned char>(c);
  return code;
}

std::string hexCode(const std::string& bytes) {
  char buf[8];
  std::snprintf(buf, sizeof buf, bytes.size() == 1 ? "%02X" : "%04X", codeOf(bytes));
  return buf;
}

}  // namespace

int main() {
  _setmode(_fileno(stdout), _O_BINARY);

  // Every code that reads as one character, in byte order.
  std::vector<std::pair<std::string, long>> codes;
  std::vector<int> leads;
  for (int b = 0; b < 256; ++b) {
    const std::string single(1, static_cast<char>(b));
    const long u = decode(single);
    if (u >= 0) {
      codes.emplace_back(single, u);
    } else {
      leads.push_back(b);
    }
  }
  for (int lead : leads) {
    for (int trail = 0; trail < 256; ++trail) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      const long u = decode(pair);
      if (u >= 0) codes.emplace_back(pair, u);
    }
  }

  std::map<long, std::vector<std::string>> readersOf;
  for (const auto& [bytes, u] : codes) readersOf[u].push_back(bytes);

  std::printf(
      "# Code page 932 as Windows converts it: MultiByteToWideChar with MB_ERR_INVALID_CHARS,\n"
      "# WideCharToMultiByte with WC_NO_BEST_FIT_CHARS. Written by cp932_reference_gen.exe.\n"
      "# CODE UNICODE [N]  CODE reads as UNICODE (N codes in a row: both count up) and\n"
      "#                   UNICODE writes as CODE, unless a '>' line says otherwise.\n"
      "# > UNICODE CODE    UNICODE writes as CODE.\n"
      "# > UNICODE -       UNICODE does not write.\n"
      "# Codes and characters not named here neither read nor write.\n");
  for (std::size_t i = 0; i < codes.size();) {
    std::size_t run = 1;
    while (i + run < codes.size() && codes[i + run].first.size() == codes[i].first.size() &&
           codeOf(codes[i + run].first) == codeOf(codes[i].first) + run &&
           codes[i + run].second == codes[i].second + static_cast<long>(run)) {
      ++run;
    }
    if (run == 1) {
      std::printf("%s %04lX\n", hexCode(codes[i].first).c_str(), codes[i].second);
    } else {
      std::printf("%s %04lX %zu\n", hexCode(codes[i].first).c_str(), codes[i].second, run);
    }
    i += run;
  }

  for (long u = 0; u <= 0xFFFF; ++u) {
    if (u >= 0xD800 && u <= 0xDFFF) continue;
    const std::string written = encode(static_cast<wchar_t>(u));
    const auto readers = readersOf.find(u);
    const bool implied = readers != readersOf.end() && readers->second.size() == 1 &&
                         readers->second.front() == written;
    if (implied) continue;
    if (!written.empty()) {
      std::printf("> %04lX %s\n", u, hexCode(written).c_str());
    } else if (readers != readersOf.end()) {
      std::printf("> %04lX -\n", u);
    }
  }
  return 0;
}

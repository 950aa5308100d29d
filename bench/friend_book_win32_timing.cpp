// The friend book at its largest through the Win32 converter, as users run it:
// on Windows, or here under Wine (cmake/wine-run). Google Benchmark is not built
// for mingw, so this times by hand and prints median and spread per pass.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "formats/friend_book.h"
#include "formats/large_book.h"
#include "platform/win32/win32_charset.h"

namespace quillby {
namespace {

constexpr int kRounds = 15;
constexpr int kPassesPerRound = 50;

// Milliseconds per pass of `work`, one figure per round.
template <class Work>
std::vector<double> time(Work work) {
  std::vector<double> rounds;
  for (int round = 0; round < kRounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    for (int pass = 0; pass < kPassesPerRound; ++pass) work();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    rounds.push_back(took.count() / kPassesPerRound);
  }
  std::sort(rounds.begin(), rounds.end());
  return rounds;
}

void print(const char* what, const std::vector<double>& rounds) {
  std::printf("%-18s median %7.3f ms   min %7.3f   max %7.3f\n", what, rounds[rounds.size() / 2],
              rounds.front(), rounds.back());
}

int run() {
  const Win32Charset charset;
  const auto rows = largeBookRows();
  const auto book = encodeFriendBook(rows, charset);
  if (!book) {
    std::puts("the largest book does not encode");
    return 1;
  }
  const auto asRead = readFriendBook(book.value(), charset);
  if (!asRead) {
    std::puts("the largest book does not read back");
    return 1;
  }
  std::printf("friend book %zu bytes, %zu friends; %d rounds of %d passes\n", book.value().size(),
              rows.size(), kRounds, kPassesPerRound);
  print("ReadAndDecode", time([&] { (void)readFriendBook(book.value(), charset); }));
  print("EncodeAsRead", time([&] { (void)encodeFriendBook(asRead.value(), charset); }));
  print("EncodeAllEdited", time([&] { (void)encodeFriendBook(rows, charset); }));
  return 0;
}

}  // namespace
}  // namespace quillby

int main() { return quillby::run(); }

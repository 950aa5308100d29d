// The friend book at its largest through the Win32 converter and heap, as users
// run it: on Windows, or here under Wine (cmake/wine-run). Google Benchmark is
// not built for mingw, so this times by hand and prints median and spread per
// pass, with the heap allocations of one pass: under Wine each costs about ten
// times what it does natively, and start-up makes thousands.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "formats/friend_book.h"
#include "formats/large_book.h"
#include "formats/memo_file.h"
#include "loadsave/file_names.h"
#include "loadsave/startup_load.h"
#include "platform/win32/win32_charset.h"
#include "platform/win32/win32_files.h"

namespace {
std::size_t allocations = 0;
}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

namespace quillby {
namespace {

constexpr int kRounds = 15;
constexpr int kPassesPerRound = 20;

// Milliseconds per pass of `work`, one figure per round, sorted, and the heap
// allocations of one pass.
template <class Work>
std::pair<std::vector<double>, std::size_t> time(Work work) {
  const std::size_t before = allocations;
  work();
  const std::size_t perPass = allocations - before;
  std::vector<double> rounds;
  for (int round = 0; round < kRounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    for (int pass = 0; pass < kPassesPerRound; ++pass) work();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    rounds.push_back(took.count() / kPassesPerRound);
  }
  std::sort(rounds.begin(), rounds.end());
  return {rounds, perPass};
}

template <class Work>
void print(const char* what, Work work) {
  const auto [rounds, perPass] = time(work);
  std::printf("%-18s median %7.3f ms   min %7.3f   max %7.3f   %6zu allocations\n", what,
              rounds[rounds.size() / 2], rounds.front(), rounds.back(), perPass);
}

// The largest book's rows, each with a memo, some of them long enough to need
// the heap.
std::vector<FriendEntry> rowsWithMemos() {
  constexpr TextView kMemos[] = {u"", u"誕生日は5月3日", u"猫好き仲間\r\n毎朝7時",
                                 u"ゼミの連絡はこちらへ, 急ぎ"};
  auto rows = largeBookRows();
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i].friendMemo = Text(kMemos[i % 4]);
  return rows;
}

int run() {
  const Win32Charset charset;
  const auto rows = rowsWithMemos();
  const auto book = encodeFriendBook(rows, charset);
  const auto memos = encodeMemoFile(rows, charset);
  if (!book || !memos) {
    std::puts("the largest book does not encode");
    return 1;
  }
  const auto asRead = readFriendBook(book.value(), charset);
  if (!asRead) {
    std::puts("the largest book does not read back");
    return 1;
  }
  // The start-up's files, in a folder of this run's own.
  const auto folder = std::filesystem::temp_directory_path() /
                      ("quillby-timing-" +
                       std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  std::filesystem::create_directories(folder);
  Win32Files files(folder);
  if (files.writeAtomic(folder / kBookFile, book.value()) ||
      files.writeAtomic(folder / kMemoFile, memos.value())) {
    std::puts("the start-up files cannot be written");
    return 1;
  }

  std::printf("friend book %zu bytes, %zu friends, memo file %zu bytes; %d rounds of %d passes\n",
              book.value().size(), rows.size(), memos.value().size(), kRounds, kPassesPerRound);
  print("ReadAndDecode", [&] { (void)readFriendBook(book.value(), charset); });
  print("DecodeWithMemos", [&] {
    auto table = readFriendBook(book.value(), charset);
    attachMemos(table.value(), readMemoFile(memos.value(), charset));
  });
  // As the main window's start: reading, decoding, the safety copy, the memos.
  print("StartupLoad", [&] { (void)loadFriendsWithMemos(files, charset); });
  print("EncodeAsRead", [&] { (void)encodeFriendBook(asRead.value(), charset); });
  print("EncodeAllEdited", [&] { (void)encodeFriendBook(rows, charset); });
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return 0;
}

}  // namespace
}  // namespace quillby

int main() { return quillby::run(); }

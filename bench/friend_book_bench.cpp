// Reading and writing the largest friend book: 1000 records in 65,536 bytes.
// The native preset builds with sanitizers; for release figures configure
// build/bench with CMAKE_BUILD_TYPE=Release, QUILLBY_BENCH=ON, QUILLBY_TESTS=OFF
// and build and run its target quillby_bench.
#include <benchmark/benchmark.h>

#include "formats/friend_book.h"
#include "formats/large_book.h"
#include "platform/posix/iconv_charset.h"

namespace quillby {
namespace {

const IconvCharset charset;

const Bytes& largeBook() {
  static const Bytes book = encodeFriendBook(largeBookRows(), charset).value();
  return book;
}

void ReadAndDecode(benchmark::State& state) {
  for (auto _ : state) {
    auto rows = readFriendBook(largeBook(), charset);
    benchmark::DoNotOptimize(rows);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * largeBook().size()));
}

// As a save without edits: every field goes back as its stored bytes.
void EncodeAsRead(benchmark::State& state) {
  const auto rows = readFriendBook(largeBook(), charset).value();
  for (auto _ : state) {
    auto book = encodeFriendBook(rows, charset);
    benchmark::DoNotOptimize(book);
  }
}

// As if every friend had been typed in: every name goes through the charset.
void EncodeAllEdited(benchmark::State& state) {
  const auto rows = largeBookRows();
  for (auto _ : state) {
    auto book = encodeFriendBook(rows, charset);
    benchmark::DoNotOptimize(book);
  }
}

BENCHMARK(ReadAndDecode)->Unit(benchmark::kMicrosecond);
BENCHMARK(EncodeAsRead)->Unit(benchmark::kMicrosecond);
BENCHMARK(EncodeAllEdited)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quillby

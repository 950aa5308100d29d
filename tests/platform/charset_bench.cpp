// Code page 932 conversion speed, from a friend's name to a 64 KiB file.
#include <benchmark/benchmark.h>

#include "platform/posix/iconv_charset.h"

namespace quillby {
namespace {

Text japaneseText(std::size_t bytes) {
  Text text;
  while (text.size() * 2 < bytes) text += u"おともだち帳ﾎﾟｽﾄ漢字ABC";
  return text;
}

void toUnicode(benchmark::State& state) {
  const IconvCharset charset;
  const Bytes bytes = *charset.fromUnicode(japaneseText(static_cast<std::size_t>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(charset.toUnicode(bytes));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void fromUnicode(benchmark::State& state) {
  const IconvCharset charset;
  const Text text = japaneseText(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(charset.fromUnicode(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size() * 2));
}

BENCHMARK(toUnicode)->Arg(16)->Arg(1024)->Arg(65536);
BENCHMARK(fromUnicode)->Arg(16)->Arg(1024)->Arg(65536);

}  // namespace
}  // namespace quillby

// Unscrambling an article file in place at load time, next to a plain copy of
// the same 16 MB, the least any pass over the loaded bytes can cost.
#include "dictionary/article_files.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

constexpr std::size_t bufferBytes = 16u * 1024u * 1024u;

std::vector<unsigned char> storedBytes() {
  std::vector<unsigned char> bytes(bufferBytes);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] = static_cast<unsigned char>(i * 131u + (i >> 9));
  }
  return bytes;
}

void unscrambleInPlace(benchmark::State& state) {
  std::vector<unsigned char> bytes = storedBytes();
  for (auto _ : state) {
    unscrambleArticleBytes(bytes.data(), bytes.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<long long>(state.iterations()) * static_cast<long long>(bytes.size()));
}

void copyWithMemcpy(benchmark::State& state) {
  const std::vector<unsigned char> source = storedBytes();
  std::vector<unsigned char> target(source.size());
  for (auto _ : state) {
    std::memcpy(target.data(), source.data(), source.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<long long>(state.iterations()) * static_cast<long long>(source.size()));
}

}  // namespace

BENCHMARK(unscrambleInPlace)->Unit(benchmark::kMillisecond);
BENCHMARK(copyWithMemcpy)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

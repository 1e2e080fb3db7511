// Decoder throughput on synthetic lesson-sized streams, beside a plain copy of the same bytes.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "store/records.h"

namespace {

enum class Mix { Text, Literals, BackReferences };

struct Stream {
  std::vector<std::uint8_t> tokens;
  std::uint32_t textLength = 0;
};

// A stream of about `textLength` output bytes. Text: the mix a compressor makes of prose
// (literal runs of letters, spaces before letters, repeats of words and phrases).
Stream MakeStream(Mix mix, std::uint32_t targetLength) {
  std::mt19937 random(247);
  Stream s;
  std::uint32_t written = 0;
  while (written + 10 < targetLength) {
    unsigned kind = random() % 100;
    if (mix == Mix::Literals) kind = 0;
    if (mix == Mix::BackReferences) kind = written < 16 ? 0 : 99;
    if (kind < 40) {
      const unsigned n = 1 + random() % 8;
      s.tokens.push_back(static_cast<std::uint8_t>(n));
      for (unsigned i = 0; i < n; ++i) {
        s.tokens.push_back(static_cast<std::uint8_t>(0xE0 + random() % 27));
      }
      written += n;
    } else if (kind < 55) {
      s.tokens.push_back(static_cast<std::uint8_t>(0x20 + random() % 0x5F));
      written += 1;
    } else if (kind < 70) {
      s.tokens.push_back(static_cast<std::uint8_t>(0xC0 + random() % 0x40));
      written += 2;
    } else {
      const unsigned limit = written < 2047 ? written : 2047;
      const unsigned distance = 1 + random() % limit;
      const unsigned length = 3 + random() % 8;
      const unsigned v = 0x8000 | (distance << 3) | (length - 3);
      s.tokens.push_back(static_cast<std::uint8_t>(v >> 8));
      s.tokens.push_back(static_cast<std::uint8_t>(v));
      written += length;
    }
  }
  s.textLength = written;
  return s;
}

// 11,642 bytes: the size of the longest lesson.
constexpr std::uint32_t kLessonSize = 11642;

void BM_Decompress(benchmark::State& state) {
  const Stream s = MakeStream(static_cast<Mix>(state.range(0)), kLessonSize);
  for (auto _ : state) {
    qm::TextBuffer text =
        qm::Decompress(s.tokens.data(), static_cast<std::uint32_t>(s.tokens.size()), s.textLength);
    if (!text) state.SkipWithError("stream did not decode");
    benchmark::DoNotOptimize(text.get());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * s.textLength);
  state.SetLabel(std::to_string(s.tokens.size()) + " -> " + std::to_string(s.textLength));
}
BENCHMARK(BM_Decompress)
    ->ArgName("mix")
    ->Arg(static_cast<int>(Mix::Text))
    ->Arg(static_cast<int>(Mix::Literals))
    ->Arg(static_cast<int>(Mix::BackReferences));

// The floor: copying the same number of output bytes into a fresh block.
void BM_Memcpy(benchmark::State& state) {
  const std::vector<std::uint8_t> from(kLessonSize, 0xE5);
  for (auto _ : state) {
    qm::TextBuffer to = qm::AllocArray<std::uint8_t>(kLessonSize + 2);
    std::memcpy(to.get(), from.data(), kLessonSize);
    benchmark::DoNotOptimize(to.get());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kLessonSize);
}
BENCHMARK(BM_Memcpy);

}  // namespace

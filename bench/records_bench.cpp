// Decoder throughput over the real corpus: all 247 lesson records, as a search run decodes them.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "resources/generated_records.h"
#include "store/records.h"

namespace {

void BM_DecodeAllLessons(benchmark::State& state) {
  const auto entries = qm::GeneratedRecordEntries();
  std::int64_t textBytes = 0;
  std::int64_t compressedBytes = 0;
  for (const qm::RecordEntry& e : entries) {
    if (e.id > 1247) continue;
    textBytes += (e.bytes[8] << 8) | e.bytes[9];
    compressedBytes += (e.bytes[6] << 8) | e.bytes[7];
  }
  for (auto _ : state) {
    for (const qm::RecordEntry& e : entries) {
      if (e.id > 1247) continue;
      qm::TextBuffer text = qm::DecodeRecord(e.bytes);
      if (!text) state.SkipWithError("a lesson record did not decode");
      benchmark::DoNotOptimize(text.get());
    }
  }
  state.SetBytesProcessed(state.iterations() * textBytes);
  state.counters["text"] = static_cast<double>(textBytes);
  state.counters["compressed"] = static_cast<double>(compressedBytes);
}
BENCHMARK(BM_DecodeAllLessons);

}  // namespace

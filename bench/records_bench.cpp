// Decoder throughput over the real corpus: all 247 lesson records, as a search run decodes them,
// beside the floor of copying the same decoded bytes into fresh blocks.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "resources/generated_records.h"
#include "store/records.h"

namespace {

bool IsLesson(const qm::RecordEntry& e) {
  return e.id >= 1001 && e.id <= 1247;
}

void BM_DecodeAllLessons(benchmark::State& state) {
  const auto entries = qm::GeneratedRecordEntries();
  std::int64_t textBytes = 0;
  std::int64_t compressedBytes = 0;
  for (const qm::RecordEntry& e : entries) {
    if (!IsLesson(e)) continue;
    textBytes += (e.bytes[8] << 8) | e.bytes[9];
    compressedBytes += (e.bytes[6] << 8) | e.bytes[7];
  }
  for (auto _ : state) {
    for (const qm::RecordEntry& e : entries) {
      if (!IsLesson(e)) continue;
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

// The floor: each decoded lesson copied into a block of the size decoding allocates.
void BM_CopyAllLessons(benchmark::State& state) {
  std::vector<std::vector<std::uint8_t>> texts;
  std::int64_t textBytes = 0;
  for (const qm::RecordEntry& e : qm::GeneratedRecordEntries()) {
    if (!IsLesson(e)) continue;
    const std::size_t length = (e.bytes[8] << 8) | e.bytes[9];
    const qm::TextBuffer text = qm::DecodeRecord(e.bytes);
    if (!text) {
      state.SkipWithError("a lesson record did not decode");
      return;
    }
    texts.emplace_back(text.get(), text.get() + length);
    textBytes += static_cast<std::int64_t>(length);
  }
  for (auto _ : state) {
    for (const auto& t : texts) {
      qm::TextBuffer to = qm::AllocArray<std::uint8_t>(t.size() + 2);
      std::memcpy(to.get(), t.data(), t.size());
      benchmark::DoNotOptimize(to.get());
      benchmark::ClobberMemory();
    }
  }
  state.SetBytesProcessed(state.iterations() * textBytes);
}
BENCHMARK(BM_CopyAllLessons);

// One lesson decoded over and over: its input stays in the cache and the branch predictor learns
// its token sequence, which the run over all lessons never allows. The gap between the two
// shows how much of the decoder's time goes to mispredicted token kinds.
void BM_DecodeOneLessonHot(benchmark::State& state) {
  const auto entries = qm::GeneratedRecordEntries();
  const qm::RecordEntry& e = entries[static_cast<std::size_t>(state.range(0))];
  for (auto _ : state) {
    qm::TextBuffer text = qm::DecodeRecord(e.bytes);
    benchmark::DoNotOptimize(text.get());
  }
  state.SetBytesProcessed(state.iterations() * ((e.bytes[8] << 8) | e.bytes[9]));
}
BENCHMARK(BM_DecodeOneLessonHot)->ArgName("entry")->Arg(0)->Arg(196);

}  // namespace

// Search Again over all 247 lessons finding nothing, beside decoding alone and a plain byte
// search of texts decoded beforehand; and the list of all hits of a common word.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <span>
#include <vector>

#include "frame/app_state.h"
#include "frame/heap.h"
#include "resources/generated_records.h"
#include "search/hit_list.h"
#include "search/match.h"
#include "search/search_again.h"
#include "store/records.h"
#include "tests/recording_notices.h"
#include "text/document.h"

namespace {

// Typed as a dialog would store it: letters that occur in no lesson in this order.
constexpr std::uint8_t kAbsent[] = {0x76, 0x76, 0x76, 0x76, 0};

void SetAbsentSearchText() {
  std::memcpy(qm::g_app.SearchText, kAbsent, sizeof kAbsent);
}

// The whole scan: every lesson decoded and matched, then "Not Found!" (recorded, not shown).
void BM_SearchAgainFindsNothing(benchmark::State& state) {
  qm::InstallGeneratedRecords();
  qm::RecordingNotices notices;
  qm::ResetAppState();
  // A document that holds no text, allocated as documents are.
  qm::g_app.CurrentDocument.reset(new (qm::HeapAlloc(sizeof(qm::Document))) qm::Document{});
  qm::g_app.CurrentLesson = 0;
  SetAbsentSearchText();
  for (auto _ : state)
    benchmark::DoNotOptimize(qm::SearchAgain(nullptr));
  if (notices.Count(qm::Notice::NotFound) == 0) state.SkipWithError("something was found");
  qm::g_app.CurrentDocument.reset();
}
BENCHMARK(BM_SearchAgainFindsNothing)->Unit(benchmark::kMillisecond);

// Decoding alone, the way Search Again loads each lesson.
void BM_LoadAllLessons(benchmark::State& state) {
  qm::InstallGeneratedRecords();
  for (auto _ : state) {
    for (int n = 1; n <= qm::kLessonCount; ++n)
      benchmark::DoNotOptimize(qm::LoadRecord(n));
  }
}
BENCHMARK(BM_LoadAllLessons)->Unit(benchmark::kMillisecond);

// std::search for the stored bytes over texts already decoded: no folding, no points skipped.
void BM_PlainByteSearchDecoded(benchmark::State& state) {
  qm::InstallGeneratedRecords();
  std::vector<std::vector<std::uint8_t>> texts;
  for (int n = 1; n <= qm::kLessonCount; ++n) {
    const qm::TextBuffer t = qm::LoadRecord(n);
    std::size_t length = 0;
    while (t[length] != 0 || t[length + 1] != 0)
      ++length;  // up to the document's end
    texts.emplace_back(t.get(), t.get() + length);
  }
  const std::uint8_t* p = kAbsent;
  for (auto _ : state) {
    int found = 0;
    for (const auto& t : texts)
      found += std::search(t.begin(), t.end(), p, p + 4) != t.end();
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(BM_PlainByteSearchDecoded)->Unit(benchmark::kMillisecond);

// The search's own scan (points skipped, letters folded) over the same decoded texts.
void BM_FindInTextDecoded(benchmark::State& state) {
  qm::InstallGeneratedRecords();
  std::vector<qm::TextBuffer> texts;
  for (int n = 1; n <= qm::kLessonCount; ++n)
    texts.push_back(qm::LoadRecord(n));
  const std::span<const std::uint8_t> pattern(kAbsent, 4);
  for (auto _ : state) {
    int found = 0;
    for (const auto& t : texts) {
      found += static_cast<bool>(qm::FindInText(t.get(), qm::kUnboundedText, 0, pattern));
    }
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(BM_FindInTextDecoded)->Unit(benchmark::kMillisecond);

// The list of all hits for the year: every lesson decoded and searched, and each lesson that
// holds the word listed with its title and context. The word is the first one of lesson 1's
// body, taken from the text so that it does not hang on the words of today's lessons.
void BM_ListAllHits(benchmark::State& state) {
  qm::InstallGeneratedRecords();
  const qm::TextBuffer first = qm::LoadRecord(1);
  std::vector<std::uint8_t> word;
  for (std::size_t i = 200; first[i] != 0 && word.size() < 3; ++i) {
    if (first[i] == ' ') word.clear();
    if (first[i] >= 0x61 && first[i] <= 0x7B) word.push_back(first[i]);
  }
  std::size_t listed = 0;
  for (auto _ : state) {
    const auto hits = qm::ListAllHits(word, 1);
    listed = hits.size();
    benchmark::DoNotOptimize(hits.data());
  }
  state.counters["lessons"] = static_cast<double>(listed);
  if (listed == 0) state.SkipWithError("nothing listed");
}
BENCHMARK(BM_ListAllHits)->Unit(benchmark::kMillisecond);

}  // namespace

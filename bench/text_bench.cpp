// Layout of the largest lesson and drawing of one screen of it, over a device with fixed metrics.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "frame/app_state.h"
#include "resources/generated_records.h"
#include "store/records.h"
#include "text/conversion.h"
#include "text/document.h"
#include "text/draw.h"

namespace qm {
namespace {

// A device that answers from fixed tables and draws nothing, so only the text code is timed.
class MetricsDevice final : public TextDevice {
 public:
  GdiObject NewFont(const FontRequest& r) override {
    fonts_.push_back(r.height == 0 ? 16 : (r.height < 0 ? -r.height : r.height));
    return Handle(fonts_.size());
  }
  GdiObject NewPen(Colour) override { return Handle(1000); }
  GdiObject NewSolidBrush(Colour) override { return Handle(1001); }
  GdiObject StockObject(Stock) override { return Handle(1002); }
  GdiObject Select(GdiObject object) override {
    const auto n = reinterpret_cast<std::uintptr_t>(object);
    if (n == 0 || n > fonts_.size()) return Handle(1003);
    GdiObject previous = selected_;
    selected_ = object;
    return previous;
  }
  void Delete(GdiObject) override {}
  TextMetrics Metrics() override { return {Height(), Height() * 3 / 2}; }
  std::int32_t LogPixelsY() override { return 96; }
  Extent TextExtent(std::u16string_view units) override {
    std::int32_t cx = 0;
    for (char16_t u : units)
      cx += Advance(u);
    return {cx, Height()};
  }
  bool ReordersRun(std::u16string_view) override { return false; }
  std::int32_t FitCount(std::u16string_view units, std::int32_t maxWidth, Extent* extent) override {
    std::int32_t cx = 0, fit = 0;
    for (char16_t u : units) {
      cx += Advance(u);
      if (cx <= maxWidth) ++fit;
    }
    if (extent) *extent = {cx, Height()};
    return fit;
  }
  void DrawUnits(std::u16string_view units, const Box& box, std::uint32_t) override {
    benchmark::DoNotOptimize(units.data());
    benchmark::DoNotOptimize(box.left);
  }
  void Fill(const Box&, GdiObject) override {}
  void DrawRectangle(const Box&) override {}
  bool DrawBitmap(GdiObject, std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {
    return true;
  }
  Colour GetTextColor() override { return colour_; }
  Colour SetTextColor(Colour c) override { return std::exchange(colour_, c); }
  Colour SetBkColor(Colour c) override { return std::exchange(back_, c); }
  int SetBkMode(int m) override { return std::exchange(mode_, m); }

 private:
  static GdiObject Handle(std::size_t n) { return reinterpret_cast<GdiObject>(n); }
  std::int32_t Height() const {
    const auto n = reinterpret_cast<std::uintptr_t>(selected_);
    return n == 0 ? 16 : fonts_[n - 1];
  }
  // Roughly a proportional Hebrew face at 16 px: letters 6 to 11 px, space 4, marks 0.
  std::int32_t Advance(char16_t u) const {
    const std::int32_t h = Height();
    if (u == u' ') return h / 4;
    if (u >= 0x05B0 && u <= 0x05C7) return 0;
    return h * (6 + u % 6) / 16;
  }

  std::vector<std::int32_t> fonts_;
  GdiObject selected_ = nullptr;
  Colour colour_ = kBlack, back_ = kWhite;
  int mode_ = kOpaque;
};

// The largest of the 247 lessons, decoded, and its size up to the document's end.
TextBuffer LargestLesson(std::size_t& size) {
  InstallGeneratedRecords();
  TextBuffer largest;
  size = 0;
  for (int n = 1; n <= kLessonCount; ++n) {
    TextBuffer text = LoadRecord(n);
    if (!text) continue;
    std::size_t length = 0;
    while (text[length] != 0)
      length += 2 + std::strlen(reinterpret_cast<const char*>(text.get() + length + 2)) + 1;
    if (length > size) {
      size = length;
      largest = std::move(text);
    }
  }
  return largest;
}

struct Lesson {
  MetricsDevice dev;
  DocumentPtr doc;
  std::size_t bytes = 0;
  std::uint16_t laid = kLayoutNoText;

  Lesson() {
    g_app.FontSettings.FontAsciiBase = BaseUnicode;
    g_app.FontSettings.FontSize = 12;
    const Box rect{8, 30, 8 + 620, 30 + 700};
    doc = CreateDocument(&dev, &rect, g_app.FontSettings, 100);
    TextBuffer text = LargestLesson(bytes);
    laid = LayoutDocument(doc.get(), std::move(text));
  }
  bool Failed(benchmark::State& state) const {
    if (laid == kLayoutDone) return false;
    state.SkipWithError("the largest lesson was not laid out");
    return true;
  }
};

void BM_LayoutLesson(benchmark::State& state) {
  Lesson lesson;
  if (lesson.Failed(state)) return;
  for (auto _ : state)
    benchmark::DoNotOptimize(RelayoutDocument(lesson.doc.get()));
  state.counters["entries"] = lesson.doc->EntryCount;
  state.counters["rows"] = lesson.doc->LineCount;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * lesson.bytes));
}
BENCHMARK(BM_LayoutLesson)->Unit(benchmark::kMicrosecond);

void BM_DrawScreen(benchmark::State& state) {
  Lesson lesson;
  if (lesson.Failed(state)) return;
  lesson.doc->TopLine = 20;
  for (auto _ : state)
    benchmark::DoNotOptimize(DrawDocument(lesson.doc.get(), true));
  state.counters["rows"] = lesson.doc->LinesShown;
}
BENCHMARK(BM_DrawScreen)->Unit(benchmark::kMicrosecond);

void BM_DrawScreenWithMark(benchmark::State& state) {
  Lesson lesson;
  if (lesson.Failed(state)) return;
  lesson.doc->TopLine = 20;
  const LineEntry& e = lesson.doc->Lines[25];
  lesson.doc->MarkStart = e.Offset;
  lesson.doc->MarkEnd = static_cast<std::uint16_t>(e.Offset + 60);
  for (auto _ : state)
    benchmark::DoNotOptimize(DrawDocument(lesson.doc.get(), true));
}
BENCHMARK(BM_DrawScreenWithMark)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qm

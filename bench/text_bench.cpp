// Layout of a lesson-sized text and drawing of one screen of it, over a device with fixed metrics.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "frame/app_state.h"
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

// A lesson-like text: three headings, a rule, then right-aligned pointed body paragraphs, a
// few small ones and an ASCII line, about 11 KB in all.
TextBuffer LessonText(std::size_t& size) {
  std::uint32_t seed = 12345;
  auto next = [&seed](std::uint32_t n) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % n;
  };
  std::vector<std::uint8_t> all;
  auto paragraph = [&](std::uint8_t style, std::uint8_t param, int bytes) {
    all.push_back(style);
    all.push_back(param);
    const std::size_t start = all.size();
    while (all.size() - start < static_cast<std::size_t>(bytes)) {
      const int letters = 2 + static_cast<int>(next(6));
      for (int k = 0; k < letters; ++k) {
        if (next(10) < 4) all.push_back(static_cast<std::uint8_t>(0x15 + next(11)));  // point
        all.push_back(static_cast<std::uint8_t>(next(8) == 0 ? 0x41 + next(24) : 0x61 + next(27)));
      }
      if (next(12) == 0) all.push_back(next(2) ? '.' : ',');
      all.push_back(' ');
    }
    all.back() = 0;
  };
  paragraph(0xD1, 0, 30);
  paragraph(0xD2, 0, 40);
  paragraph(0xD1, 0, 60);
  all.insert(all.end(), {0xC7, 0xD2, 0});
  for (int p = 0; p < 20; ++p)
    paragraph(p % 7 == 6 ? 0xB2 : 0xB1, 0, 350 + next(350));
  const char ascii[] = "See also: www.example.org/lessons";
  all.push_back(0x81);
  all.push_back(0);
  all.insert(all.end(), ascii, ascii + sizeof(ascii));
  all.insert(all.end(), {0, 0, 0});
  size = all.size();
  TextBuffer text = AllocArray<std::uint8_t>(all.size());
  std::memcpy(text.get(), all.data(), all.size());
  return text;
}

struct Lesson {
  MetricsDevice dev;
  DocumentPtr doc;
  std::size_t bytes = 0;

  Lesson() {
    g_app.FontSettings.FontAsciiBase = BaseUnicode;
    g_app.FontSettings.FontSize = 12;
    const Box rect{8, 30, 8 + 620, 30 + 700};
    doc = CreateDocument(&dev, &rect, g_app.FontSettings, 100);
    TextBuffer text = LessonText(bytes);
    LayoutDocument(doc.get(), std::move(text));
  }
};

void BM_LayoutLesson(benchmark::State& state) {
  Lesson lesson;
  for (auto _ : state)
    benchmark::DoNotOptimize(RelayoutDocument(lesson.doc.get()));
  state.counters["entries"] = lesson.doc->EntryCount;
  state.counters["rows"] = lesson.doc->LineCount;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * lesson.bytes));
}
BENCHMARK(BM_LayoutLesson)->Unit(benchmark::kMicrosecond);

void BM_DrawScreen(benchmark::State& state) {
  Lesson lesson;
  lesson.doc->TopLine = 20;
  for (auto _ : state)
    benchmark::DoNotOptimize(DrawDocument(lesson.doc.get(), true));
  state.counters["rows"] = lesson.doc->LinesShown;
}
BENCHMARK(BM_DrawScreen)->Unit(benchmark::kMicrosecond);

void BM_DrawScreenWithMark(benchmark::State& state) {
  Lesson lesson;
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

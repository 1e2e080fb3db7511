// Fuzzes the index outline: random entry lists and bookmarks through layout, reveal, toggles,
// hit tests, scrolling and resizes, checking the line table after every step.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "frame/app_state.h"
#include "index/outline.h"
#include "index/outline_paint.h"

namespace {

// A device with fixed metrics: fonts are numbered, every unit is 1 to 7 pixels wide.
class FixedDevice final : public qm::TextDevice {
 public:
  qm::GdiObject NewFont(const qm::FontRequest& request) override {
    heights_.push_back(request.height < 0 ? -request.height : request.height);
    return Handle(heights_.size());
  }
  qm::GdiObject NewPen(qm::Colour) override { return Handle(1000); }
  qm::GdiObject NewSolidBrush(qm::Colour) override { return Handle(1001); }
  qm::GdiObject StockObject(qm::Stock) override { return Handle(1002); }
  qm::GdiObject Select(qm::GdiObject object) override {
    const auto n = reinterpret_cast<std::uintptr_t>(object);
    if (n == 0 || n > heights_.size()) return nullptr;
    return Handle(std::exchange(selected_, n));
  }
  void Delete(qm::GdiObject) override {}
  qm::TextMetrics Metrics() override {
    const std::int32_t h = selected_ ? heights_[selected_ - 1] : 16;
    return {h ? h : 16, 8};
  }
  std::int32_t LogPixelsY() override { return 96; }
  qm::Extent TextExtent(std::u16string_view units) override {
    qm::Extent e;
    for (char16_t u : units)
      e.cx += 1 + u % 7;
    return e;
  }
  bool ReordersRun(std::u16string_view) override { return false; }
  std::int32_t FitCount(std::u16string_view units,
                        std::int32_t maxWidth,
                        qm::Extent* extent) override {
    std::int32_t total = 0, fit = 0;
    bool fitting = true;
    for (char16_t u : units) {
      total += 1 + u % 7;
      fitting = fitting && total <= maxWidth;
      fit += fitting;
    }
    if (extent) *extent = {total, 16};
    return fit;
  }
  void DrawUnits(std::u16string_view, const qm::Box&, std::uint32_t) override {}
  void Fill(const qm::Box&, qm::GdiObject) override {}
  void DrawRectangle(const qm::Box&) override {}
  bool DrawBitmap(qm::GdiObject, std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {
    return true;
  }
  qm::Colour GetTextColor() override { return 0; }
  qm::Colour SetTextColor(qm::Colour) override { return 0; }
  qm::Colour SetBkColor(qm::Colour) override { return 0; }
  int SetBkMode(int) override { return 0; }

 private:
  static qm::GdiObject Handle(std::uintptr_t n) { return reinterpret_cast<qm::GdiObject>(n); }
  std::vector<std::int32_t> heights_;
  std::uintptr_t selected_ = 0;
};

void Check(const qm::IndexOutline& o) {
  if (!o.Lines) return;
  if (o.LineCount > o.Capacity || o.Lines[o.LineCount].Style != 0) std::abort();
  int visible = 0;
  for (int i = 0; i < o.LineCount; ++i) {
    const qm::OutlineLine& line = o.Lines[i];
    if (line.Style == 0) std::abort();
    if (std::size_t{line.Offset} + line.Length > o.Text.Size) std::abort();
    visible += (line.Style & qm::kEntryVisible) != 0;
  }
  if (visible != o.VisibleCount) std::abort();
}

struct Reader {
  const std::uint8_t* data;
  std::size_t size;
  std::uint8_t Byte() {
    if (size == 0) return 0;
    --size;
    return *data++;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 0x12000) return -1;
  Reader in{data, size};
  const int width = in.Byte() * 2;
  const int height = in.Byte() * 4;
  const std::uint16_t lesson = in.Byte();
  const int bookmarks = in.Byte() % 16;
  const int ops = in.Byte() % 24;
  qm::FontSettings settings;
  settings.FontSize = in.Byte() % 64;
  settings.FontAsciiBase = (in.Byte() & 1) ? qm::BaseUnicode : qm::BaseEightBit;

  auto list = qm::AllocArray<std::uint16_t>(bookmarks + 1);
  for (int i = 0; i < bookmarks; ++i)
    list[i] = in.Byte() | in.Byte() << 8;
  list[bookmarks] = 0;
  qm::g_app.BookmarkList.reset(list.release());
  qm::g_app.BookmarkCount = static_cast<std::uint16_t>(bookmarks);
  std::vector<std::uint8_t> script;
  for (int i = 0; i < ops * 3; ++i)
    script.push_back(in.Byte());

  qm::IndexText index;
  index.Bytes = qm::AllocArray<std::uint8_t>(in.size + 1);
  if (in.size) std::memcpy(index.Bytes.get(), in.data, in.size);
  index.Size = static_cast<std::uint32_t>(in.size);
  qm::IndexText section = qm::BuildBookmarkSection(index);
  qm::IndexText text = qm::JoinEntryLists(std::move(section), std::move(index));

  static int marks[3];
  for (int i = 0; i < 3; ++i)
    qm::g_app.MarkBitmaps[i] = &marks[i];
  FixedDevice dc;
  qm::OutlinePtr outline = qm::CreateOutline(&dc, qm::Box{0, 0, width, height}, settings, 100);
  qm::LayoutOutline(outline.get(), std::move(text));
  Check(*outline);
  qm::RevealLesson(outline.get(), lesson);
  Check(*outline);
  for (std::size_t i = 0; i + 2 < script.size(); i += 3) {
    const std::uint8_t a = script[i + 1], b = script[i + 2];
    switch (script[i] % 4) {
      case 0:
        qm::HitTestOutline(outline.get(), a * 2, b * 4);
        break;
      case 1:
        qm::ScrollOutline(outline.get(), static_cast<std::int8_t>(a), 1, b & 1);
        break;
      case 2: {
        const qm::ExpansionSnapshot snapshot = qm::SnapshotExpansion(outline.get());
        qm::ResizeOutline(outline.get(), a * 2, b * 4);
        qm::RestoreExpansion(outline.get(), snapshot.get());
        break;
      }
      case 3:
        if (outline->LineCount && qm::IsHeadingLine(outline->Lines[b % outline->LineCount]))
          qm::ToggleHeading(*outline, b % outline->LineCount);
        break;
    }
    Check(*outline);
  }
  qm::PaintOutline(outline.get(), true);
  outline.reset();
  qm::g_app.BookmarkList.reset();
  qm::g_app.BookmarkCount = 0;
  return 0;
}

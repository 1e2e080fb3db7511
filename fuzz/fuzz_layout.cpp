// Fuzzes document layout and drawing: random texts, text rectangles and font metrics through
// layout, resizes, font changes, scrolling and drawing, checking the line table after each step.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "frame/app_state.h"
#include "text/conversion.h"
#include "text/document.h"
#include "text/draw.h"

namespace {

// A device whose metrics come from the input: a height per font size, a max width, and an
// advance per unit taken from a small table (0 to 31 px, so zero-width units occur too).
class RandomMetricsDevice final : public qm::TextDevice {
 public:
  std::int32_t baseHeight = 16;
  std::int32_t maxWidth = 8;
  std::uint8_t advances[16] = {};
  int failFonts = 0;  // the next this many fonts cannot be made

  qm::GdiObject NewFont(const qm::FontRequest& request) override {
    if (failFonts > 0) {
      --failFonts;
      return nullptr;
    }
    const std::int32_t asked = request.height < 0 ? -request.height : request.height;
    heights_.push_back(asked == 0 ? baseHeight : std::min(asked, 2000));
    return Handle(heights_.size());
  }
  qm::GdiObject NewPen(qm::Colour) override { return Handle(kPen); }
  qm::GdiObject NewSolidBrush(qm::Colour) override { return Handle(kBrush); }
  qm::GdiObject StockObject(qm::Stock) override { return Handle(kStock); }
  qm::GdiObject Select(qm::GdiObject object) override {
    const auto n = reinterpret_cast<std::uintptr_t>(object);
    if (n == 0 || n > heights_.size()) return Handle(kStock);
    return Handle(std::exchange(selected_, n));
  }
  void Delete(qm::GdiObject) override {}
  qm::TextMetrics Metrics() override { return {Height(), maxWidth}; }
  std::int32_t LogPixelsY() override { return 96; }
  qm::Extent TextExtent(std::u16string_view units) override {
    qm::Extent e{0, Height()};
    for (char16_t u : units)
      e.cx += Advance(u);
    return e;
  }
  bool ReordersRun(std::u16string_view) override { return false; }
  std::int32_t FitCount(std::u16string_view units,
                        std::int32_t limit,
                        qm::Extent* extent) override {
    std::int32_t total = 0, fit = 0;
    bool fitting = true;
    for (char16_t u : units) {
      total += Advance(u);
      fitting = fitting && total <= limit;
      fit += fitting;
    }
    if (extent) *extent = {total, Height()};
    return fit;
  }
  void DrawUnits(std::u16string_view units, const qm::Box&, std::uint32_t) override {
    for (char16_t u : units)
      drawn_ += u;  // touches every unit handed over
  }
  void Fill(const qm::Box&, qm::GdiObject) override {}
  void DrawRectangle(const qm::Box&) override {}
  bool DrawBitmap(qm::GdiObject, std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {
    return true;
  }
  qm::Colour GetTextColor() override { return colour_; }
  qm::Colour SetTextColor(qm::Colour c) override { return std::exchange(colour_, c); }
  qm::Colour SetBkColor(qm::Colour c) override { return std::exchange(back_, c); }
  int SetBkMode(int m) override { return std::exchange(mode_, m); }

 private:
  static constexpr std::uintptr_t kPen = 0x10000, kBrush = 0x10001, kStock = 0x10002;
  static qm::GdiObject Handle(std::uintptr_t n) { return reinterpret_cast<qm::GdiObject>(n); }
  std::int32_t Height() const { return selected_ ? heights_[selected_ - 1] : baseHeight; }
  std::int32_t Advance(char16_t u) const { return advances[u % 16]; }

  std::vector<std::int32_t> heights_;
  std::uintptr_t selected_ = 0;
  qm::Colour colour_ = qm::kBlack, back_ = qm::kWhite;
  int mode_ = qm::kOpaque;
  std::uint32_t drawn_ = 0;
};

struct Reader {
  const std::uint8_t* data;
  std::size_t size;
  std::uint8_t Byte() {
    if (size == 0) return 0;
    --size;
    return *data++;
  }
  std::int32_t Word() {
    const std::int32_t low = Byte();
    return low | Byte() << 8;
  }
};

// The line table must end where EntryCount says and every entry must lie inside the text.
void Check(const qm::Document& doc, std::size_t textSize) {
  if (!doc.Lines) return;
  if (doc.EntryCount > doc.Capacity || doc.Lines[doc.EntryCount].Style != 0) std::abort();
  if (!doc.Text) return;
  for (std::size_t k = 0; k < doc.EntryCount; ++k) {
    const qm::LineEntry& e = doc.Lines[k];
    if (e.Style == 0) std::abort();
    if (std::size_t{e.Offset} + e.Length > textSize) std::abort();
  }
  if (doc.LineCount && doc.MaxTopLine > doc.LineCount) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 0xF000) return -1;  // texts are 16-bit offsets
  Reader in{data, size};
  RandomMetricsDevice dc;
  dc.baseHeight = 1 + in.Byte() % 64;
  dc.maxWidth = in.Byte() % 48;
  for (auto& a : dc.advances)
    a = in.Byte() % 32;
  dc.failFonts = in.Byte() % 8 == 0 ? in.Byte() % 4 : 0;
  const qm::Box rect{in.Byte(), in.Byte(), 0, 0};
  const std::int32_t width = in.Word() % 2048 + 1;
  const std::int32_t height = in.Word() % 2048 + 1;
  qm::FontSettings settings;
  settings.FontSize = in.Byte() % 80;
  settings.FontAsciiBase = (in.Byte() & 1) ? qm::BaseUnicode : qm::BaseEightBit;
  qm::g_app.FontSettings = settings;
  const int ops = in.Byte() % 16;
  std::vector<std::uint8_t> script;
  for (int i = 0; i < ops * 3; ++i)
    script.push_back(in.Byte());

  // The rest is the text as a decoded record holds it: the paragraphs, then the zero that ends
  // the document and two more.
  const std::size_t textSize = in.size + 3;
  qm::TextBuffer text = qm::AllocArray<std::uint8_t>(textSize);
  if (in.size) std::memcpy(text.get(), in.data, in.size);
  std::memset(text.get() + in.size, 0, 3);

  const qm::Box box{rect.left, rect.top, rect.left + width, rect.top + height};
  qm::DocumentPtr doc = qm::CreateDocument(&dc, &box, settings, 1 + script.size());
  if (!doc) return 0;
  const std::uint16_t laid = qm::LayoutDocument(doc.get(), std::move(text));
  Check(*doc, textSize);
  if (laid == qm::kLayoutDone) qm::DrawDocument(doc.get(), true);

  for (std::size_t i = 0; i + 2 < script.size(); i += 3) {
    const std::uint8_t a = script[i + 1], b = script[i + 2];
    switch (script[i] % 6) {
      case 0:
        qm::ResizeDocument(doc.get(), a * 8 - 16, b * 8 - 16);
        break;
      case 1:
        qm::ScrollDocument(doc.get(), static_cast<std::int8_t>(a), b & 1, (b & 2) != 0);
        break;
      case 2:
        doc->TopLine = static_cast<std::uint16_t>(a | b << 8);
        qm::DrawDocument(doc.get(), b & 1);
        break;
      case 3: {
        qm::FontSettings other = settings;
        other.FontSize = a % 80;
        other.FontAsciiBase = (b & 1) ? qm::BaseUnicode : qm::BaseEightBit;
        dc.failFonts = (b >> 1) % 3 == 0 ? 1 : 0;
        qm::SetDocumentFont(doc.get(), &other);
        break;
      }
      case 4:
        qm::ScrollToOffset(doc.get(), static_cast<std::uint16_t>(a | b << 8));
        break;
      case 5:
        // A search mark over any span, as a hit would set it.
        doc->MarkStart = static_cast<std::uint16_t>(a * 16);
        doc->MarkEnd = static_cast<std::uint16_t>(doc->MarkStart + b);
        if (doc->Text) qm::DrawMarks(doc.get());
        break;
    }
    Check(*doc, textSize);
  }
  doc.reset();
  qm::g_conversion = qm::ConversionBuffer{};
  return 0;
}

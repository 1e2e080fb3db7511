// The list of all hits: one entry per lesson that holds the search text, its title and the words
// around the hit, and the drawing of one row.
#include "search/hit_list.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "frame/app_state.h"
#include "store/records.h"
#include "text/conversion.h"
#include "text/fonts.h"
#include "text/run_order.h"

namespace qm {

namespace {

struct Span {
  std::size_t start = 0, end = 0;  // a paragraph's text: [start, end), end at its zero byte
  std::uint8_t style = 0;
};

// The paragraph whose style byte is at p.
Span ParagraphFrom(const std::uint8_t* text, std::size_t p) {
  Span s{p + 2, p + 2, text[p]};
  while (text[s.end] != 0)
    ++s.end;
  return s;
}

TextPiece Copy(const std::uint8_t* text, std::size_t from, std::size_t to, std::uint8_t style) {
  TextPiece piece;
  piece.bytes.assign(text + from, text + to);
  piece.style = style;
  return piece;
}

}  // namespace

void TakeContext(const std::uint8_t* text, ListedHit& listed) {
  const std::size_t high = listed.hit.offset;
  const std::size_t low = high + 1 - std::min<std::size_t>(listed.hit.length, high + 1);
  Span s;
  for (std::size_t p = 0; text[p] != 0; p = s.end + 1) {
    s = ParagraphFrom(text, p);
    if (high < s.end) break;
  }
  if (high < s.start || high >= s.end) return;
  // Lower offsets follow the hit in reading order in a right-to-left paragraph and precede it
  // in a left-to-right one; either way whole words are kept on both sides.
  std::size_t from = std::max(s.start, low > kContextBytes ? low - kContextBytes : 0);
  if (from > s.start) {
    std::size_t k = from;
    while (k < low && text[k] != ' ')
      ++k;
    if (k < low) from = k + 1;
  }
  std::size_t to = std::min(s.end, high + 1 + kContextBytes);
  if (to < s.end) {
    std::size_t k = to;
    while (k > high + 1 && text[k - 1] != ' ')
      --k;
    if (k > high + 1) to = k - 1;
  }
  listed.context = Copy(text, from, to, s.style);
  listed.hitStart = static_cast<std::uint16_t>(low - from);
  listed.hitLength = static_cast<std::uint16_t>(high + 1 - low);
}

std::vector<ListedHit> ListAllHits(std::span<const std::uint8_t> pattern, std::uint16_t first) {
  std::vector<ListedHit> hits;
  if (pattern.empty()) return hits;
  if (first < 1 || first > kLessonCount) first = 1;
  // The out-of-memory path of the matcher releases the view's document and ends the program:
  // then the list stops at once.
  const Document* view = g_app.CurrentDocument.get();
  for (int k = 0; k < kLessonCount && g_app.CurrentDocument.get() == view; ++k) {
    const auto lesson = static_cast<std::uint16_t>((first - 1 + k) % kLessonCount + 1);
    const QuietDecoding quiet;
    const TextBuffer text = LoadRecord(lesson);
    if (!text) continue;
    const TextHit hit = FindInText(text.get(), kUnboundedText, 0, pattern);
    if (!hit) continue;
    ListedHit& listed = hits.emplace_back();
    listed.lesson = lesson;
    listed.hit = hit;
    listed.title = LessonTitle(text.get());
    TakeContext(text.get(), listed);
  }
  return hits;
}

namespace {

constexpr std::int32_t kPad = 4;

std::int32_t BaseOf(const TextPiece& piece, std::int32_t base) {
  return (piece.style & StyleReaderCode) ? base : BaseAsStored;
}

std::int32_t Measure(TextDevice& dc,
                     const std::uint8_t* bytes,
                     std::size_t count,
                     std::int32_t base) {
  const ScopedOverride scope(base);
  std::int32_t extra = 0;
  const auto n = static_cast<std::int32_t>(count);
  const char16_t* units = ToDisplayText(bytes, g_conversion, n, &extra, RunUse::Measure);
  if (!units) return 0;
  return dc.TextExtent(std::u16string_view(units, static_cast<std::size_t>(n + extra))).cx;
}

void Draw(TextDevice& dc,
          const std::uint8_t* bytes,
          std::size_t count,
          std::int32_t base,
          const Box& box) {
  const ScopedOverride scope(base);
  std::int32_t extra = 0;
  const auto n = static_cast<std::int32_t>(count);
  const char16_t* units = ToDisplayText(bytes, g_conversion, n, &extra, RunUse::Draw);
  if (!units) return;
  const std::uint32_t flags = dt::Run | (RunsInReadingOrder(base) ? dt::RtlReading : 0);
  dc.DrawUnits(std::u16string_view(units, static_cast<std::size_t>(n + extra)), box, flags);
}

// Whole words off the outer ends of the context (cuts[0] and cuts[3] move inward), the wider side
// first, until the line holds it or only the hit is left.
void FitContext(TextDevice& dc,
                const ListedHit& listed,
                std::int32_t room,
                std::int32_t base,
                std::size_t cuts[4],
                std::int32_t widths[3]) {
  const std::uint8_t* b = listed.context.bytes.data();
  auto measure = [&](int i) { widths[i] = Measure(dc, b + cuts[i], cuts[i + 1] - cuts[i], base); };
  for (int i = 0; i < 3; ++i)
    measure(i);
  while (widths[0] + widths[1] + widths[2] > room) {
    const bool left = cuts[0] < cuts[1] && (widths[0] >= widths[2] || cuts[2] == cuts[3]);
    if (left) {
      do {
        ++cuts[0];
      } while (cuts[0] < cuts[1] && b[cuts[0] - 1] != ' ');
      measure(0);
    } else if (cuts[2] < cuts[3]) {
      do {
        --cuts[3];
      } while (cuts[3] > cuts[2] && b[cuts[3]] != ' ');
      measure(2);
    } else {
      break;
    }
  }
}

// The context line: the three pieces in stored order from the left, cut to whole words that fit,
// the whole right-aligned for right-to-left text (left-aligned else).
void DrawContext(TextDevice& dc, const ListedHit& listed, const Box& line, std::int32_t base) {
  const std::vector<std::uint8_t>& b = listed.context.bytes;
  std::size_t cuts[4] = {0, listed.hitStart, std::size_t{listed.hitStart} + listed.hitLength,
                         b.size()};
  if (cuts[2] > b.size()) return;
  const std::int32_t pieceBase = BaseOf(listed.context, base);
  std::int32_t widths[3];
  FitContext(dc, listed, line.right - line.left, pieceBase, cuts, widths);
  const std::int32_t total = widths[0] + widths[1] + widths[2];
  const bool rtl = (listed.context.style & StyleReaderCode) != 0;
  std::int32_t x = rtl ? line.right - total : line.left;
  for (int i = 0; i < 3; ++i) {
    const Box box{x, line.top, x + widths[i], line.bottom};
    const bool hit = i == 1;
    Colour text0 = 0, back0 = 0;
    if (hit) {
      if (GdiObject brush = dc.NewSolidBrush(kYellow)) {
        dc.Fill(box, brush);
        dc.Delete(brush);
      }
      text0 = dc.SetTextColor(kBlue);
      back0 = dc.SetBkColor(kYellow);
    }
    Draw(dc, b.data() + cuts[i], cuts[i + 1] - cuts[i], pieceBase, box);
    if (hit) {
      dc.SetTextColor(text0);
      dc.SetBkColor(back0);
    }
    x += widths[i];
  }
}

}  // namespace

void DrawListedHit(TextDevice& dc,
                   const ListedHit& listed,
                   const Box& row,
                   std::int32_t base,
                   GdiObject titleFont,
                   GdiObject contextFont,
                   const RowColours& colours) {
  if (GdiObject brush = dc.NewSolidBrush(colours.back)) {
    dc.Fill(row, brush);
    dc.Delete(brush);
  }
  dc.SetBkMode(kTransparent);
  const Colour text0 = dc.SetTextColor(colours.text);
  GdiObject previous = dc.Select(contextFont);

  // The lesson number, left.
  const std::string number = std::to_string(listed.lesson);
  const auto* digits = reinterpret_cast<const std::uint8_t*>(number.data());
  const std::int32_t numberWidth = Measure(dc, digits, number.size(), BaseAsStored);
  dc.Select(titleFont);
  const std::int32_t titleHeight = dc.Metrics().height;
  const Box first{row.left + kPad, row.top + kPad / 2, row.right - kPad,
                  row.top + kPad / 2 + titleHeight};
  Draw(dc, digits, number.size(), BaseAsStored,
       {first.left, first.top, first.left + numberWidth, first.bottom});

  // The title beside it, in the title colour.
  const std::vector<std::uint8_t>& t = listed.title.bytes;
  const std::int32_t titleBase = BaseOf(listed.title, base);
  const std::int32_t room = first.right - first.left - numberWidth - 2 * kPad;
  const std::int32_t w = std::min(Measure(dc, t.data(), t.size(), titleBase), room);
  const bool rtl = (listed.title.style & StyleReaderCode) != 0;
  const std::int32_t x = rtl ? first.right - w : first.left + numberWidth + 2 * kPad;
  dc.SetTextColor(colours.title);
  Draw(dc, t.data(), t.size(), titleBase, {x, first.top, x + w, first.bottom});
  dc.SetTextColor(colours.text);

  dc.Select(contextFont);
  const Box second{first.left, first.bottom, first.right, first.bottom + dc.Metrics().height};
  DrawContext(dc, listed, second, base);
  dc.Select(previous);
  dc.SetTextColor(text0);
}

}  // namespace qm

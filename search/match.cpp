// Backward matching with ignorable vowel points and wildcards, and the paragraph scan.
#include "search/match.h"

#include <cstring>
#include <new>

#include "frame/alloc_or_abort.h"
#include "frame/heap.h"
#include "search/fold_code.h"

namespace qm {

namespace {

// Compares the pattern below its anchor, which matched at q. Returns the match or none.
Match MatchAt(const std::uint8_t* first,
              std::span<const std::uint8_t> pattern,
              std::ptrdiff_t q,
              bool* stopScan) {
  std::ptrdiff_t t = q - 1;
  std::ptrdiff_t k = static_cast<std::ptrdiff_t>(pattern.size()) - 2;
  // Stars typed last (the lowest pattern bytes below the anchor) add nothing: the pattern ends
  // before them, so they never start a wildcard step with nothing left to look for.
  std::ptrdiff_t last = 0;
  while (last <= k && pattern[static_cast<std::size_t>(last)] == kAnyRun)
    ++last;
  while (k >= last) {
    if (t < 0) return {};
    if (IsIgnorable(first[t])) {
      --t;
      continue;
    }
    const std::uint8_t p = pattern[static_cast<std::size_t>(k)];
    if (p == kAnyRun) {
      const Match inner = MatchBackward(first, pattern.first(static_cast<std::size_t>(k)), t);
      *stopScan = true;
      if (!inner) return {};
      return {q, static_cast<std::uint32_t>(q - inner.high) + inner.length};
    }
    if (p != kAnyOne && FoldCode(first[t]) != FoldCode(p)) return {};
    --t;
    --k;
  }
  std::ptrdiff_t e = t;
  while (e >= 0 && IsIgnorable(first[e]))
    --e;
  return {q, static_cast<std::uint32_t>(q - e)};
}

// One node per paragraph: its style byte and its terminating zero, as offsets in the text.
struct ParagraphSpan {
  std::size_t style;
  std::size_t zero;
  ParagraphSpan* next;
};

// Owns the list and releases every node on the way out.
class SpanList {
 public:
  SpanList() = default;
  SpanList(const SpanList&) = delete;
  SpanList& operator=(const SpanList&) = delete;
  ~SpanList() {
    while (head_) {
      ParagraphSpan* next = head_->next;
      head_->~ParagraphSpan();
      HeapRelease(head_);
      head_ = next;
    }
  }

  // Appends a node; false when the allocation failed.
  bool Append(std::size_t style, std::size_t zero) {
    void* block = AllocOrAbort(sizeof(ParagraphSpan));
    if (!block) return false;
    auto* node = new (block) ParagraphSpan{style, zero, nullptr};
    (tail_ ? tail_->next : head_) = node;
    tail_ = node;
    return true;
  }

  const ParagraphSpan* head() const { return head_; }

 private:
  ParagraphSpan* head_ = nullptr;
  ParagraphSpan* tail_ = nullptr;
};

// The offset of the first zero at or after `from`, or `size` when there is none below it. A text
// of unbounded size ends in zeros, so the string scan is safe there.
std::size_t TerminatorAt(const std::uint8_t* text, std::size_t from, std::size_t size) {
  if (from >= size) return size;
  const auto* start = reinterpret_cast<const char*>(text + from);
  if (size == kUnboundedText) return from + std::strlen(start);
  const void* zero = std::memchr(start, 0, size - from);
  return zero ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - text) : size;
}

// Builds the spans of every complete paragraph; false on an allocation failure.
bool BuildSpans(const std::uint8_t* text, std::size_t size, SpanList& spans) {
  std::size_t p = 0;
  while (p + 1 < size && text[p] != 0) {
    // The paragraph's terminating zero, found by the library's word-at-a-time scans.
    const std::size_t z = TerminatorAt(text, p + 2, size);
    if (z >= size) break;  // no terminator within the text: not a paragraph
    if (!spans.Append(p, z)) return false;
    p = z + 1;
  }
  return true;
}

// The highest offset at or below q whose byte folds to the anchor, or -1. Most bytes do not, so
// eight are tested per step with one branch; the loop then finds the byte within the step.
std::ptrdiff_t AnchorAtOrBelow(const std::uint8_t* first, std::ptrdiff_t q, std::uint8_t anchor) {
  constexpr std::ptrdiff_t kStep = 8;
  while (q >= kStep - 1) {
    const std::uint8_t* p = first + q - (kStep - 1);
    const auto is = [&](int i) { return FoldCode(p[i]) == anchor; };
    if (is(0) | is(1) | is(2) | is(3) | is(4) | is(5) | is(6) | is(7)) break;
    q -= kStep;
  }
  while (q >= 0 && FoldCode(first[q]) != anchor)
    --q;
  return q;
}

}  // namespace

Match MatchBackward(const std::uint8_t* first,
                    std::span<const std::uint8_t> pattern,
                    std::ptrdiff_t from) {
  if (pattern.empty()) return {from, 0};
  const std::uint8_t anchor = FoldCode(pattern.back());
  for (std::ptrdiff_t q = from; (q = AnchorAtOrBelow(first, q, anchor)) >= 0; --q) {
    bool stopScan = false;
    const Match m = MatchAt(first, pattern, q, &stopScan);
    if (m || stopScan) return m;
  }
  return {};
}

TextHit FindInText(const std::uint8_t* text,
                   std::size_t size,
                   std::uint16_t start,
                   std::span<const std::uint8_t> pattern) {
  if (!text || pattern.empty()) return {};
  SpanList spans;
  if (!BuildSpans(text, size, spans)) return {};
  for (const ParagraphSpan* s = spans.head(); s; s = s->next) {
    if (s->zero < start) continue;
    const std::size_t textStart = s->style + 2;
    // The last stored byte when the paragraph lies wholly after the start; never the zero.
    const std::size_t from = start < textStart || start >= s->zero ? s->zero - 1 : start;
    const std::ptrdiff_t rel =
        static_cast<std::ptrdiff_t>(from) - static_cast<std::ptrdiff_t>(textStart);
    const Match m = MatchBackward(text + textStart, pattern, rel);
    if (m) {
      return {static_cast<std::uint16_t>(textStart + static_cast<std::size_t>(m.high)), m.length};
    }
  }
  return {};
}

std::span<const std::uint8_t> PatternOf(std::span<const std::uint8_t> field) {
  std::size_t n = 0;
  while (n + 1 < field.size() && field[n] != 0)
    ++n;
  return field.first(n);
}

}  // namespace qm

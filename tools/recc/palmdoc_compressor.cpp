// Greedy PalmDoc LZ77 compressor with hash chains and one step of lazy matching.
#include "tools/recc/palmdoc_compressor.h"

#include <algorithm>

namespace qm::recc {

namespace {

constexpr std::size_t kHashBits = 12;
constexpr std::size_t kNoPosition = ~std::size_t{0};

bool IsPlainLiteral(std::uint8_t b) {
  return b == 0 || (b >= 0x09 && b <= 0x7F);
}

class Compressor {
 public:
  explicit Compressor(std::span<const std::uint8_t> text)
      : text_(text),
        head_(std::size_t{1} << kHashBits, kNoPosition),
        prev_(text.size(), kNoPosition) {}

  std::vector<std::uint8_t> Run() {
    std::size_t i = 0;
    while (i < text_.size()) {
      Match m = Longest(i);
      if (m.length >= kMinMatch && m.length < kMaxMatch && i + 1 < text_.size()) {
        // Lazy step: a longer match one byte later is worth a literal now.
        Insert(i);
        const Match next = Longest(i + 1);
        if (next.length > m.length) {
          Literal(i);
          ++i;
          m = next;
        }
        EmitMatch(m);
        for (std::size_t k = i; k < i + m.length; ++k)
          Insert(k);
        i += m.length;
        continue;
      }
      if (m.length >= kMinMatch) {
        EmitMatch(m);
        for (std::size_t k = i; k < i + m.length; ++k)
          Insert(k);
        i += m.length;
        continue;
      }
      if (text_[i] == ' ' && i + 1 < text_.size() && text_[i + 1] >= 0x40 && text_[i + 1] <= 0x7F) {
        FlushRun();
        out_.push_back(static_cast<std::uint8_t>(text_[i + 1] ^ 0x80));
        Insert(i);
        Insert(i + 1);
        i += 2;
        continue;
      }
      Insert(i);
      Literal(i);
      ++i;
    }
    FlushRun();
    return std::move(out_);
  }

 private:
  struct Match {
    std::size_t length = 0;
    std::size_t distance = 0;
  };

  std::size_t Hash(std::size_t p) const {
    const std::uint32_t v =
        (std::uint32_t{text_[p]} << 16) | (std::uint32_t{text_[p + 1]} << 8) | text_[p + 2];
    return (v * 2654435761u) >> (32 - kHashBits);
  }

  void Insert(std::size_t p) {
    if (p + kMinMatch > text_.size() || inserted_ > p) return;
    const std::size_t h = Hash(p);
    prev_[p] = head_[h];
    head_[h] = p;
    inserted_ = p + 1;
  }

  Match Longest(std::size_t p) const {
    Match best;
    if (p + kMinMatch > text_.size()) return best;
    const std::size_t limit = std::min(kMaxMatch, text_.size() - p);
    std::size_t candidate = head_[Hash(p)];
    // Positions not inserted yet (p itself during the lazy step) are skipped by the distance test.
    for (int chain = 0; candidate != kNoPosition && chain < 256;
         ++chain, candidate = prev_[candidate]) {
      if (candidate >= p) continue;
      const std::size_t distance = p - candidate;
      if (distance > kMaxDistance) break;
      std::size_t n = 0;
      while (n < limit && text_[candidate + n] == text_[p + n])
        ++n;
      if (n > best.length) {
        best = {n, distance};
        if (n == limit) break;
      }
    }
    if (best.length < kMinMatch) best = {};
    return best;
  }

  void Literal(std::size_t p) {
    const std::uint8_t b = text_[p];
    if (!run_.empty() || !IsPlainLiteral(b)) {
      run_.push_back(b);  // plain bytes join an open run at no cost
      if (run_.size() == kMaxLiteralRun) FlushRun();
      return;
    }
    out_.push_back(b);
  }

  void FlushRun() {
    if (run_.empty()) return;
    out_.push_back(static_cast<std::uint8_t>(run_.size()));
    out_.insert(out_.end(), run_.begin(), run_.end());
    run_.clear();
  }

  void EmitMatch(const Match& m) {
    FlushRun();
    const std::size_t v = 0x8000 | (m.distance << 3) | (m.length - kMinMatch);
    out_.push_back(static_cast<std::uint8_t>(v >> 8));
    out_.push_back(static_cast<std::uint8_t>(v & 0xFF));
  }

  std::span<const std::uint8_t> text_;
  std::vector<std::size_t> head_;
  std::vector<std::size_t> prev_;
  std::size_t inserted_ = 0;
  std::vector<std::uint8_t> run_;
  std::vector<std::uint8_t> out_;
};

}  // namespace

std::vector<std::uint8_t> CompressPalmDoc(std::span<const std::uint8_t> text) {
  return Compressor(text).Run();
}

}  // namespace qm::recc

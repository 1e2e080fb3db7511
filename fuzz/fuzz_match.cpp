// Fuzzes the search matcher: random patterns (wildcards included) over random document texts.
// A hit must lie inside one paragraph and end on its anchor; for patterns without wildcards
// and points, whether anything is found must agree with a plain search of the folded text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "search/fold_code.h"
#include "search/match.h"

namespace {

bool IsPlain(std::span<const std::uint8_t> pattern) {
  return std::none_of(pattern.begin(), pattern.end(), [](std::uint8_t b) {
    return b == qm::kAnyOne || b == qm::kAnyRun || qm::IsIgnorable(b);
  });
}

// Whether any paragraph, with its points taken out, holds the folded pattern.
bool PlainSearch(const std::vector<std::uint8_t>& text, std::span<const std::uint8_t> pattern) {
  std::vector<std::uint8_t> folded;
  for (const std::uint8_t b : pattern)
    folded.push_back(qm::FoldCode(b));
  std::size_t p = 0;
  while (p + 1 < text.size() && text[p] != 0) {
    std::size_t z = p + 2;
    while (z < text.size() && text[z] != 0)
      ++z;
    if (z >= text.size()) break;
    std::vector<std::uint8_t> bare;
    for (std::size_t i = p + 2; i < z; ++i) {
      if (!qm::IsIgnorable(text[i])) bare.push_back(qm::FoldCode(text[i]));
    }
    if (std::search(bare.begin(), bare.end(), folded.begin(), folded.end()) != bare.end()) {
      return true;
    }
    p = z + 1;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3 || size > 4096) return -1;
  const std::size_t patternLength = 1 + data[0] % 33;
  if (size < 3 + patternLength) return -1;
  const std::uint16_t start = static_cast<std::uint16_t>(data[1] | (data[2] << 8));
  std::vector<std::uint8_t> pattern(data + 3, data + 3 + patternLength);
  for (auto& b : pattern)
    b = b == 0 ? 'a' : b;  // a stored search text holds no zero
  std::vector<std::uint8_t> text(data + 3 + patternLength, data + size);

  const qm::TextHit hit = qm::FindInText(text.data(), text.size(), start, pattern);
  if (hit) {
    if (hit.length == 0 || hit.offset >= text.size() || hit.length > hit.offset) std::abort();
    const std::size_t low = hit.offset - hit.length + 1;
    if (low < 2) std::abort();
    for (std::size_t i = low; i <= hit.offset; ++i) {
      if (text[i] == 0) std::abort();  // a hit never crosses a paragraph's end
    }
    if (qm::FoldCode(text[hit.offset]) != qm::FoldCode(pattern.back())) std::abort();
  }
  if (IsPlain(pattern)) {
    const bool anywhere = static_cast<bool>(qm::FindInText(text.data(), text.size(), 0, pattern));
    if (anywhere != PlainSearch(text, pattern)) std::abort();
  }
  return 0;
}

// "search": the search text typed as the search dialog types it, and every hit over the lessons
// in the order Search Again would show them.
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "frame/app_state.h"
#include "resources/generated_records.h"
#include "search/hebrew_keys.h"
#include "search/match.h"
#include "search/search_start.h"
#include "store/records.h"
#include "text/conversion.h"
#include "text/fonts.h"
#include "tools/cli/cli.h"

namespace qm::cli {

namespace {

constexpr std::string_view kUsage =
    "search TEXT [--from LESSON] [--first]\n"
    "                     type TEXT into the search edit (Latin keys through the Hebrew\n"
    "                     keyboard map, Hebrew letters as they are) and print every hit from\n"
    "                     the start of LESSON (default 1) through the following lessons with\n"
    "                     wrap-around, as LESSON OFFSET LENGTH and the hit's paragraph in\n"
    "                     logical order; --first stops at the first hit. Exit 1 when nothing\n"
    "                     is found";

int Usage() {
  std::fprintf(stderr, "usage: quillmere-cli %.*s\n", int(kUsage.find('\n')), kUsage.data());
  return kUsageError;
}

// UTF-8 to UTF-16 units (code points beyond the BMP are dropped); nullopt when malformed.
std::optional<std::u16string> FromUtf8(std::string_view s) {
  std::u16string out;
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    const int extra = b < 0x80         ? 0
                      : (b >> 5) == 6  ? 1
                      : (b >> 4) == 14 ? 2
                      : (b >> 3) == 30 ? 3
                                       : -1;
    if (extra < 0 || i + extra >= s.size() + (extra == 0 ? 1 : 0)) return std::nullopt;
    std::uint32_t cp = extra == 0 ? b : b & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
      const auto c = static_cast<unsigned char>(s[i + k]);
      if ((c & 0xC0) != 0x80) return std::nullopt;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (cp <= 0xFFFF) out.push_back(static_cast<char16_t>(cp));
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

void AppendUtf8(std::string& out, char16_t u) {
  if (u < 0x80) {
    out.push_back(static_cast<char>(u));
  } else if (u < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (u >> 6)));
    out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (u >> 12)));
    out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
  }
}

// The paragraph holding `offset`, in logical order as UTF-8 (Unicode letters and points).
std::string ParagraphAt(const std::uint8_t* text, std::uint16_t offset) {
  std::size_t p = 0;
  while (text[p] != 0) {
    std::size_t z = p + 2;
    while (text[z] != 0)
      ++z;
    if (offset < z) {
      const auto count = static_cast<std::int32_t>(z - (p + 2));
      const bool readerCode = (text[p] & StyleReaderCode) != 0;
      ConversionBuffer buffer;
      buffer.Override = readerCode ? BaseUnicode : BaseAsStored;
      std::int32_t extra = 0;
      const char16_t* units = ToDisplayText(text + p + 2, buffer, count, &extra);
      if (!units) return {};
      std::u16string run(units, static_cast<std::size_t>(count + extra));
      if (readerCode) ReverseRun(run.data(), static_cast<std::int32_t>(run.size()));
      std::string out;
      for (char16_t u : run)
        AppendUtf8(out, u);
      return out;
    }
    p = z + 1;
  }
  return {};
}

// Prints the hits of one lesson in reading order; false when --first has had its hit.
bool PrintHits(int lesson,
               const std::uint8_t* text,
               std::span<const std::uint8_t> pattern,
               bool first,
               int& hits) {
  std::uint32_t start = 0;
  for (;;) {
    const TextHit hit =
        FindInText(text, kUnboundedText, static_cast<std::uint16_t>(start), pattern);
    if (!hit) return true;
    ++hits;
    const std::string line = ParagraphAt(text, hit.offset);
    std::printf("%d %u %u %s\n", lesson, unsigned{hit.offset}, unsigned{hit.length}, line.c_str());
    if (first) return false;
    const auto low = static_cast<std::uint16_t>(hit.offset - hit.length + 1);
    const std::uint16_t next = OffsetAfterHit(text, low);
    if (next >= hit.offset) return true;  // nothing below the hit: done with this lesson
    start = next;
  }
}

int Search(std::span<const std::string_view> args) {
  std::optional<std::u16string> typed;
  int from = 1;
  bool first = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--first") {
      first = true;
    } else if (args[i] == "--from" && i + 1 < args.size()) {
      from = 0;
      for (char c : args[++i]) {
        if (c < '0' || c > '9' || from > kLessonCount) return Usage();
        from = from * 10 + (c - '0');
      }
      if (from < 1 || from > kLessonCount) return Usage();
    } else if (!typed) {
      typed = FromUtf8(args[i]);
      if (!typed) return Usage();
    } else {
      return Usage();
    }
  }
  if (!typed) return Usage();

  InstallGeneratedRecords();
  g_app.FontSettings.FontAsciiBase = BaseUnicode;
  EditTextToReaderCode(TypeAsDialog(*typed, BaseUnicode));
  const std::span<const std::uint8_t> pattern = PatternOf(g_app.SearchText);
  if (pattern.empty()) {
    std::fprintf(stderr, "search: the search text is empty\n");
    return kUsageError;
  }
  int hits = 0;
  for (int k = 0; k < kLessonCount; ++k) {
    const int lesson = (from - 1 + k) % kLessonCount + 1;
    const TextBuffer text = LoadRecord(lesson);
    if (!text) continue;
    if (!PrintHits(lesson, text.get(), pattern, first, hits)) break;
  }
  return hits > 0 ? 0 : 1;
}

const Registration registration{{"search", kUsage, Search}};

}  // namespace

}  // namespace qm::cli

// Lesson sources: "lesson N" then one paragraph a line ("TAG text"); index sources: "index"
// then one entry a line ("heading text", "lesson N text" or "entry ID STYLE LEVEL text").
#include "tools/recc/source_markup.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <optional>
#include <vector>

#include "tools/recc/utf8.h"

namespace qm::recc {

namespace {

constexpr std::array<StyleTag, 7> kTags = {{
    {"title", 0xDC, 0x00},
    {"center", 0xD1, 0x00},
    {"center-small", 0xD2, 0x00},
    {"body", 0xB1, 0x00},
    {"small", 0xB2, 0x00},
    {"ascii", 0x81, 0x00},
    {"rule", 0xC7, 0xD2},
}};

constexpr std::size_t kMaxTextLength = 0xFFFF;

bool IsRule(std::uint8_t style) {
  return (style & kStyleRuleBits) == kStyleRuleBits;
}

struct Line {
  std::size_t number;
  std::string_view text;
};

// Lines that carry content: comments ("#" first) and blank lines are dropped, "\r" trimmed.
std::vector<Line> ContentLines(std::string_view content) {
  std::vector<Line> lines;
  std::size_t number = 0;
  while (!content.empty()) {
    const std::size_t end = content.find('\n');
    std::string_view line = content.substr(0, end);
    content = end == std::string_view::npos ? std::string_view{} : content.substr(end + 1);
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    lines.push_back({number, line});
  }
  return lines;
}

// Splits "WORD rest": the word, and the text after exactly one space (may start with spaces).
std::pair<std::string_view, std::string_view> SplitWord(std::string_view line) {
  const std::size_t sp = line.find(' ');
  if (sp == std::string_view::npos) return {line, {}};
  return {line.substr(0, sp), line.substr(sp + 1)};
}

std::optional<unsigned> ParseNumber(std::string_view s, int base = 10) {
  unsigned v = 0;
  if (base == 16 && s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s.remove_prefix(2);
  if (s.empty()) return std::nullopt;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v, base);
  if (ec != std::errc{} || p != s.data() + s.size()) return std::nullopt;
  return v;
}

class Compiler {
 public:
  Compiler(std::string_view name, std::string& error) : name_(name), error_(error) {}

  bool Fail(const Line& line, std::size_t column, const std::string& message) {
    error_ = std::string(name_) + ":" + std::to_string(line.number) + ":" + std::to_string(column) +
             ": " + message;
    return false;
  }

  // Encodes `text` (a UTF-8 piece of `line` starting at byte `offset`) and appends it.
  bool EncodeText(const Line& line,
                  std::size_t offset,
                  std::string_view text,
                  bool readerCode,
                  Bytes& out) {
    std::size_t bad = 0;
    auto cps = DecodeUtf8(text, &bad);
    if (!cps) return Fail(line, offset + bad + 1, "malformed UTF-8");
    EncodeError e;
    const bool ok = readerCode ? EncodeReaderText(*cps, out, e) : EncodeAsciiText(*cps, out, e);
    if (ok) return true;
    // Report the column in characters of the whole line.
    auto prefix = DecodeUtf8(line.text.substr(0, offset));
    const std::size_t column = (prefix ? prefix->size() : offset) + e.column;
    return Fail(line, column, "character " + e.message);
  }

  bool Lesson(const std::vector<Line>& lines, CompiledSource& out) {
    Bytes& text = out.text;
    bool first = true;
    for (std::size_t k = 1; k < lines.size(); ++k) {
      const Line& line = lines[k];
      auto [tag, rest] = SplitWord(line.text);
      std::uint8_t style = 0;
      std::uint8_t parameter = 0;
      bool found = false;
      for (const StyleTag& t : kTags) {
        if (t.name == tag) style = t.style, parameter = t.parameter, found = true;
      }
      if (!found && tag.size() == 6 && tag[0] == '@' && tag[3] == ':') {
        auto s = ParseNumber(tag.substr(1, 2), 16);
        auto p = ParseNumber(tag.substr(4, 2), 16);
        if (s && p && *s != 0) style = std::uint8_t(*s), parameter = std::uint8_t(*p), found = true;
      }
      if (!found) return Fail(line, 1, "unknown paragraph tag '" + std::string(tag) + "'");
      if (IsRule(style) && !rest.empty()) return Fail(line, tag.size() + 2, "a rule has no text");
      const std::size_t start = text.size();
      text.push_back(style);
      text.push_back(parameter);
      if (!IsRule(style) &&
          !EncodeText(line, tag.size() + 1, rest, (style & kStyleReaderCode) != 0, text))
        return false;
      if (first && !IsRule(style) && text.size() == start + 2)
        return Fail(line, 1, "the first paragraph needs text (or must be a rule)");
      first = false;
      text.push_back(0);
    }
    if (first) return Fail(lines[0], 1, "a lesson needs at least one paragraph");
    text.insert(text.end(), {0, 0, 0});  // end of the document and two more zeros
    return true;
  }

  bool Index(const std::vector<Line>& lines, CompiledSource& out) {
    Bytes& text = out.text;
    std::size_t position = 0;
    for (std::size_t k = 1; k < lines.size(); ++k, ++position) {
      const Line& line = lines[k];
      auto [tag, rest] = SplitWord(line.text);
      std::size_t offset = tag.size() + 1;
      unsigned id = 0, style = 0, level = 0;
      if (tag == "heading") {
        if (position > kFirstHeadingId - 0x8000u) return Fail(line, 1, "too many entries");
        id = kFirstHeadingId - position, style = kHeadingStyle, level = 1;
      } else if (tag == "lesson") {
        auto [num, text2] = SplitWord(rest);
        auto n = ParseNumber(num);
        if (!n || *n < 1 || *n > 0x3FFF) return Fail(line, offset + 1, "bad lesson number");
        id = kLessonIdBase + *n, style = kLessonEntryStyle, level = 2;
        offset += num.size() + 1;
        rest = text2;
      } else if (tag == "entry") {
        auto [a, r1] = SplitWord(rest);
        auto [b, r2] = SplitWord(r1);
        auto [c, r3] = SplitWord(r2);
        auto i = ParseNumber(a, 16);
        auto s = ParseNumber(b, 16);
        auto l = ParseNumber(c);
        if (!i || *i > 0xFFFF || !s || *s == 0 || *s > 0xFF || !l || *l > 0xFF)
          return Fail(line, offset + 1, "expected: entry ID STYLE LEVEL text (hex, hex, decimal)");
        id = *i, style = *s, level = *l;
        offset += a.size() + b.size() + c.size() + 3;
        rest = r3;
      } else {
        return Fail(line, 1, "unknown index line '" + std::string(tag) + "'");
      }
      text.push_back(std::uint8_t(id & 0xFF));
      text.push_back(std::uint8_t(id >> 8));
      text.push_back(std::uint8_t(style));
      text.push_back(std::uint8_t(level));
      const std::size_t start = text.size();
      if (!EncodeText(line, offset, rest, true, text)) return false;
      if (position == 0 && text.size() == start) return Fail(line, 1, "the first entry needs text");
      text.push_back(0);
    }
    if (position == 0) return Fail(lines[0], 1, "an index needs at least one entry");
    text.insert(text.end(), {0, 0, 0, 0, 0});
    return true;
  }

 private:
  std::string_view name_;
  std::string& error_;
};

std::string PrintText(std::span<const std::uint8_t> bytes, bool readerCode) {
  if (readerCode) return EncodeUtf8(DecodeReaderText(bytes));
  std::string s;
  for (std::uint8_t b : bytes) {
    if (b >= 0x20 && b < 0x7F) {
      s.push_back(static_cast<char>(b));
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", b);
      s += buf;
    }
  }
  return s;
}

std::string Hex2(unsigned v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X", v);
  return buf;
}

}  // namespace

std::span<const StyleTag> StyleTags() {
  return kTags;
}

bool CompileSource(std::string_view name,
                   std::string_view content,
                   CompiledSource& out,
                   std::string& error) {
  out = {};
  Compiler compiler(name, error);
  const std::vector<Line> lines = ContentLines(content);
  if (lines.empty()) {
    error = std::string(name) + ":1:1: empty source (expected 'lesson N' or 'index')";
    return false;
  }
  auto [word, rest] = SplitWord(lines[0].text);
  bool ok = false;
  if (word == "lesson") {
    auto n = ParseNumber(rest);
    if (!n || *n < 1 || *n > kLessonCount)
      return compiler.Fail(lines[0], 8, "lesson number must be 1 to 247");
    out.number = int(*n);
    ok = compiler.Lesson(lines, out);
  } else if (word == "index" && rest.empty()) {
    out.number = kIndexNumber;
    ok = compiler.Index(lines, out);
  } else {
    return compiler.Fail(lines[0], 1, "expected 'lesson N' or 'index' as the first line");
  }
  if (ok && out.text.size() > kMaxTextLength) {
    error =
        std::string(name) + ": text of " + std::to_string(out.text.size()) + " bytes exceeds 65535";
    ok = false;
  }
  return ok;
}

std::string PrintDocument(std::span<const std::uint8_t> text) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size() && text[i] != 0) {
    if (i + 1 >= text.size()) return out + "# truncated paragraph\n";
    const std::uint8_t style = text[i];
    const std::uint8_t parameter = text[i + 1];
    std::size_t end = i + 2;
    while (end < text.size() && text[end] != 0)
      ++end;
    std::string tag = "@" + Hex2(style) + ":" + Hex2(parameter);
    for (const StyleTag& t : kTags)
      if (t.style == style && t.parameter == parameter) tag = t.name;
    const auto body = text.subspan(i + 2, end - i - 2);
    out += tag;
    if (!body.empty()) out += " " + PrintText(body, (style & kStyleReaderCode) != 0);
    out += "\n";
    if (end >= text.size()) return out + "# missing paragraph terminator\n";
    i = end + 1;
  }
  if (i >= text.size()) out += "# missing end of document\n";
  return out;
}

std::string PrintIndex(std::span<const std::uint8_t> text) {
  std::string out;
  std::size_t i = 0;
  std::size_t position = 0;
  while (i + 3 < text.size() && text[i + 2] != 0) {
    const unsigned id = text[i] | (text[i + 1] << 8);
    const unsigned style = text[i + 2];
    const unsigned level = text[i + 3];
    std::size_t end = i + 4;
    while (end < text.size() && text[end] != 0)
      ++end;
    const std::string body = PrintText(text.subspan(i + 4, end - i - 4), true);
    if (style == kHeadingStyle && level == 1 && id == kFirstHeadingId - position) {
      out += "heading " + body + "\n";
    } else if (style == kLessonEntryStyle && level == 2 && (id & 0xC000) == kLessonIdBase &&
               (id & 0x3FFF) != 0) {
      out += "lesson " + std::to_string(id & 0x3FFF) + " " + body + "\n";
    } else {
      out += "entry " + Hex2(id >> 8) + Hex2(id & 0xFF) + " " + Hex2(style) + " " +
             std::to_string(level) + " " + body + "\n";
    }
    if (end >= text.size()) return out + "# missing entry terminator\n";
    i = end + 1;
    ++position;
  }
  if (i + 3 >= text.size()) out += "# missing end of index\n";
  return out;
}

}  // namespace qm::recc

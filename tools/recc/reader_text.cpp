// ReaderCode encoding of paragraph texts: the inverse of the code table, clusters, simple bidi.
#include "tools/recc/reader_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <optional>

#include "text/code_table.h"

namespace qm::recc {

namespace {

constexpr char32_t kAlef = 0x05D0;
constexpr char32_t kTav = 0x05EA;
constexpr char32_t kFirstMark = 0x05B0;
constexpr char32_t kDagesh = 0x05BC;
constexpr char32_t kShinDot = 0x05C1;
constexpr char32_t kSinDot = 0x05C2;

bool IsLetter(char32_t c) {
  return c >= kAlef && c <= kTav;
}
bool IsDigit(char32_t c) {
  return c >= '0' && c <= '9';
}
bool IsDigitSeparator(char32_t c) {
  return c == '.' || c == ',' || c == ':' || c == '/' || c == '-';
}

// Marks a letter can carry, as bits (code point - U+05B0): the vowel points, dagesh, the dots.
using MarkSet = std::uint32_t;
constexpr MarkSet Bit(char32_t mark) {
  return MarkSet{1} << (mark - kFirstMark);
}
constexpr MarkSet kVowelBits = 0x0BFF;  // U+05B0..U+05B9 and U+05BB
constexpr MarkSet kLetterMarkBits = Bit(kDagesh) | Bit(kShinDot) | Bit(kSinDot);

bool IsEncodableMark(char32_t c) {
  return c >= kFirstMark && c <= kSinDot && ((kVowelBits | kLetterMarkBits) & Bit(c)) != 0;
}

struct LetterForm {
  char32_t letter;
  MarkSet marks;
};

// The base letter and marks of a presentation form of the code table (FB2A..FB4B).
std::optional<LetterForm> DecomposeForm(char32_t u) {
  switch (u) {
    case 0xFB2A:
      return LetterForm{0x05E9, Bit(kShinDot)};
    case 0xFB2B:
      return LetterForm{0x05E9, Bit(kSinDot)};
    case 0xFB2C:
      return LetterForm{0x05E9, Bit(kDagesh) | Bit(kShinDot)};
    case 0xFB2D:
      return LetterForm{0x05E9, Bit(kDagesh) | Bit(kSinDot)};
    case 0xFB4B:
      return LetterForm{0x05D5, Bit(0x05B9)};
    default:
      break;
  }
  if (u >= 0xFB30 && u <= 0xFB4A) return LetterForm{kAlef + (u - 0xFB30), Bit(kDagesh)};
  return std::nullopt;
}

// The code table read backwards: which single code stands for a letter with a set of marks,
// for a vowel point alone, and which presentation forms the table holds.
class InverseTable {
 public:
  InverseTable() {
    point_.fill(0);
    for (int code = kFirstCode; code <= kLastCode; ++code) {
      const UnicodePair p = kUnicodeColumn[code - kFirstCode];
      const auto c = static_cast<std::uint8_t>(code);
      if (p.second == 0) {
        if (IsLetter(p.first)) {
          Add(p.first, 0, c);
        } else if (auto form = DecomposeForm(p.first)) {
          Add(form->letter, form->marks, c);
          forms_.push_back(p.first);
        } else if (p.first >= kFirstMark && p.first <= 0x05BB) {
          point_[p.first - kFirstMark] = c;
        }
        continue;
      }
      // A point followed by a letter or a presentation form: one code for both.
      const MarkSet vowel = Bit(p.first);
      if (IsLetter(p.second)) {
        Add(p.second, vowel, c);
      } else if (auto form = DecomposeForm(p.second)) {
        Add(form->letter, form->marks | vowel, c);
      }
    }
  }

  std::optional<std::uint8_t> Find(char32_t letter, MarkSet marks) const {
    for (const Entry& e : entries_)
      if (e.letter == letter && e.marks == marks) return e.code;
    return std::nullopt;
  }
  std::uint8_t Point(char32_t mark) const { return point_[mark - kFirstMark]; }
  bool HasForm(char32_t u) const {
    return std::find(forms_.begin(), forms_.end(), u) != forms_.end();
  }

  // Letter and marks of a code, for decoding; false for codes that are not letters.
  bool Letter(std::uint8_t code, LetterForm& form) const {
    for (const Entry& e : entries_) {
      if (e.code == code) {
        form = {e.letter, e.marks};
        return true;
      }
    }
    return false;
  }
  char32_t PointMark(std::uint8_t code) const {
    for (std::size_t i = 0; i < point_.size(); ++i)
      if (point_[i] == code) return kFirstMark + static_cast<char32_t>(i);
    return 0;
  }

 private:
  struct Entry {
    char32_t letter;
    MarkSet marks;
    std::uint8_t code;
  };
  void Add(char32_t letter, MarkSet marks, std::uint8_t code) {
    if (!Find(letter, marks)) entries_.push_back({letter, marks, code});
  }
  std::vector<Entry> entries_;
  std::array<std::uint8_t, 12> point_;
  std::vector<char32_t> forms_;
};

const InverseTable& Inverse() {
  static const InverseTable table;
  return table;
}

constexpr std::array<const char*, 27> kLetterNames = {
    "ALEF", "BET",       "GIMEL", "DALET",       "HE",        "VAV", "ZAYIN",     "HET",  "TET",
    "YOD",  "FINAL KAF", "KAF",   "LAMED",       "FINAL MEM", "MEM", "FINAL NUN", "NUN",  "SAMEKH",
    "AYIN", "FINAL PE",  "PE",    "FINAL TSADI", "TSADI",     "QOF", "RESH",      "SHIN", "TAV"};

const char* MarkName(char32_t c) {
  switch (c) {
    case 0x05B0:
      return "POINT SHEVA";
    case 0x05B1:
      return "POINT HATAF SEGOL";
    case 0x05B2:
      return "POINT HATAF PATAH";
    case 0x05B3:
      return "POINT HATAF QAMATS";
    case 0x05B4:
      return "POINT HIRIQ";
    case 0x05B5:
      return "POINT TSERE";
    case 0x05B6:
      return "POINT SEGOL";
    case 0x05B7:
      return "POINT PATAH";
    case 0x05B8:
      return "POINT QAMATS";
    case 0x05B9:
      return "POINT HOLAM";
    case 0x05BA:
      return "POINT HOLAM HASER FOR VAV";
    case 0x05BB:
      return "POINT QUBUTS";
    case 0x05BC:
      return "POINT DAGESH OR MAPIQ";
    case 0x05BD:
      return "POINT METEG";
    case 0x05BE:
      return "MAQAF";
    case 0x05BF:
      return "POINT RAFE";
    case 0x05C1:
      return "POINT SHIN DOT";
    case 0x05C2:
      return "POINT SIN DOT";
    case 0x05C7:
      return "POINT QAMATS QATAN";
    case 0x05F0:
      return "LIGATURE YIDDISH DOUBLE VAV";
    case 0x05F1:
      return "LIGATURE YIDDISH VAV YOD";
    case 0x05F2:
      return "LIGATURE YIDDISH DOUBLE YOD";
    case 0x05F3:
      return "PUNCTUATION GERESH";
    case 0x05F4:
      return "PUNCTUATION GERSHAYIM";
    default:
      return nullptr;
  }
}

std::string Hex(char32_t cp) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(cp));
  return buf;
}

std::string DescribeCluster(char32_t letter, MarkSet marks) {
  std::string s = DescribeCharacter(letter);
  for (char32_t m = kFirstMark; m <= kSinDot; ++m)
    if (marks & Bit(m)) s += " + " + DescribeCharacter(m);
  return s;
}

// Why a character cannot stand in a right-to-left paragraph.
std::string RejectReason(char32_t c) {
  std::string d = DescribeCharacter(c);
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= '{'))
    return d + " has no code in a right-to-left paragraph (Latin text belongs in an ascii line)";
  if (c >= 0x05F0 && c <= 0x05F2) return d + " has no code; write its two letters";
  if (c == 0x05F3) return d + " has no code; write ASCII '";
  if (c == 0x05F4) return d + " has no code; write ASCII \"";
  if (c == 0x05BE) return d + " has no code; write ASCII -";
  if (c >= 0xFB1D && c <= 0xFB4F)
    return d + " has no code of its own; write the letter and its marks as separate characters";
  if (c >= 0x0591 && c <= 0x05C7) return d + " has no code";
  return d + " has no code";
}

struct Unit {
  Bytes bytes;
};

std::optional<char32_t> Mirror(char32_t c) {
  switch (c) {
    case '(':
      return U')';
    case ')':
      return U'(';
    case '[':
      return U']';
    case ']':
      return U'[';
    default:
      return std::nullopt;
  }
}

}  // namespace

std::string DescribeCharacter(char32_t cp) {
  std::string s = Hex(cp);
  const char* name = nullptr;
  if (IsLetter(cp)) name = kLetterNames[cp - kAlef];
  if (!name) name = MarkName(cp);
  if (name)
    s += std::string(" HEBREW ") + (cp >= 0x05D0 && cp <= 0x05EA ? "LETTER " : "") + name;
  else if (cp >= 0x21 && cp < 0x7F)
    s += std::string(" '") + static_cast<char>(cp) + "'";
  return s;
}

bool EncodeReaderText(std::u32string_view text, Bytes& out, EncodeError& error) {
  const InverseTable& inv = Inverse();
  std::vector<Unit> units;
  auto fail = [&](std::size_t i, std::string message) {
    error.column = i + 1;
    error.character = text[i];
    error.message = std::move(message);
    return false;
  };
  std::size_t i = 0;
  while (i < text.size()) {
    const char32_t c = text[i];
    if (IsDigit(c)) {
      Unit u;
      while (i < text.size() &&
             (IsDigit(text[i]) || (IsDigitSeparator(text[i]) && i + 1 < text.size() &&
                                   IsDigit(text[i + 1]) && !u.bytes.empty()))) {
        u.bytes.push_back(static_cast<std::uint8_t>(text[i]));
        ++i;
      }
      units.push_back(std::move(u));
      continue;
    }
    char32_t letter = c;
    MarkSet marks = 0;
    if (auto form = DecomposeForm(c); form && inv.HasForm(c)) {
      letter = form->letter;
      marks = form->marks;
    } else if (!IsLetter(c)) {
      const bool plain =
          (c >= 0x20 && c <= 0x40) || (c >= 0x5B && c <= 0x60) || (c >= 0x7C && c <= 0x7E);
      if (!plain) {
        if (IsEncodableMark(c)) return fail(i, DescribeCharacter(c) + " follows no letter");
        return fail(i, RejectReason(c));
      }
      const char32_t shown = Mirror(c).value_or(c);
      units.push_back({{static_cast<std::uint8_t>(shown)}});
      ++i;
      continue;
    }
    const std::size_t start = i++;
    for (; i < text.size(); ++i) {
      const char32_t m = text[i];
      if (m < 0x0591 || m > 0x05C7) break;
      if (!IsEncodableMark(m)) return fail(i, RejectReason(m));
      if (marks & Bit(m)) return fail(i, DescribeCharacter(m) + " twice on one letter");
      marks |= Bit(m);
    }
    Unit u;
    if (auto code = inv.Find(letter, marks)) {
      u.bytes.push_back(*code);
    } else {
      const MarkSet vowels = marks & kVowelBits;
      auto base = inv.Find(letter, marks & ~kVowelBits);
      if (std::popcount(vowels) > 1)
        return fail(start, "more than one vowel point on " + DescribeCluster(letter, marks));
      if (!base) return fail(start, "no code for " + DescribeCluster(letter, marks));
      if (vowels) u.bytes.push_back(inv.Point(kFirstMark + std::countr_zero(vowels)));
      u.bytes.push_back(*base);  // the point is stored before its letter
    }
    units.push_back(std::move(u));
  }
  // Right to left: the last unit typed is the leftmost on screen. A unit's own bytes (a digit
  // run, a point before its letter) are already in visual order.
  for (auto it = units.rbegin(); it != units.rend(); ++it)
    out.insert(out.end(), it->bytes.begin(), it->bytes.end());
  return true;
}

std::u32string DecodeReaderText(std::span<const std::uint8_t> visual) {
  const InverseTable& inv = Inverse();
  std::vector<std::u32string> units;  // logical pieces, in visual order
  std::size_t i = 0;
  auto isDigit = [&](std::size_t k) { return k < visual.size() && IsDigit(visual[k]); };
  while (i < visual.size()) {
    const std::uint8_t b = visual[i];
    if (IsDigit(b)) {
      std::u32string run;
      while (i < visual.size() &&
             (isDigit(i) || (IsDigitSeparator(visual[i]) && !run.empty() && isDigit(i + 1)))) {
        run.push_back(visual[i]);
        ++i;
      }
      units.push_back(std::move(run));
      continue;
    }
    // Points stand before their letter.
    std::size_t j = i;
    MarkSet marks = 0;
    while (j < visual.size() && IsVowelPoint(visual[j]))
      marks |= Bit(inv.PointMark(visual[j++]));
    LetterForm form{};
    if (j < visual.size() && inv.Letter(visual[j], form)) {
      std::u32string cluster(1, form.letter);
      const MarkSet all = marks | form.marks;
      for (char32_t m = kFirstMark; m <= kSinDot; ++m)
        if (all & Bit(m)) cluster.push_back(m);
      units.push_back(std::move(cluster));
      i = j + 1;
      continue;
    }
    if (IsVowelPoint(b)) {
      units.push_back(std::u32string(1, inv.PointMark(b)));  // a point with no letter
    } else {
      units.push_back(std::u32string(1, Mirror(b).value_or(b)));
    }
    ++i;
  }
  std::u32string out;
  for (auto it = units.rbegin(); it != units.rend(); ++it)
    out += *it;
  return out;
}

std::u32string CanonicalMarks(std::u32string_view text) {
  std::u32string out(text);
  std::size_t i = 0;
  while (i < out.size()) {
    std::size_t j = i;
    while (j < out.size() && out[j] >= 0x0591 && out[j] <= 0x05C7)
      ++j;
    std::sort(out.begin() + static_cast<std::ptrdiff_t>(i),
              out.begin() + static_cast<std::ptrdiff_t>(j));
    i = j == i ? i + 1 : j;
  }
  return out;
}

bool EncodeAsciiText(std::u32string_view text, Bytes& out, EncodeError& error) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] < 0x20 || text[i] > 0x7E) {
      error.column = i + 1;
      error.character = text[i];
      error.message = DescribeCharacter(text[i]) + " in an ascii line (printable ASCII only)";
      return false;
    }
    out.push_back(static_cast<std::uint8_t>(text[i]));
  }
  return true;
}

}  // namespace qm::recc

// Search Again over the real lesson corpus: order of lessons, wrap-around, the start in the
// current lesson, pinned lesson values, and what a hit leaves in the view.
#include "search/search_again.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "frame/alloc_or_abort.h"
#include "frame/app_state.h"
#include "frame/heap.h"
#include "resources/generated_records.h"
#include "search/fold_code.h"
#include "search/hebrew_keys.h"
#include "search/hit_list.h"
#include "search/match.h"
#include "store/record_source.h"
#include "store/records.h"
#include "tests/fake_text_device.h"
#include "tests/recording_notices.h"
#include "text/document.h"

namespace qm {
namespace {

// The generated records, counting every lookup of a lesson.
class CountingSource final : public RecordSource {
 public:
  RecordLookup Find(std::uint16_t id, std::span<const std::uint8_t>& bytes) const override {
    ++loads[id - 1000];
    if (id == damaged + 1000) {
      bytes = kDamagedRecord;
      return RecordLookup::Found;
    }
    return GeneratedRecordSource().Find(id, bytes);
  }
  // A record whose two literal bytes fall short of the five its header promises.
  static constexpr std::uint8_t kDamagedRecord[] = {0, 10, 0,   70,  0, 70, 0, 2,
                                                    0, 5,  'a', 'b', 0, 0,  0, 0};
  std::uint16_t damaged = 0;
  int Total() const {
    int n = 0;
    for (const auto& [lesson, count] : loads)
      n += count;
    return n;
  }
  mutable std::map<int, int> loads;
};

int g_repaints = 0;
int g_bookmarkChecks = 0;
WindowHandle const kOwner = reinterpret_cast<WindowHandle>(0x1234);

// Words (logical order, unpointed) that occur in one lesson only.
const std::u16string kOnlyIn1 = u"דארער";
const std::u16string kOnlyIn100 = u"אקארדן";
const std::u16string kOnlyIn247 = u"קירבעס";

class SearchAgainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAppState();
    SetRecordSource(&source);
    g_app.FontSettings.FontAsciiBase = BaseUnicode;
    FontSettings settings;
    settings.FontAsciiBase = BaseUnicode;
    const Box rect{0, 0, 500, 400};
    g_app.CurrentDocument = CreateDocument(&device, &rect, settings, 100);
    SearchViewHooks hooks;
    hooks.repaint = [](std::uint32_t flags) {
      EXPECT_EQ(flags, kRepaintAll);
      ++g_repaints;
    };
    hooks.updateBookmarkCheck = [] { ++g_bookmarkChecks; };
    SetSearchViewHooks(hooks);
    g_repaints = g_bookmarkChecks = 0;
  }
  void TearDown() override {
    g_app.CurrentDocument.reset();
    SetSearchViewHooks({});
    SetRecordSource(nullptr);
  }

  Document& Doc() { return *g_app.CurrentDocument; }

  void Open(std::uint16_t lesson) {
    g_app.CurrentLesson = lesson;
    ASSERT_EQ(LayoutDocument(&Doc(), LoadRecord(lesson)), kLayoutDone);
    source.loads.clear();
    device.ClearLog();
  }

  // The search text as the dialog stores it after typing `word` letter by letter.
  void Type(const std::u16string& word) { EditTextToReaderCode(TypeAsDialog(word, BaseUnicode)); }

  // The marked bytes, folded and without points, in reading order.
  std::u16string Marked() {
    std::u16string s;
    for (int i = Doc().MarkEnd - 1; i >= Doc().MarkStart; --i) {
      const std::uint8_t b = Doc().Text[i];
      if (!IsIgnorable(b)) s.push_back(static_cast<char16_t>(0x5D0 + FoldCode(b) - 0xE0));
    }
    return s;
  }

  CountingSource source;
  FakeTextDevice device;
  RecordingNotices notices;
};

TEST_F(SearchAgainTest, EmptySearchTextDoesNothing) {
  Open(5);
  EXPECT_EQ(SearchAgain(kOwner), 0);
  EXPECT_TRUE(notices.shown.empty());
  EXPECT_EQ(source.Total(), 0);
  EXPECT_EQ(g_repaints, 0);
}

TEST_F(SearchAgainTest, HitInAFollowingLessonIsShownPinnedWithItsTitle) {
  Open(1);
  Type(kOnlyIn100);
  EXPECT_EQ(SearchAgain(kOwner), 1);
  EXPECT_EQ(g_app.CurrentLesson, 100);
  EXPECT_NE(g_app.Flags & flags::LessonPinned, 0u);
  EXPECT_EQ(Marked(), kOnlyIn100);
  EXPECT_EQ(source.Total(), 99);  // lessons 2..100, each once
  // The hit's line is at the top (or the view is on its last page).
  const std::uint16_t top = Doc().TopLine;
  EXPECT_LE(top, Doc().MaxTopLine);
  EXPECT_EQ(g_repaints, 1);
  EXPECT_EQ(g_bookmarkChecks, 1);
  // The title box: five rings in pens of their own, then the lesson's first title in red on
  // yellow.
  std::map<GdiObject, Colour> pens;
  for (const auto& call : device.Calls(FakeTextDevice::Op::NewPen))
    pens[call.object] = call.colour;
  std::vector<Colour> rings;
  for (const auto& call : device.Calls(FakeTextDevice::Op::Rectangle))
    if (pens.count(call.pen)) rings.push_back(pens[call.pen]);
  EXPECT_EQ(rings, (std::vector<Colour>{kRed, kRed, kWhite, kBlue, kBlue}));
  const auto draws = device.Draws();
  ASSERT_FALSE(draws.empty());
  EXPECT_EQ(draws.back().colour, kRed);
  EXPECT_EQ(draws.back().back, kYellow);
  EXPECT_NE(draws.back().units.find(u"100"), std::u16string::npos);
}

TEST_F(SearchAgainTest, NothingFoundLeavesEverythingAsItWas) {
  Open(7);
  Doc().TopLine = 3;
  const std::uint8_t* text = Doc().Text.get();
  Type(u"קקקק");
  EXPECT_EQ(SearchAgain(kOwner), 0);
  ASSERT_EQ(notices.shown.size(), 1u);
  EXPECT_EQ(notices.shown[0].notice, Notice::NotFound);
  EXPECT_EQ(notices.shown[0].owner, kOwner);
  EXPECT_EQ(g_app.CurrentLesson, 7);
  EXPECT_EQ(Doc().Text.get(), text);
  EXPECT_EQ(Doc().TopLine, 3);
  EXPECT_EQ(Doc().MarkEnd, 0);
  EXPECT_EQ(source.Total(), 246);
  EXPECT_EQ(g_repaints, 0);
}

TEST_F(SearchAgainTest, ALessonThatDoesNotDecodeIsPassedSilently) {
  source.damaged = 50;
  Open(7);
  Type(kOnlyIn100);
  EXPECT_EQ(SearchAgain(kOwner), 1);
  EXPECT_EQ(g_app.CurrentLesson, 100);
  EXPECT_EQ(source.loads[50], 1);
  EXPECT_TRUE(notices.shown.empty());
  // The decoder still speaks for a load of its own.
  EXPECT_FALSE(LoadRecord(50));
  EXPECT_EQ(notices.Count(Notice::UncompressError), 1);
}

TEST_F(SearchAgainTest, RunningOutOfMemoryEndsTheSearchAtOnce) {
  for (const bool inCurrentLesson : {true, false}) {
    // As in the program, the out-of-memory path releases the document (and ends the run).
    SetAbortHandler([] { g_app.CurrentDocument.reset(); });
    if (!g_app.CurrentDocument) {
      const Box rect{0, 0, 500, 400};
      g_app.CurrentDocument = CreateDocument(&device, &rect, g_app.FontSettings, 100);
    }
    if (inCurrentLesson) {
      Open(7);  // the first span of lesson 7 fails
    } else {
      g_app.CurrentLesson = 7;  // a view without text: lesson 8 loads, then its first span fails
      source.loads.clear();
    }
    notices.shown.clear();
    Type(kOnlyIn100);
    static int allowed;
    allowed = inCurrentLesson ? 0 : 1;
    SetAllocGate([](std::size_t) { return allowed-- > 0; });
    EXPECT_EQ(SearchAgain(kOwner), 0);
    SetAllocGate(nullptr);
    EXPECT_EQ(g_app.CurrentDocument, nullptr);
    EXPECT_EQ(notices.Count(Notice::OutOfMemory), 1) << inCurrentLesson;
    EXPECT_EQ(notices.Count(Notice::NotFound), 0) << inCurrentLesson;
    EXPECT_EQ(source.Total(), inCurrentLesson ? 0 : 1) << inCurrentLesson;
    EXPECT_EQ(g_app.CurrentLesson, 7);
  }
  SetAbortHandler(nullptr);
}

TEST_F(SearchAgainTest, EveryLessonOnceWhateverTheCurrentLesson) {
  Type(u"קקקק");
  for (const std::uint16_t current : {0, 1, 247, 300}) {
    source.loads.clear();
    g_app.CurrentLesson = current;
    EXPECT_EQ(SearchAgain(kOwner), 0) << current;
    const int expected = current >= 1 && current <= 247 ? 246 : 247;
    EXPECT_EQ(source.Total(), expected) << current;
    for (const auto& [lesson, count] : source.loads) {
      EXPECT_EQ(count, 1) << current << " " << lesson;
      EXPECT_NE(lesson, current);
    }
  }
}

TEST_F(SearchAgainTest, LessonOrderWrapsFrom247To1) {
  Open(247);
  Type(kOnlyIn1);
  EXPECT_EQ(SearchAgain(kOwner), 1);
  EXPECT_EQ(g_app.CurrentLesson, 1);
  EXPECT_EQ(source.Total(), 1);
  // A pinned lesson outside the series still finds the hit.
  g_app.CurrentLesson = 300;
  source.loads.clear();
  Type(kOnlyIn247);
  EXPECT_EQ(SearchAgain(kOwner), 1);
  EXPECT_EQ(g_app.CurrentLesson, 247);
  EXPECT_EQ(source.Total(), 247);
}

TEST_F(SearchAgainTest, OnlyInTheCurrentLessonIsFoundAgainByTheWrapAround) {
  Open(100);
  Type(kOnlyIn100);
  EXPECT_EQ(SearchAgain(kOwner), 1);
  EXPECT_EQ(source.Total(), 0);  // found from the top of the view
  const std::uint16_t mark = Doc().MarkStart;
  for (int again = 0; again < 2; ++again) {
    source.loads.clear();
    EXPECT_EQ(SearchAgain(kOwner), 1);
    EXPECT_EQ(source.Total(), 246);
    EXPECT_EQ(Doc().MarkStart, mark);
    EXPECT_EQ(g_app.CurrentLesson, 100);
  }
  EXPECT_TRUE(notices.shown.empty());
}

TEST_F(SearchAgainTest, TopLineAtLineCountSkipsTheCurrentLessonUntilTheWrapAround) {
  Open(100);
  Doc().TopLine = Doc().LineCount;
  Type(kOnlyIn100);
  EXPECT_EQ(SearchAgain(kOwner), 1);
  EXPECT_EQ(source.Total(), 246);
  EXPECT_EQ(g_app.CurrentLesson, 100);
  EXPECT_EQ(Marked(), kOnlyIn100);
}

TEST_F(SearchAgainTest, ContinuesAfterAHitAndStartsOverAfterScrollingAway) {
  Open(12);
  Type(u"ען");  // a common ending: many hits in every lesson
  // Successive hits move on in reading order inside the lesson.
  ASSERT_EQ(SearchAgain(kOwner), 1);
  const std::uint16_t first = Doc().MarkStart;
  ASSERT_EQ(SearchAgain(kOwner), 1);
  const std::uint16_t second = Doc().MarkStart;
  EXPECT_NE(second, first);
  const TextHit expected =
      FindInText(Doc().Text.get(), kUnboundedText, first - 1, PatternOf(g_app.SearchText));
  EXPECT_EQ(Doc().MarkEnd, expected.offset + 1);
  EXPECT_EQ(g_app.CurrentLesson, 12);
  EXPECT_EQ(source.Total(), 0);
  // Scrolled away from the hit (not to the last page), the search starts over at the first
  // character of the new top line: the line after the one holding the hit.
  int row = 0, entry = 0;
  const auto holdsHit = [&](const LineEntry& e) {
    return e.Offset <= Doc().MarkStart && Doc().MarkStart < e.Offset + e.Length;
  };
  for (; !holdsHit(Doc().Lines[entry]); ++entry)
    row += 1 + ((Doc().Lines[entry].Style & 0x80) ? 1 : 0);
  Doc().TopLine = static_cast<std::uint16_t>(row + 1);
  ASSERT_LT(Doc().TopLine, Doc().MaxTopLine);
  const LineEntry& top = Doc().Lines[entry + 1];
  const TextHit restart = FindInText(Doc().Text.get(), kUnboundedText, top.Offset + top.Length - 1,
                                     PatternOf(g_app.SearchText));
  ASSERT_EQ(SearchAgain(kOwner), 1);
  EXPECT_EQ(Doc().MarkEnd, restart.offset + 1);
  EXPECT_LT(Doc().MarkEnd, first);
}

// The list of all hits against the matcher, for a word taken from lesson 100's text at run time:
// the lessons from the current one on that FindInText finds it in, each with its hit, its title
// and the hit's bytes within the context; opening one shows it as Search Again does.
TEST_F(SearchAgainTest, ListOfAllHitsAgreesWithTheMatcherAndShowsAHitAsSearchAgain) {
  const TextBuffer lesson100 = LoadRecord(100);
  std::vector<std::uint8_t> word;  // the last four letters stored before a space, points left out
  for (std::size_t i = 400; lesson100[i] != 0 && word.size() < 4; ++i) {
    const std::uint8_t b = lesson100[i];
    if (b == ' ') word.clear();
    if (b >= 0x61 && b <= 0x7B) word.push_back(b);
  }
  ASSERT_EQ(word.size(), 4u);
  const std::vector<ListedHit> hits = ListAllHits(word, 200);
  std::size_t k = 0;
  for (int i = 0; i < kLessonCount; ++i) {
    const auto n = static_cast<std::uint16_t>((199 + i) % kLessonCount + 1);
    const TextBuffer text = LoadRecord(n);
    const TextHit hit = FindInText(text.get(), kUnboundedText, 0, word);
    if (!hit) continue;
    ASSERT_LT(k, hits.size());
    const ListedHit& l = hits[k++];
    EXPECT_EQ(l.lesson, n);
    EXPECT_EQ(l.hit.offset, hit.offset);
    EXPECT_EQ(l.title.bytes, LessonTitle(text.get()).bytes);
    const std::size_t low = hit.offset - hit.length + 1;
    EXPECT_TRUE(std::equal(l.context.bytes.begin() + l.hitStart,
                           l.context.bytes.begin() + l.hitStart + l.hitLength, &text[low]));
    EXPECT_LE(l.context.bytes.size(), l.hitLength + 2u * kContextBytes);
  }
  EXPECT_EQ(k, hits.size());
  ASSERT_GE(hits.size(), 1u);
  EXPECT_TRUE(ListAllHits({}, 1).empty());

  Open(1);
  const ListedHit& last = hits.back();
  EXPECT_EQ(ShowLessonHit(last.lesson, last.hit), 1);
  EXPECT_EQ(g_app.CurrentLesson, last.lesson);
  EXPECT_NE(g_app.Flags & flags::LessonPinned, 0u);
  EXPECT_EQ(Doc().MarkEnd, last.hit.offset + 1);
  EXPECT_EQ(g_repaints, 1);
  EXPECT_EQ(g_bookmarkChecks, 1);
  ASSERT_FALSE(device.Draws().empty());
  EXPECT_EQ(device.Draws().back().colour, kRed);  // the title box
  EXPECT_EQ(ShowLessonHit(248, last.hit), 0);
  EXPECT_EQ(g_app.CurrentLesson, last.lesson);
}

}  // namespace
}  // namespace qm

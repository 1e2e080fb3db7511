// Tests of the bookmark list: the Bookmark command, the stored form and malformed stored values.
#include "frame/bookmarks.h"

#include <gtest/gtest.h>

#include "frame/settings_test_support.h"

namespace qm::testing {
namespace {

class Bookmarks : public SettingsTest {
 protected:
  // The entries up to and including the 0 entry that ends the list.
  static std::vector<std::uint16_t> List() {
    std::vector<std::uint16_t> v;
    if (!g_app.BookmarkList) return v;
    for (std::size_t i = 0;; ++i) {
      v.push_back(g_app.BookmarkList[i]);
      if (g_app.BookmarkList[i] == 0) return v;
    }
  }
  static void Toggle(std::uint16_t lesson) {
    g_app.CurrentLesson = lesson;
    ToggleBookmark(IsBookmarked());
  }
  static void Restart() {
    SaveSettingsAndQuit();
    ResetAppState();
    ResetShutdownSaveForTesting();
    LoadSettings();
  }
};

TEST_F(Bookmarks, MarksAreAddedInOrderAndOnlyOnce) {
  Toggle(12);
  Toggle(3);
  Toggle(247);
  EXPECT_EQ(List(), (std::vector<std::uint16_t>{12, 3, 247, 0}));
  EXPECT_EQ(g_app.BookmarkCount, 3);
  g_app.CurrentLesson = 3;
  EXPECT_EQ(IsBookmarked(), 1);
  AddBookmark();
  EXPECT_EQ(g_app.BookmarkCount, 3);
  g_app.CurrentLesson = 4;
  EXPECT_EQ(IsBookmarked(), 0);
  g_app.CurrentLesson = 0;  // no lesson: 0 would end the list early
  AddBookmark();
  g_app.CurrentLesson = kIndexRecord;  // nor a number outside the series
  AddBookmark();
  EXPECT_EQ(List(), (std::vector<std::uint16_t>{12, 3, 247, 0}));
  EXPECT_TRUE(notices.shown.empty());
}

TEST_F(Bookmarks, RemovingAsksAndFollowsTheAnswer) {
  g_app.MainWindow = reinterpret_cast<WindowHandle>(0x1234);
  Toggle(7);
  Toggle(8);

  notices.answers = {kAnswerNo};
  Toggle(7);
  EXPECT_EQ(List(), (std::vector<std::uint16_t>{7, 8, 0}));
  ASSERT_EQ(notices.shown.size(), 1u);
  EXPECT_EQ(notices.shown[0].notice, Notice::RemoveBookmark);
  EXPECT_EQ(notices.shown[0].owner, g_app.MainWindow);

  notices.answers = {kAnswerYes};
  Toggle(7);
  EXPECT_EQ(List(), (std::vector<std::uint16_t>{8, 0}));
  EXPECT_EQ(g_app.BookmarkPromptOff, 0u);

  notices.answers = {kAnswerCancel};
  Toggle(8);  // Cancel removes too, and stops the question
  EXPECT_EQ(List(), (std::vector<std::uint16_t>{0}));
  EXPECT_EQ(g_app.BookmarkCount, 0);
  EXPECT_EQ(notices.Count(Notice::RemoveBookmark), 3);

  Toggle(9);
  Toggle(9);
  EXPECT_EQ(notices.Count(Notice::RemoveBookmark), 3);
  EXPECT_EQ(IsBookmarked(), 0);

  Restart();  // the question comes back in the next run
  Toggle(9);
  Toggle(9);
  EXPECT_EQ(notices.Count(Notice::RemoveBookmark), 4);
}

TEST_F(Bookmarks, StoredFormAndRestart) {
  SaveBookmarks();  // no list at all
  EXPECT_EQ(store.Get(u"Bookmarks")->bytes, Bytes({0, 0}));

  Toggle(200);
  Toggle(1);
  Toggle(0x1F);
  Restart();
  EXPECT_EQ(store.Get(u"Bookmarks")->bytes, Bytes({200, 0, 1, 0, 0x1F, 0, 0, 0}));
  EXPECT_EQ(store.Get(u"Bookmarks")->type, kTypeBinary);
  EXPECT_EQ(List(), (std::vector<std::uint16_t>{200, 1, 0x1F, 0}));
  EXPECT_EQ(g_app.BookmarkCount, 3);

  notices.answers = {kAnswerYes, kAnswerYes, kAnswerYes};
  Toggle(1);
  Toggle(200);
  Toggle(0x1F);
  Restart();  // removing the last mark leaves an empty list
  EXPECT_EQ(store.Get(u"Bookmarks")->bytes, Bytes({0, 0}));
  EXPECT_EQ(g_app.BookmarkCount, 0);
  EXPECT_EQ(List(), (std::vector<std::uint16_t>{0}));
}

TEST_F(Bookmarks, RemoveDropsEveryCopyAndKeepsTheOrder) {
  store.SetRaw(u"Bookmarks", kTypeBinary, Bytes({4, 0, 7, 0, 4, 0, 9, 0, 4, 0, 0, 0}));
  LoadSettings();
  ASSERT_EQ(g_app.BookmarkCount, 5);
  g_app.CurrentLesson = 4;
  RemoveBookmark();
  EXPECT_EQ(List(), (std::vector<std::uint16_t>{7, 9, 0}));
  EXPECT_EQ(g_app.BookmarkCount, 2);
}

TEST_F(Bookmarks, MalformedStoredValues) {
  struct Case {
    std::vector<std::uint8_t> bytes;
    std::vector<std::uint16_t> list;
  };
  const Case cases[] = {
      {{}, {0}},
      {Bytes({5}), {0}},
      {Bytes({5, 0}), {0}},                       // the one entry is taken as the terminator
      {Bytes({5, 0, 9}), {0}},                    // odd: one whole entry
      {Bytes({5, 0, 9, 0, 11}), {5, 0}},          // odd: two whole entries
      {Bytes({5, 0, 9, 0}), {5, 0}},              // no final 0 entry
      {Bytes({5, 0, 0, 0, 7, 0, 0, 0}), {5, 0}},  // a 0 entry inside ends the list
      {Bytes({0x34, 0x12, 5, 0, 0xFF, 0xFF, 0, 0}), {5, 0}},  // only lessons of the series
  };
  for (const Case& c : cases) {
    ResetAppState();
    store.SetRaw(u"Bookmarks", kTypeString, c.bytes);
    LoadBookmarks();
    ASSERT_NE(g_app.BookmarkList, nullptr) << c.bytes.size() << " bytes";
    EXPECT_EQ(List(), c.list) << c.bytes.size() << " bytes";
    EXPECT_EQ(g_app.BookmarkCount, c.list.size() - 1);

    // The list that came out of it works like any other.
    g_app.CurrentLesson = 100;
    AddBookmark();
    std::vector<std::uint16_t> grown = c.list;
    grown.insert(grown.end() - 1, 100);
    EXPECT_EQ(List(), grown);
    EXPECT_EQ(IsBookmarked(), 1);
  }

  ResetAppState();
  store.values.clear();
  LoadBookmarks();
  EXPECT_EQ(g_app.BookmarkList, nullptr);
  EXPECT_EQ(g_app.BookmarkCount, 0);
}

TEST_F(Bookmarks, AddWithoutMemoryChangesNothingSilently) {
  Toggle(5);
  SetAllocGate([](std::size_t) { return false; });
  Toggle(6);
  SetAllocGate(nullptr);
  EXPECT_EQ(List(), (std::vector<std::uint16_t>{5, 0}));
  EXPECT_TRUE(notices.shown.empty());
}

}  // namespace
}  // namespace qm::testing

// Tests of the settings reads and writes, the start-up load and the shutdown save.
#include "frame/settings.h"

#include <gtest/gtest.h>

#include <string>

#include "frame/settings_test_support.h"

namespace qm::testing {
namespace {

using Values = std::vector<std::u16string>;

std::u16string FontName() {
  return g_app.FontSettings.FontName;
}
std::string SearchText() {
  return reinterpret_cast<const char*>(g_app.SearchText);
}

std::vector<std::uint8_t> Utf16(std::u16string_view s) {
  std::vector<std::uint8_t> b;
  for (char16_t u : s) {
    b.push_back(std::uint8_t(u));
    b.push_back(std::uint8_t(u >> 8));
  }
  return b;
}

class Settings : public SettingsTest {};

TEST_F(Settings, FirstStartWithoutKeyGivesDefaults) {
  g_app.Instance = reinterpret_cast<InstanceHandle>(0x400000);
  LoadSettings();
  EXPECT_EQ(g_app.Flags, 0xD1140040u);
  EXPECT_EQ(g_app.FontSettings.FontAsciiBase, 0x5D0);
  EXPECT_EQ(g_app.FontSettings.FontSize, 0);
  EXPECT_EQ(FontName(), u"");
  EXPECT_EQ(SearchText(), "");
  EXPECT_EQ(g_app.CurrentLesson, 0);
  EXPECT_EQ(g_app.SavedPosition, 0);
  EXPECT_EQ(g_app.BookmarkList, nullptr);
  EXPECT_EQ(g_app.BookmarkCount, 0);
  EXPECT_EQ(Calls().loadedBitmaps, (std::vector<int>{201, 202, 203}));
  EXPECT_EQ(g_app.MarkBitmaps[2], reinterpret_cast<BitmapHandle>(203));
  EXPECT_EQ(ReadNumber(kPublisherKey, u"SurroundingGutter", 10), 10);
  EXPECT_TRUE(notices.shown.empty());
}

TEST_F(Settings, FirstExitWritesOnlyWhatItHas) {
  LoadSettings();
  SaveSettingsAndQuit();
  EXPECT_EQ(store.writes, (Values{u"FontAsciiBase", u"Flags", u"Bookmarks"}));
  EXPECT_EQ(store.Dword(u"FontAsciiBase"), 0x5D0u);
  EXPECT_EQ(store.Dword(u"Flags"), 0xD1140040u);
  EXPECT_EQ(store.Get(u"Bookmarks")->bytes, Bytes({0, 0}));
  EXPECT_EQ(store.Get(u"Bookmarks")->type, kTypeBinary);
  EXPECT_EQ(Calls().deletedBitmaps.size(), 3u);
  EXPECT_EQ(Calls().quits, 1);
}

TEST_F(Settings, ExitWritesEveryValueUnderItsConditionInOrder) {
  std::copy_n("abc", 3, g_app.SearchText);
  std::u16string_view face = u"David CLM";
  std::copy(face.begin(), face.end(), g_app.FontSettings.FontName);
  g_app.FontSettings.FontSize = -12;
  g_app.FontSettings.FontAsciiBase = 224;
  g_app.CurrentDocument = MakeDocument(0xFFFE);
  ASSERT_NE(g_app.CurrentDocument, nullptr);
  g_app.Flags = 0x12345678;
  g_app.CurrentLesson = 0xFFF0;
  SaveSettingsAndQuit();

  EXPECT_EQ(store.writes, (Values{u"SearchString", u"FontName", u"FontSize", u"FontAsciiBase",
                                  u"LastPosition", u"Flags", u"Lesson", u"Bookmarks"}));
  EXPECT_EQ(store.Get(u"SearchString")->type, kTypeBinary);
  EXPECT_EQ(store.Get(u"SearchString")->bytes, Bytes({'a', 'b', 'c', 0}));
  EXPECT_EQ(store.Get(u"FontName")->type, kTypeString);
  EXPECT_EQ(store.Get(u"FontName")->bytes, Utf16(std::u16string(face) + u'\0'));
  EXPECT_EQ(store.Dword(u"FontSize"), 0xFFFFFFF4u);
  EXPECT_EQ(store.Dword(u"FontAsciiBase"), 224u);
  EXPECT_EQ(store.Dword(u"LastPosition"), 0xFFFEu);  // zero-extended
  EXPECT_EQ(store.Dword(u"Flags"), 0x12345678u);
  EXPECT_EQ(store.Dword(u"Lesson"), 0xFFF0u);  // zero-extended
  EXPECT_EQ(g_app.CurrentDocument, nullptr);
  EXPECT_EQ(g_app.BookmarkList, nullptr);
}

TEST_F(Settings, UnwrittenValuesKeepWhatTheKeyHeld) {
  store.SetRaw(u"SearchString", kTypeBinary, Bytes({'x', 'y', 0}));
  store.SetUnits(u"FontName", kTypeString, std::u16string(u"Ezra SIL\0", 9));
  store.SetDword(u"Lesson", 44);
  store.SetDword(u"LastPosition", 17);
  SaveSettingsAndQuit();  // empty search text and name, no lesson, no document
  EXPECT_EQ(store.Get(u"SearchString")->bytes, Bytes({'x', 'y', 0}));
  EXPECT_EQ(store.Get(u"FontName")->bytes, Utf16(std::u16string(u"Ezra SIL\0", 9)));
  EXPECT_EQ(store.Dword(u"Lesson"), 44u);
  EXPECT_EQ(store.Dword(u"LastPosition"), 17u);
}

TEST_F(Settings, StoredValuesSurviveARun) {
  store.SetDword(u"Flags", 0xABCDEF01);  // bits without meaning included
  store.SetDword(u"Lesson", 0x10005);    // only the low 16 bits are a lesson
  store.SetDword(u"LastPosition", 321);
  store.SetDword(u"FontSize", 0xFFFFFFF6);
  store.SetDword(u"FontAsciiBase", 97);  // out of range, reaches the program as stored
  store.SetUnits(u"FontName", kTypeString, std::u16string(u"Frank Ruehl CLM\0", 16));
  store.SetRaw(u"SearchString", kTypeBinary, Bytes({0x41, 0x81, 0xFE, 0}));
  LoadSettings();
  EXPECT_EQ(g_app.Flags, 0xABCDEF01u);
  EXPECT_EQ(g_app.CurrentLesson, 5);
  EXPECT_EQ(g_app.SavedPosition, 321);
  EXPECT_EQ(g_app.FontSettings.FontSize, -10);
  EXPECT_EQ(g_app.FontSettings.FontAsciiBase, 97);
  EXPECT_EQ(FontName(), u"Frank Ruehl CLM");
  EXPECT_EQ(SearchText(), "\x41\x81\xFE");

  const auto before = store.values;
  SaveSettingsAndQuit();
  EXPECT_EQ(store.Dword(u"Flags"), 0xABCDEF01u);
  EXPECT_EQ(store.Dword(u"Lesson"), 5u);
  EXPECT_EQ(store.Get(u"FontName")->bytes, before.at({kSettingsKey, u"FontName"}).bytes);
  EXPECT_EQ(store.Get(u"SearchString")->bytes, before.at({kSettingsKey, u"SearchString"}).bytes);
}

TEST_F(Settings, NumbersStoredAsText) {
  auto lesson = [&](std::uint32_t type, std::vector<std::uint8_t> bytes) {
    store.SetRaw(u"Lesson", type, std::move(bytes));
    return ReadNumber(kSettingsKey, u"Lesson", -7);
  };
  EXPECT_EQ(lesson(kTypeString, Utf16(std::u16string(u"12\0", 3))), 12);
  EXPECT_EQ(lesson(kTypeString, Utf16(std::u16string(u"\0", 1))), 0);  // empty string
  EXPECT_EQ(lesson(kTypeString, {}), 0);                               // no bytes at all
  EXPECT_EQ(lesson(kTypeString, Utf16(u"12")), 12);                    // no terminator
  EXPECT_EQ(lesson(kTypeString, Bytes({'1', 0, '2', 0, '9'})), 12);    // odd byte ignored
  EXPECT_EQ(lesson(kTypeString, Bytes({'7'})), 0);                     // one byte: no unit
  EXPECT_EQ(lesson(kTypeBinary, Utf16(std::u16string(u"247\0", 4))), 247);
  EXPECT_EQ(lesson(2 /* REG_EXPAND_SZ */, Utf16(u"30")), 30);
  EXPECT_EQ(lesson(kTypeString, Utf16(std::u16string(u"1A\0", 3))), 27);  // 'A' counts as 17
  EXPECT_EQ(lesson(kTypeString, Utf16(std::u16string(u"5\0"
                                                     u"9",
                                                     3))),
            5);
  // Ten nines wrap around 32 bits instead of stopping.
  EXPECT_EQ(lesson(kTypeString, Utf16(u"9999999999")), static_cast<std::int32_t>(1410065407));
}

TEST_F(Settings, MalformedDwordsGiveTheDefault) {
  store.SetRaw(u"Flags", kTypeDword, Bytes({0x40, 0x00}));
  store.SetRaw(u"FontSize", kTypeDword, Bytes({1, 0, 0, 0, 2, 0, 0, 0}));
  store.SetRaw(u"FontAsciiBase", kTypeDword, {});
  LoadSettings();
  EXPECT_EQ(g_app.Flags, 0xD1140040u);
  EXPECT_EQ(g_app.FontSettings.FontSize, 0);
  EXPECT_EQ(g_app.FontSettings.FontAsciiBase, 0x5D0);
}

TEST_F(Settings, GutterComesFromThePublisherKey) {
  store.SetDword(u"SurroundingGutter", 25, kPublisherKey);
  store.SetDword(u"SurroundingGutter", 99);  // the reader's own key is not asked
  EXPECT_EQ(ReadNumber(kPublisherKey, u"SurroundingGutter", 10), 25);
  store.SetUnits(u"SurroundingGutter", kTypeString, std::u16string(u"4\0", 2), kPublisherKey);
  EXPECT_EQ(ReadNumber(kPublisherKey, u"SurroundingGutter", 10), 4);
  EXPECT_EQ(StoredGutter(-3), 0);
  EXPECT_EQ(StoredGutter(1 << 30), kMaxGutter);
  EXPECT_EQ(StoredGutter(25), 25);
}

TEST_F(Settings, FontNameIsCutAndAlwaysTerminated) {
  const std::u16string forty(40, u'F');
  store.SetUnits(u"FontName", kTypeString, forty + u'\0');
  LoadSettings();
  EXPECT_EQ(FontName(), std::u16string(31, u'F'));

  struct Case {
    std::vector<std::uint8_t> bytes;
    std::u16string name;
  };
  const Case cases[] = {
      {Utf16(u"Miriam CLM"), u"Miriam CLM"},        // no terminator
      {Utf16(forty), std::u16string(31, u'F')},     // long, no terminator
      {Bytes({'A', 0, 'B', 0, 'C'}), u"AB"},        // odd size
      {Bytes({'A'}), u""},                          // one byte
      {{}, u""},                                    // no bytes
      {Utf16(std::u16string(u"\0Arial", 6)), u""},  // empty
  };
  for (const Case& c : cases) {
    ResetAppState();
    store.SetRaw(u"FontName", kTypeString, c.bytes);
    LoadSettings();
    EXPECT_EQ(FontName(), c.name) << c.bytes.size() << " bytes";
    EXPECT_EQ(g_app.FontSettings.FontName[31], 0);
  }
}

TEST_F(Settings, ReadWideStringTerminatesInsideItsBuffer) {
  store.SetRaw(u"FontName", kTypeBinary, Utf16(u"abc"));
  HeapArray<char16_t> s = ReadWideString(u"FontName");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(std::u16string(s.get()), u"abc");
  store.SetRaw(u"FontName", kTypeString, {});
  s = ReadWideString(u"FontName");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s[0], 0);
  EXPECT_EQ(ReadWideString(u"Missing"), nullptr);
}

TEST_F(Settings, SearchStringIsCutAndAlwaysTerminated) {
  store.SetRaw(u"SearchString", kTypeBinary, std::vector<std::uint8_t>(40, 'q'));
  LoadSettings();
  EXPECT_EQ(SearchText(), std::string(33, 'q'));

  struct Case {
    std::vector<std::uint8_t> bytes;
    std::string text;
  };
  const Case cases[] = {
      {Bytes({'s', 'h', 'm'}), "shm"},           // no zero byte
      {Bytes({0, 'x', 0}), ""},                  // empty
      {{}, ""},                                  // no bytes
      {Utf16(std::u16string(u"ab\0", 3)), "a"},  // stored as UTF-16 by someone else
  };
  for (const Case& c : cases) {
    ResetAppState();
    store.SetRaw(u"SearchString", kTypeString, c.bytes);
    LoadSettings();
    EXPECT_EQ(SearchText(), c.text);
  }
}

TEST_F(Settings, WriteFailuresAreIgnored) {
  store.failWrites = true;
  g_app.CurrentLesson = 3;
  g_app.BookmarkList = AllocArray<std::uint16_t>(1);
  g_app.BookmarkList[0] = 0;
  SaveSettingsAndQuit();
  EXPECT_EQ(store.writes, (Values{u"Flags", u"Lesson", u"Bookmarks"}));
  EXPECT_TRUE(store.values.empty());
  EXPECT_EQ(g_app.BookmarkList, nullptr);
  EXPECT_EQ(Calls().quits, 1);
}

TEST_F(Settings, ShutdownSaveRunsOncePerProcess) {
  store.SetRaw(u"Bookmarks", kTypeBinary, Bytes({5, 0, 9, 0, 0, 0}));
  LoadSettings();
  ASSERT_EQ(g_app.BookmarkCount, 2);

  // Out of memory: the notice, then the save through the installed handler.
  SetAllocGate([](std::size_t) { return false; });
  EXPECT_EQ(AllocOrAbort(64), nullptr);
  SetAllocGate(nullptr);
  EXPECT_EQ(notices.Count(Notice::OutOfMemory), 1);
  EXPECT_EQ(store.Get(u"Bookmarks")->bytes, Bytes({5, 0, 9, 0, 0, 0}));
  EXPECT_EQ(Calls().quits, 1);
  EXPECT_TRUE(ShutdownSaveDone());

  // WM_DESTROY afterwards: the released list must not be stored as an empty one.
  const std::size_t writes = store.writes.size();
  g_app.Flags = 0;
  SaveSettingsAndQuit();
  EXPECT_EQ(store.Get(u"Bookmarks")->bytes, Bytes({5, 0, 9, 0, 0, 0}));
  EXPECT_EQ(store.Dword(u"Flags"), 0xD1140040u);
  EXPECT_EQ(store.writes.size(), writes);
  EXPECT_EQ(Calls().quits, 1);
  EXPECT_EQ(Calls().deletedBitmaps.size(), 3u);
}

TEST_F(Settings, OutOfMemoryWhileLoadingWritesNothing) {
  store.SetRaw(u"Bookmarks", kTypeBinary, Bytes({5, 0, 0, 0}));
  store.SetDword(u"Flags", 0x800);
  store.SetUnits(u"FontName", kTypeString, std::u16string(u"David CLM\0", 10));
  SetAllocGate([](std::size_t) { return false; });
  LoadSettings();
  SetAllocGate(nullptr);
  EXPECT_EQ(notices.Count(Notice::OutOfMemory), 1);
  EXPECT_EQ(Calls().quits, 1);
  EXPECT_TRUE(store.writes.empty());
  EXPECT_EQ(g_app.BookmarkList, nullptr);
  SaveSettingsAndQuit();
  EXPECT_TRUE(store.writes.empty());
}

TEST_F(Settings, OutOfMemoryForTheBookmarkListKeepsTheStoredOne) {
  // The stored value is read, but the list made from it cannot be had.
  store.SetRaw(u"Bookmarks", kTypeBinary, Bytes({5, 0, 9, 0, 0, 0}));
  store.SetUnits(u"FontName", kTypeString, std::u16string(u"David CLM\0", 10));
  static int allocations;
  allocations = 0;
  SetAllocGate([](std::size_t) { return ++allocations < 3; });  // FontName, Bookmarks, list
  LoadSettings();
  SetAllocGate(nullptr);
  EXPECT_EQ(allocations, 3);
  EXPECT_EQ(notices.Count(Notice::OutOfMemory), 1);
  EXPECT_EQ(Calls().quits, 1);
  SaveSettingsAndQuit();  // WM_DESTROY afterwards
  EXPECT_TRUE(store.writes.empty());
  EXPECT_EQ(store.Get(u"Bookmarks")->bytes, Bytes({5, 0, 9, 0, 0, 0}));
}

TEST_F(Settings, OutOfMemoryReadingANumberGivesTheDefault) {
  store.SetUnits(u"Lesson", kTypeString, u"12");
  SetAbortHandler(&SaveSettingsAndQuit);
  SetAllocGate([](std::size_t) { return false; });
  EXPECT_EQ(ReadNumber(kSettingsKey, u"Lesson", 9), 9);
  SetAllocGate(nullptr);
  EXPECT_EQ(notices.Count(Notice::OutOfMemory), 1);
  EXPECT_EQ(Calls().quits, 1);
}

}  // namespace
}  // namespace qm::testing

// The registry store under HKEY_CURRENT_USER: typed values, missing values, short buffers, and
// a shutdown save read back by the next start.
#include "frame/settings_store_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "frame/app_state.h"
#include "frame/settings.h"

namespace qm {
namespace {

class RegistryStore : public ::testing::Test {
 protected:
  RegistryStore() { Clear(); }
  ~RegistryStore() override {
    Clear();
    SetSettingsStore(nullptr);
  }
  static void Clear() {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tarnwick\\Quillmere - 5770 (yid)");
    RegDeleteTreeW(HKEY_CURRENT_USER, L"software\\Brennhall");
  }
  RegistrySettingsStore store;
};

TEST_F(RegistryStore, MissingKeyAndValue) {
  ValueInfo info;
  EXPECT_FALSE(store.QueryValue(kSettingsKey, u"Flags", info));
  const std::array<std::uint8_t, 4> v{1, 2, 3, 4};
  ASSERT_TRUE(store.WriteValue(u"Flags", kTypeDword, v));  // creates the key
  EXPECT_FALSE(store.QueryValue(kSettingsKey, u"Lesson", info));
  EXPECT_FALSE(store.QueryValue(kPublisherKey, u"Flags", info));
}

TEST_F(RegistryStore, TypedValuesRoundTrip) {
  const std::array<std::uint8_t, 4> dword{0x40, 0, 0x14, 0xD1};
  const std::array<std::uint8_t, 6> text{'1', 0, '2', 0, 0, 0};
  const std::array<std::uint8_t, 3> odd{5, 0, 9};
  ASSERT_TRUE(store.WriteValue(u"Flags", kTypeDword, dword));
  ASSERT_TRUE(store.WriteValue(u"Lesson", kTypeString, text));
  ASSERT_TRUE(store.WriteValue(u"Bookmarks", kTypeBinary, odd));

  ValueInfo info;
  ASSERT_TRUE(store.QueryValue(kSettingsKey, u"Lesson", info));
  EXPECT_EQ(info.type, kTypeString);
  EXPECT_EQ(info.size, 6u);
  ASSERT_TRUE(store.QueryValue(kSettingsKey, u"Bookmarks", info));
  EXPECT_EQ(info.type, kTypeBinary);
  EXPECT_EQ(info.size, 3u);

  std::array<std::uint8_t, 8> buffer{};
  std::uint32_t size = 0;
  ASSERT_TRUE(store.ReadValue(kSettingsKey, u"Bookmarks", buffer, size));
  EXPECT_EQ(size, 3u);
  EXPECT_EQ(std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + 3),
            std::vector<std::uint8_t>(odd.begin(), odd.end()));
  std::array<std::uint8_t, 2> small{};
  EXPECT_FALSE(store.ReadValue(kSettingsKey, u"Bookmarks", small, size));  // does not fit

  SetSettingsStore(&store);
  EXPECT_EQ(ReadNumber(kSettingsKey, u"Flags", 0), static_cast<std::int32_t>(0xD1140040));
  EXPECT_EQ(ReadNumber(kSettingsKey, u"Lesson", 0), 12);
}

TEST_F(RegistryStore, EmptyValueReadsAsEmpty) {
  ASSERT_TRUE(store.WriteValue(u"FontName", kTypeString, {}));
  SetSettingsStore(&store);
  HeapArray<char16_t> name = ReadWideString(u"FontName");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name[0], 0);
}

TEST_F(RegistryStore, SavedSettingsComeBackAtTheNextStart) {
  SetSettingsStore(&store);
  ResetAppState();
  ResetShutdownSaveForTesting();
  LoadSettings();
  EXPECT_EQ(g_app.Flags, 0xD1140040u);
  g_app.CurrentLesson = 17;
  g_app.Flags |= 0x800;
  const std::u16string_view face = u"Simple CLM";
  std::copy(face.begin(), face.end(), g_app.FontSettings.FontName);
  g_app.BookmarkList = AllocArray<std::uint16_t>(2);
  g_app.BookmarkList[0] = 17;
  g_app.BookmarkList[1] = 0;
  g_app.BookmarkCount = 1;
  SaveSettingsAndQuit();

  ResetAppState();
  ResetShutdownSaveForTesting();
  LoadSettings();
  EXPECT_EQ(g_app.CurrentLesson, 17);
  EXPECT_EQ(g_app.Flags, 0xD1140840u);
  EXPECT_EQ(std::u16string_view(g_app.FontSettings.FontName), face);
  ASSERT_NE(g_app.BookmarkList, nullptr);
  EXPECT_EQ(g_app.BookmarkCount, 1);
  EXPECT_EQ(g_app.BookmarkList[0], 17);
  ResetAppState();
}

}  // namespace
}  // namespace qm

// Tests of the Bookmark and Reverse check marks over a recording menu.
#include "frame/menu_checks_logic.h"

#include <gtest/gtest.h>

#include <map>

#include "frame/bookmarks.h"
#include "frame/settings_test_support.h"
#include "resources/resource.h"

namespace qm::testing {
namespace {

class FakeMenu final : public MenuSeam {
 public:
  bool IsChecked(int item) override { return checked[item]; }
  void SetChecked(int item, bool on) override {
    checked[item] = on;
    ++sets;
  }
  std::map<int, bool> checked;
  int sets = 0;
};

class MenuChecks : public SettingsTest {
 protected:
  FakeMenu menu;
};

TEST_F(MenuChecks, SetMenuCheckModes) {
  EXPECT_EQ(SetMenuCheck(menu, 1, 500, 0x800), 1);
  EXPECT_TRUE(menu.checked[500]);
  EXPECT_EQ(SetMenuCheck(menu, 1, 500, 0), 0);
  EXPECT_FALSE(menu.checked[500]);
  EXPECT_EQ(SetMenuCheck(menu, 0, 500, 0), 1);  // toggle ignores the value
  EXPECT_EQ(SetMenuCheck(menu, 0, 500, 1), 0);
  EXPECT_EQ(menu.sets, 4);
}

TEST_F(MenuChecks, ReverseFollowsFlagsAtCreationAndFlipsTwice) {
  g_app.Flags = flags::Default | flags::ReverseText;
  UpdateReverseCheck(menu, 1);
  EXPECT_TRUE(menu.checked[IDC_REVERSE]);
  EXPECT_EQ(g_app.Flags, flags::Default | flags::ReverseText);

  UpdateReverseCheck(menu, 0);
  EXPECT_FALSE(menu.checked[IDC_REVERSE]);
  EXPECT_EQ(g_app.Flags, flags::Default);
  UpdateReverseCheck(menu, 0);
  EXPECT_TRUE(menu.checked[IDC_REVERSE]);
  EXPECT_EQ(g_app.Flags, flags::Default | flags::ReverseText);

  SaveSettingsAndQuit();  // the state reaches the next start
  EXPECT_EQ(store.Dword(u"Flags"), flags::Default | flags::ReverseText);
}

TEST_F(MenuChecks, BookmarkMarkFollowsTheCurrentLesson) {
  g_app.CurrentLesson = 10;
  UpdateBookmarkCheck(menu);
  EXPECT_FALSE(menu.checked[IDC_BOOKMARK]);
  ToggleBookmark(IsBookmarked());
  UpdateBookmarkCheck(menu);
  EXPECT_TRUE(menu.checked[IDC_BOOKMARK]);
  g_app.CurrentLesson = 11;  // another lesson shown
  UpdateBookmarkCheck(menu);
  EXPECT_FALSE(menu.checked[IDC_BOOKMARK]);
  EXPECT_FALSE(menu.checked[IDC_REVERSE]);
}

}  // namespace
}  // namespace qm::testing

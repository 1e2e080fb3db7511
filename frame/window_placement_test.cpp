// Tests of the stored window placement: normal, maximized and minimized windows, and the restore.
#include "frame/window_placement.h"

#include <gtest/gtest.h>

#include "frame/settings_test_support.h"

namespace qm {
void PrintTo(const StoredPlacement& p, std::ostream* os) {
  *os << "{" << p.left << "," << p.top << " " << p.width << "x" << p.height << " cmd " << p.showCmd
      << "}";
}
}  // namespace qm

namespace qm::testing {
namespace {

class Placement : public SettingsTest {
 protected:
  // A work area 30 pixels below the monitor's top (a taskbar above it).
  static PlacementInput Input(std::int32_t showCmd, PlacementRect window) {
    PlacementInput in;
    in.showCmd = showCmd;
    in.normalPosition = {120, 80, 920, 680};  // workspace coordinates
    in.windowRect = window;
    in.workspaceY = 30;
    return in;
  }
};

TEST_F(Placement, NormalWindowStoresItsRectangle) {
  const auto in = Input(kShowNormal, {120, 110, 920, 710});
  EXPECT_EQ(ComputeStoredPlacement(in), (StoredPlacement{120, 110, 800, 600, kShowNormal}));
}

TEST_F(Placement, MaximizedWindowStoresItsRestoredPlace) {
  auto in = Input(kShowMaximized, {-4, 26, 1284, 1028});
  EXPECT_EQ(ComputeStoredPlacement(in), (StoredPlacement{120, 110, 800, 600, kShowMaximized}));
  // A frame with a padded border (4 + 4 pixels) hangs further out: the place stays exact.
  in.windowRect = {-8, 22, 1288, 1032};
  EXPECT_EQ(ComputeStoredPlacement(in), (StoredPlacement{120, 110, 800, 600, kShowMaximized}));
}

TEST_F(Placement, MinimizedWindowComesBackRestored) {
  auto in = Input(kShowMinimized, {-32000, -32000, -31840, -31976});
  EXPECT_EQ(ComputeStoredPlacement(in), (StoredPlacement{120, 110, 800, 600, kShowNormal}));
  in.flags = kRestoreToMaximized;  // it was maximized before it was minimized
  EXPECT_EQ(ComputeStoredPlacement(in), (StoredPlacement{120, 110, 800, 600, kShowMaximized}));
  in.showCmd = kShowMinNoActive;
  EXPECT_EQ(ComputeStoredPlacement(in).showCmd, kShowMaximized);
}

TEST_F(Placement, WrittenInOrderAndReadBack) {
  const StoredPlacement p{-5, 7, 640, 480, kShowMaximized};
  WriteStoredPlacement(p);
  EXPECT_EQ(store.writes,
            (std::vector<std::u16string>{u"Top", u"Left", u"Width", u"Height", u"showCmd"}));
  EXPECT_EQ(store.Dword(u"Left"), 0xFFFFFFFBu);
  EXPECT_EQ(ReadStoredPlacement(kShowNormal), p);
  EXPECT_TRUE(ShouldMove(p));
}

TEST_F(Placement, RestoreWithoutStoredSize) {
  const StoredPlacement none = ReadStoredPlacement(7);
  EXPECT_EQ(none, (StoredPlacement{0, 0, 0, 0, 7}));  // the process's show command
  EXPECT_FALSE(ShouldMove(none));
  store.SetDword(u"Width", 0);
  store.SetDword(u"Height", 0xFFFFFFFF);
  EXPECT_FALSE(ShouldMove(ReadStoredPlacement(1)));
  store.SetDword(u"Height", 1);
  EXPECT_TRUE(ShouldMove(ReadStoredPlacement(1)));
}

TEST_F(Placement, NothingIsWrittenAfterTheShutdownSave) {
  SaveSettingsAndQuit();
  store.writes.clear();
  WriteStoredPlacement({1, 2, 3, 4, 1});
  EXPECT_TRUE(store.writes.empty());
}

}  // namespace
}  // namespace qm::testing

// What the main window's placement becomes in the settings store at exit, and how it comes back.
#pragma once

#include <cstdint>

namespace qm {

// Show commands, with the platform's values.
inline constexpr std::int32_t kShowNormal = 1;
inline constexpr std::int32_t kShowMinimized = 2;
inline constexpr std::int32_t kShowMaximized = 3;
inline constexpr std::int32_t kMinimize = 6;
inline constexpr std::int32_t kShowMinNoActive = 7;
// WINDOWPLACEMENT flag: the minimized window was maximized before.
inline constexpr std::uint32_t kRestoreToMaximized = 2;

struct PlacementRect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// The inputs GetWindowPlacement, GetWindowRect and the monitor give.
struct PlacementInput {
  std::int32_t showCmd = 0;
  std::uint32_t flags = 0;
  PlacementRect normalPosition;  // workspace coordinates
  PlacementRect windowRect;      // screen coordinates
  // Work area corner less monitor corner: added to workspace coordinates gives screen ones.
  std::int32_t workspaceX = 0;
  std::int32_t workspaceY = 0;
};

// The five stored values: "Left", "Top", "Width", "Height", "showCmd".
struct StoredPlacement {
  std::int32_t left = 0, top = 0, width = 0, height = 0, showCmd = 0;
  bool operator==(const StoredPlacement&) const = default;
};

// A maximized window stores its restored corner (the normal position moved by the work area's
// offset) and SW_SHOWMAXIMIZED; a minimized one the same corner and a normal or maximized show
// command (the icon's corner would bring it back as an icon); any other its window corner. The
// size is always that of the normal position.
StoredPlacement ComputeStoredPlacement(const PlacementInput& in);

// Writes "Top", "Left", "Width", "Height", "showCmd" in that order, unless the shutdown save
// already ran (the out-of-memory path saves everything but the placement).
void WriteStoredPlacement(const StoredPlacement& p);

// The stored values; a missing "showCmd" gives `showCommand`, a missing number 0.
StoredPlacement ReadStoredPlacement(std::int32_t showCommand);
// The stored rectangle is applied when either extent is positive.
constexpr bool ShouldMove(const StoredPlacement& p) {
  return p.width > 0 || p.height > 0;
}

}  // namespace qm

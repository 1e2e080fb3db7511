// The Win32 calls of the window placement; the arithmetic is in window_placement.cpp.
#include "frame/window_placement_win.h"

#include "frame/window_placement.h"

namespace qm {

namespace {

bool g_restoring = false;

PlacementRect FromRect(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

void RestoreWindowPlacement(HWND window, int showCommand) {
  const StoredPlacement p = ReadStoredPlacement(showCommand);
  g_restoring = true;
  if (ShouldMove(p)) MoveWindow(window, p.left, p.top, p.width, p.height, TRUE);
  ShowWindow(window, p.showCmd);
  g_restoring = false;
}

bool RestoringPlacement() {
  return g_restoring;
}

void SaveWindowPlacement(HWND window) {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof(wp);
  RECT rect{};
  if (!GetWindowPlacement(window, &wp) || !GetWindowRect(window, &rect)) return;

  PlacementInput in;
  in.showCmd = static_cast<std::int32_t>(wp.showCmd);
  in.flags = wp.flags;
  in.normalPosition = FromRect(wp.rcNormalPosition);
  in.windowRect = FromRect(rect);
  // rcNormalPosition of a top-level window is in workspace coordinates: relative to the work
  // area of its monitor, measured from the monitor's corner. The offset of the work area within
  // the monitor turns it into screen coordinates for MoveWindow at the next start.
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &mi)) {
    in.workspaceX = mi.rcWork.left - mi.rcMonitor.left;
    in.workspaceY = mi.rcWork.top - mi.rcMonitor.top;
  }
  WriteStoredPlacement(ComputeStoredPlacement(in));
}

}  // namespace qm

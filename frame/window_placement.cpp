// The stored window placement: what is written at exit and read back at start.
#include "frame/window_placement.h"

#include "frame/settings.h"
#include "frame/settings_store.h"

namespace qm {

namespace {
bool IsMinimized(std::int32_t cmd) {
  return cmd == kShowMinimized || cmd == kMinimize || cmd == kShowMinNoActive;
}
}  // namespace

StoredPlacement ComputeStoredPlacement(const PlacementInput& in) {
  StoredPlacement p;
  const PlacementRect& normal = in.normalPosition;
  p.width = normal.right - normal.left;
  p.height = normal.bottom - normal.top;
  p.showCmd = in.showCmd;
  if (in.showCmd == kShowMaximized || IsMinimized(in.showCmd)) {
    // The restored corner, from the normal position in workspace coordinates. The maximized
    // window's corner plus SM_CXFRAME is not the work area's corner where the frame also has a
    // padded border, and the stored place would creep at every exit.
    p.top = normal.top + in.workspaceY;
    p.left = normal.left + in.workspaceX;
    if (in.showCmd != kShowMaximized)
      p.showCmd = (in.flags & kRestoreToMaximized) ? kShowMaximized : kShowNormal;
  } else {
    p.top = in.windowRect.top;
    p.left = in.windowRect.left;
  }
  return p;
}

void WriteStoredPlacement(const StoredPlacement& p) {
  if (ShutdownSaveDone()) return;
  WriteNumber(u"Top", p.top);
  WriteNumber(u"Left", p.left);
  WriteNumber(u"Width", p.width);
  WriteNumber(u"Height", p.height);
  WriteNumber(u"showCmd", p.showCmd);
}

StoredPlacement ReadStoredPlacement(std::int32_t showCommand) {
  StoredPlacement p;
  p.top = ReadNumber(kSettingsKey, u"Top", 0);
  p.left = ReadNumber(kSettingsKey, u"Left", 0);
  p.width = ReadNumber(kSettingsKey, u"Width", 0);
  p.height = ReadNumber(kSettingsKey, u"Height", 0);
  p.showCmd = ReadNumber(kSettingsKey, u"showCmd", showCommand);
  return p;
}

}  // namespace qm

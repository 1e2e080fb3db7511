// The Win32 side of the settings code.
#include "frame/settings_win.h"

#include <windows.h>

#include "frame/settings.h"
#include "frame/settings_store_win.h"

namespace qm {

namespace {

RegistrySettingsStore g_registry;

BitmapHandle LoadBitmapHook(InstanceHandle instance, int id) {
  return LoadBitmapW(static_cast<HINSTANCE>(instance), MAKEINTRESOURCEW(id));
}

void DeleteBitmapHook(BitmapHandle bitmap) {
  DeleteObject(static_cast<HGDIOBJ>(bitmap));
}

void PostQuitHook(int code) {
  PostQuitMessage(code);
}

}  // namespace

void InstallWin32Settings() {
  SetSettingsStore(&g_registry);
  SetSettingsPlatform({&LoadBitmapHook, &DeleteBitmapHook, &PostQuitHook});
}

}  // namespace qm

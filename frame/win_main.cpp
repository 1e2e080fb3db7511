// Entry point of the reader.
#include <windows.h>

#include "frame/main_window.h"
#include "frame/platform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  qm::InstallPlatformPieces(instance);
  return qm::RunReader(instance, showCommand, qm::QueryPlatformId);
}

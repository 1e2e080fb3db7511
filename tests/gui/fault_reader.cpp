// The reader as the fault tests run it: the real program, whose allocator fails from the k-th
// allocation on when QM_FAIL_ALLOCATION_FROM=k is set (this build only; the program reads none).
#include <windows.h>

#include <cstdlib>

#include "frame/heap.h"
#include "frame/main_window.h"
#include "frame/platform.h"

namespace {

unsigned long g_failFrom = 0;
unsigned long g_allocations = 0;

// Memory that runs out stays out: every allocation from the k-th on fails.
bool Gate(std::size_t) {
  return ++g_allocations < g_failFrom;
}

void InstallGateFromEnvironment() {
  wchar_t value[32] = {};
  if (GetEnvironmentVariableW(L"QM_FAIL_ALLOCATION_FROM", value, 32) == 0) return;
  g_failFrom = std::wcstoul(value, nullptr, 10);
  if (g_failFrom > 0) qm::SetAllocGate(Gate);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  qm::InstallPlatformPieces(instance);
  InstallGateFromEnvironment();
  return qm::RunReader(instance, showCommand, qm::QueryPlatformId);
}

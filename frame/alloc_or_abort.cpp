// The out-of-memory path of the program's allocations.
#include "frame/alloc_or_abort.h"

#include "frame/heap.h"
#include "frame/notices.h"

namespace qm {

namespace {
AbortHandler g_handler = nullptr;
bool g_aborted = false;  // the handler ran: the program is ending
}  // namespace

void SetAbortHandler(AbortHandler handler) {
  g_handler = handler;
  g_aborted = false;
}

void* AllocOrAbort(std::size_t bytes) {
  if (void* p = HeapAlloc(bytes)) return p;
  // Once the path has run, the user has been told and the program is ending; callers that fail
  // again before the loop ends (a dialog building its lines, say) must not repeat the box.
  if (g_aborted) return nullptr;
  // Marked before the box: its message loop dispatches what was posted to the reader, and a
  // command run from there that fails again must not open a second box over the first.
  if (g_handler) g_aborted = true;
  ShowNotice(Notice::OutOfMemory);
  if (g_handler) g_handler();
  return nullptr;
}

}  // namespace qm

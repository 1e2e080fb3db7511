// The out-of-memory path of the program's allocations.
#include "frame/alloc_or_abort.h"

#include "frame/heap.h"
#include "frame/notices.h"

namespace qm {

namespace {
AbortHandler g_handler = nullptr;
}

void SetAbortHandler(AbortHandler handler) { g_handler = handler; }

void* AllocOrAbort(std::size_t bytes) {
  if (void* p = HeapAlloc(bytes)) return p;
  ShowNotice(Notice::OutOfMemory);
  if (g_handler) g_handler();
  return nullptr;
}

}  // namespace qm

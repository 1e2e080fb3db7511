// The program's heap allocator.
#include "frame/heap.h"

#include <cstdlib>

namespace qm {

namespace {
AllocGate g_gate = nullptr;
}

void SetAllocGate(AllocGate gate) { g_gate = gate; }

void* HeapAlloc(std::size_t bytes) {
  if (g_gate && !g_gate(bytes)) return nullptr;
  return std::malloc(bytes == 0 ? 1 : bytes);
}

void HeapRelease(void* p) { std::free(p); }

void HeapFree::operator()(void* p) const { HeapRelease(p); }

}  // namespace qm

// Heap blocks of the program: one allocator that tests can make fail, and owners that free them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "frame/app_state.h"

namespace qm {

// Plain heap allocation (malloc semantics); null on failure. Every block the program takes from
// the heap comes from here, so a test can fail the k-th allocation.
void* HeapAlloc(std::size_t bytes);
void HeapRelease(void* p);

// Test hook: when set, it is asked before each allocation; returning false fails that allocation.
using AllocGate = bool (*)(std::size_t bytes);
void SetAllocGate(AllocGate gate);

template <typename T>
using HeapArray = std::unique_ptr<T[], HeapFree>;

// A block of `count` elements from HeapAlloc, uninitialised; null on failure.
template <typename T>
HeapArray<T> AllocArray(std::size_t count) {
  return HeapArray<T>(static_cast<T*>(HeapAlloc(count * sizeof(T))));
}

}  // namespace qm

// Single objects on the program's heap, taken through AllocOrAbort and owned move-only.
#pragma once

#include <memory>
#include <new>
#include <utility>

#include "frame/alloc_or_abort.h"
#include "frame/heap.h"

namespace qm {

template <typename T>
struct HeapDestroy {
  void operator()(T* p) const {
    p->~T();
    HeapRelease(p);
  }
};

template <typename T>
using HeapObject = std::unique_ptr<T, HeapDestroy<T>>;

// A new T, or null after the out-of-memory path has run.
template <typename T, typename... Args>
HeapObject<T> MakeHeapObject(Args&&... args) {
  void* block = AllocOrAbort(sizeof(T));
  if (!block) return nullptr;
  return HeapObject<T>(new (block) T(std::forward<Args>(args)...));
}

}  // namespace qm

// Allocation that, when memory runs out, tells the user, saves the settings and ends the program.
#pragma once

#include <cstddef>

namespace qm {

// A block from the heap, or null after the out-of-memory path has run: the notice
// "There is not enough memory, aborting" and the shutdown save (once per process).
void* AllocOrAbort(std::size_t bytes);

// The shutdown save that the out-of-memory path runs; the program installs it at start. Once it
// has run, later failures return null without the notice. Installing a handler starts afresh.
using AbortHandler = void (*)();
void SetAbortHandler(AbortHandler handler);

}  // namespace qm

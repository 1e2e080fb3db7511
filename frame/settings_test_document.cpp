// Test-only stand-in for the Document deleter, linked while the text core has none of its own.
// It frees the way the core's documents are allocated: a heap block holding the record.
#include "text/document.h"

namespace qm {

void DocumentDeleter::operator()(Document* doc) const {
  if (!doc) return;
  doc->~Document();
  HeapRelease(doc);
}

}  // namespace qm

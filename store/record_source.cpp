// The record source in force.
#include "store/record_source.h"

namespace qm {

namespace {
const RecordSource* g_source = nullptr;
}

void SetRecordSource(const RecordSource* source) {
  g_source = source;
}

const RecordSource* CurrentRecordSource() {
  return g_source;
}

}  // namespace qm

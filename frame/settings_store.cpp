// The settings store in force.
#include "frame/settings_store.h"

namespace qm {

namespace {
SettingsStore* g_store = nullptr;
}

void SetSettingsStore(SettingsStore* store) {
  g_store = store;
}
SettingsStore* CurrentSettingsStore() {
  return g_store;
}

}  // namespace qm

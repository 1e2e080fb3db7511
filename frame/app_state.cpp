// The shared state record.
#include "frame/app_state.h"

namespace qm {

AppState g_app;

void ResetAppState() { g_app = AppState{}; }

}  // namespace qm

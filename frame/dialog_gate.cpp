#include "frame/dialog_gate.h"

namespace qm {

namespace {
bool g_dialogOpen = false;  // the window's one message thread is the only user
}  // namespace

DialogGate::DialogGate() : entered_(!g_dialogOpen) {
  if (entered_) g_dialogOpen = true;
}

DialogGate::~DialogGate() {
  if (entered_) g_dialogOpen = false;
}

}  // namespace qm

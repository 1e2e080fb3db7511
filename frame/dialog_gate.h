// One of the main window's dialogs at a time.
#pragma once

namespace qm {

// Each dialog keeps its state in one place. A modal dialog's loop still dispatches what is posted
// to the main window, so a command posted while a dialog is open would open a second dialog over
// the first and overwrite the state the first one has yet to release. Held around a dialog's
// whole run; a gate that finds another dialog open is closed, and the caller opens nothing.
class DialogGate {
 public:
  DialogGate();
  ~DialogGate();
  DialogGate(const DialogGate&) = delete;
  DialogGate& operator=(const DialogGate&) = delete;

  explicit operator bool() const { return entered_; }

 private:
  bool entered_;
};

}  // namespace qm

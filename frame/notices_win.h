// The notice sink of the program: message boxes.
#pragma once

#include <windows.h>

#include "frame/notices.h"

namespace qm {

class MessageBoxSink final : public NoticeSink {
 public:
  int Show(Notice n, WindowHandle owner) override;
};

}  // namespace qm

// The fixed message boxes of the program, behind one seam so tests can see and answer them.
#pragma once

#include <string_view>

#include "frame/app_state.h"

namespace qm {

enum class Notice {
  ResourceNotFound,  // "Resource not found", caption "Error", warning icon
  OutOfMemory,       // "There is not enough memory, aborting", caption "Error", error icon
  UncompressError,   // "UnCompress() buffer error!", default caption, OK
  NotFound,          // "Not Found!", caption the product title, OK
  SubclassError,     // "SubclassWindow() error", caption "Hebrew", OK
  PlatformRefused,   // the Windows 9x refusal, caption the publisher's address, error icon
  RemoveBookmark,    // "Remove Bookmark?\n\nCancel - Don't ask again", caption "Bookmark", Yes/No/Cancel
};

// Button results, with the platform's values.
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerCancel = 2;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

std::u16string_view NoticeText(Notice n);

class NoticeSink {
 public:
  virtual ~NoticeSink() = default;
  // Shows the notice owned by `owner` (may be null) and returns the button chosen.
  virtual int Show(Notice n, WindowHandle owner) = 0;
};

// The sink in force; the program installs the message-box one, tests a recording one.
void SetNoticeSink(NoticeSink* sink);
int ShowNotice(Notice n, WindowHandle owner = nullptr);

}  // namespace qm

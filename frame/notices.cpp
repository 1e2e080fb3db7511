// Texts of the fixed notices and the current sink.
#include "frame/notices.h"

namespace qm {

namespace {
NoticeSink* g_sink = nullptr;
}

std::u16string_view NoticeText(Notice n) {
  switch (n) {
    case Notice::ResourceNotFound:
      return u"Resource not found";
    case Notice::OutOfMemory:
      return u"There is not enough memory, aborting";
    case Notice::UncompressError:
      return u"UnCompress() buffer error!";
    case Notice::NotFound:
      return u"Not Found!";
    case Notice::SubclassError:
      return u"SubclassWindow() error";
    case Notice::PlatformRefused:
      return u"This Application does NOT run on:\n\n\tWINDOWS 95\n\tWINDOWS 98\n\tWINDOWS ME\n";
    case Notice::RemoveBookmark:
      return u"Remove Bookmark?\n\nCancel - Don't ask again";
  }
  return {};
}

void SetNoticeSink(NoticeSink* sink) { g_sink = sink; }

int ShowNotice(Notice n, WindowHandle owner) {
  // Without a sink (a command-line tool) a notice is answered as if OK was pressed.
  return g_sink ? g_sink->Show(n, owner) : kAnswerOk;
}

}  // namespace qm

// The notices as the platform's message boxes.
#include "frame/notices_win.h"

#include <string>

namespace qm {

namespace {
// The refusal box names the publisher's site as its caption.
constexpr char kPublisherAddress[] = "https://www.example.org/";
}  // namespace

int MessageBoxSink::Show(Notice n, WindowHandle owner) {
  HWND hwnd = static_cast<HWND>(owner);
  const std::u16string_view text = NoticeText(n);
  const std::wstring textW(text.begin(), text.end());
  switch (n) {
    case Notice::ResourceNotFound:
      return MessageBoxW(hwnd, textW.c_str(), L"Error", MB_ICONWARNING);
    case Notice::OutOfMemory:
      return MessageBoxW(hwnd, textW.c_str(), L"Error", MB_ICONERROR);
    case Notice::UncompressError:
      return MessageBoxW(hwnd, textW.c_str(), nullptr, MB_OK);
    case Notice::NotFound:
      return MessageBoxW(hwnd, textW.c_str(), L"Quillmere - 5770 (yid)", MB_OK);
    case Notice::SubclassError:
      return MessageBoxW(hwnd, textW.c_str(), L"Hebrew", MB_OK);
    case Notice::PlatformRefused: {
      // The refusal runs on systems without the wide functions, hence the ANSI box.
      std::string ansi(textW.begin(), textW.end());
      return MessageBoxA(hwnd, ansi.c_str(), kPublisherAddress, MB_ICONERROR);
    }
    case Notice::RemoveBookmark:
      return MessageBoxW(hwnd, textW.c_str(), L"Bookmark", MB_YESNOCANCEL);
  }
  return 0;
}

}  // namespace qm

// The About box and the update request inside the reader under Wine: F1, WM_HELP and command
// 40004 open the same box over the main window, F1 inside it opens no second one, and command
// 129 hands the update address to the shell (seen through the shell seam; no browser runs).
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "about/about_dialog.h"
#include "frame/app_state.h"
#include "frame/main_window.h"
#include "frame/platform.h"
#include "resources/resource.h"
#include "tests/gui/reader_process.h"
#include "tests/gui/timed_steps.h"

using qm::gui::Check;

namespace {

using qm::gui::Step;

struct SeenRequest {
  HWND owner;
  std::wstring file;
  ULONG mask;
  std::wstring verb;
};
std::vector<SeenRequest> g_requests;

BOOL RecordRequest(SHELLEXECUTEINFOW* info) {
  g_requests.push_back({info->hwnd, info->lpFile ? info->lpFile : L"", info->fMask,
                        info->lpVerb ? info->lpVerb : L""});
  return TRUE;
}

HWND Main() {
  return FindWindowW(qm::kMainWindowName, qm::kMainWindowName);
}

struct BoxSearch {
  HWND first = nullptr;
  int count = 0;
};

BOOL CALLBACK CountBox(HWND window, LPARAM param) {
  wchar_t cls[16] = {}, caption[64] = {};
  GetClassNameW(window, cls, 16);
  GetWindowTextW(window, caption, 64);
  if (std::wstring(cls) == L"#32770" && std::wstring(caption) == qm::gui::kReaderName &&
      IsWindowVisible(window)) {
    auto* search = reinterpret_cast<BoxSearch*>(param);
    if (!search->first) search->first = window;
    ++search->count;
  }
  return TRUE;
}

// The About boxes on screen (the dialog class, with the program's title as caption).
BoxSearch Boxes() {
  BoxSearch search;
  EnumThreadWindows(GetCurrentThreadId(), CountBox, reinterpret_cast<LPARAM>(&search));
  return search;
}
HWND Box() {
  return Boxes().first;
}

void CloseWhatIsOpen() {
  if (HWND box = Box()) PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
  if (HWND main = Main()) PostMessageW(main, WM_CLOSE, 0, 0);
}

// Steps that wait for the box, check its owner and close it with Escape.
std::vector<Step> ExpectBoxThenClose(const char* what) {
  return {
      [what] {
        HWND box = Box();
        if (!box) return false;
        Check(GetWindow(box, GW_OWNER) == Main(), what);
        PostMessageW(box, WM_KEYDOWN, VK_ESCAPE, 0);
        return true;
      },
      [] { return Box() == nullptr; },
  };
}

void Append(std::vector<Step>& to, std::vector<Step> more) {
  to.insert(to.end(), more.begin(), more.end());
}

}  // namespace

int wmain() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  qm::InstallPlatformPieces(instance);
  qm::SetShellOpener(RecordRequest);
  qm::gui::DeleteSettings();
  qm::gui::WriteString(L"FontName", L"DejaVu Sans");
  qm::gui::WriteDword(L"FontSize", 16);

  std::vector<Step> steps = {
      [] {  // F1 on the main window
        HWND main = Main();
        if (!main || !IsWindowVisible(main)) return false;
        SetForegroundWindow(main);
        SetFocus(main);
        qm::gui::PressKey(VK_F1);
        return true;
      },
      [] {
        HWND box = Box();
        if (!box) return false;
        Check(GetWindow(box, GW_OWNER) == Main(), "F1 opens the About box over the main window");
        SetForegroundWindow(box);
        SetFocus(GetDlgItem(box, IDC_ABOUT_LINK));
        qm::gui::PressKey(VK_F1);  // inside the box: no second box
        return true;
      },
      [] {
        if (qm::gui::TicksInStep() < 10) return false;  // give a second box time to show
        Check(Boxes().count == 1, "F1 inside the box opens no second one", Boxes().count, 1);
        PostMessageW(Box(), WM_KEYDOWN, VK_ESCAPE, 0);
        return true;
      },
      [] {
        if (Box()) return false;
        // WM_HELP carries a pointer and cannot be posted; a helper thread sends it, so the box's
        // modal loop runs on the GUI thread while that thread waits.
        static HELPINFO help{};
        help.cbSize = sizeof(help);
        std::thread([main = Main()] {
          SendMessageW(main, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
        }).detach();
        return true;
      },
  };
  Append(steps, ExpectBoxThenClose("WM_HELP opens the About box"));
  steps.push_back([] {
    PostMessageW(Main(), WM_COMMAND, IDC_ABOUT, 0);  // File > About
    return true;
  });
  Append(steps, ExpectBoxThenClose("command 40004 opens the About box"));
  steps.push_back([] {
    g_requests.clear();
    SendMessageW(Main(), WM_COMMAND, IDC_CHECK_UPDATES, 0);  // File > Check For Updates
    SendMessageW(Main(), WM_COMMAND, IDC_CHECK_UPDATES, 0);  // built afresh every time
    if (!Check(g_requests.size() == 2, "one shell request per command",
               static_cast<long long>(g_requests.size()), 2)) {
      return true;
    }
    const std::wstring query =
        L"/cgi-bin/upgrade?p=windows/Tarnwick/Quillmere+%2D+5770+%28yid%29&v=1.85a";
    for (const SeenRequest& r : g_requests) {
      Check(r.file.size() > query.size() &&
                r.file.compare(r.file.size() - query.size(), query.size(), query) == 0,
            "the update address: path, product key and version");
      Check(r.file.rfind(L"https://", 0) == 0, "the address has its scheme");
      Check(r.owner == Main(), "owned by the main window");
      Check(r.mask == SEE_MASK_FLAG_NO_UI && r.verb == L"Open", "no error interface, Open");
    }
    Check(Box() == nullptr, "no window opened by the update request");
    return true;
  });
  qm::gui::StartSteps(std::move(steps), CloseWhatIsOpen);
  const int code = qm::RunReader(instance, SW_SHOWNORMAL, qm::QueryPlatformId);
  Check(code == 0, "reader exit code", code, 0);
  qm::gui::CheckEveryStepRan();
  std::printf("about_gui_tests: %s\n", qm::gui::Failures() ? "FAILED" : "passed");
  return qm::gui::Failures() ? 1 : 0;
}

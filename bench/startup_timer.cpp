// Times the reader under Wine from outside: start until the lesson is painted (beside a minimal
// window program timed the same way), Search Again until "Not Found!", and the working set.
//   quillmere_startup_timer READER.exe MINIMAL.exe [RUNS [IMAGE_PREFIX]]
// IMAGE_PREFIX: the client areas as they were when they counted as painted are saved as
// PREFIX-reader.png and PREFIX-minimal.png, to check what was timed.
// Prints one "qm-bench NAME VALUE" line per number; the exit code is 1 when a run failed.
#include <windows.h>
// After the platform header, whose types it uses.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "tests/gui/reader_process.h"
#include "tests/gui/window_image.h"

using namespace qm::gui;

namespace {

constexpr wchar_t kMinimalName[] = L"Quillmere minimal window";
constexpr wchar_t kMinimalClass[] = L"QuillmereMinimalWindow";
constexpr DWORD kDefaultFlags = 0xD1140040;
constexpr DWORD kLessonPinned = 0x4;
constexpr DWORD kTimeoutMs = 20000;

double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f{};
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t{};
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / frequency;
}

// A started program; ended (WM_CLOSE, then by force) and released when it goes out of scope.
class Child {
 public:
  explicit Child(const std::wstring& exe) {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    std::wstring commandLine = L"\"" + exe + L"\"";
    started_ = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &si, &process_) != 0;
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  ~Child() {
    if (!started_) return;
    if (window && IsWindow(window)) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0)
      TerminateProcess(process_.hProcess, 99);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
  bool Started() const { return started_; }
  HANDLE Process() const { return process_.hProcess; }
  bool Running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

  HWND window = nullptr;

 private:
  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

// Whether the image below `top` shows text: mostly white, with dark pixels on it. An unpainted
// window surface is neither.
bool Painted(const Image& image, int top) {
  if (image.width < 16 || image.height <= top + 16) return false;
  long dark = 0, white = 0, total = 0;
  for (int y = top; y < image.height; ++y) {
    for (int x = 0; x < image.width; x += 2) {
      const std::uint32_t p = image.At(x, y);
      const int grey = static_cast<int>(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF)) / 3;
      dark += grey < 128;
      white += p == 0xFFFFFF;
      ++total;
    }
  }
  return dark >= 20 && white * 2 >= total;
}

std::wstring g_imagePrefix;  // empty: no images saved
const wchar_t* g_imageName = nullptr;

int ToolbarBottom(HWND window) {
  HWND toolbar = FindWindowExW(window, nullptr, L"ToolbarWindow32", nullptr);
  if (!toolbar) return 0;
  RECT r{};
  GetWindowRect(toolbar, &r);
  POINT corner{r.left, r.bottom};
  ScreenToClient(window, &corner);
  return std::max<int>(corner.y, 0) + 1;
}

// Milliseconds from `start` until the program's window is visible and shows its text, taken at
// the first capture of the final picture: painting may come in several passes, so the picture
// must then stay as it is for kSettledMs.
constexpr double kSettledMs = 250;

struct Startup {
  double shownMs = 0;    // the window became visible
  double paintedMs = 0;  // its final picture was first captured
};

std::optional<Startup> WaitUntilPainted(Child& child,
                                        const wchar_t* className,
                                        const wchar_t* caption,
                                        bool belowToolbar,
                                        double start) {
  Image last;
  double lastChange = 0;
  Startup times;
  while (Now() - start < kTimeoutMs && child.Running()) {
    if (!child.window) {
      HWND w = FindWindowW(className, caption);
      if (w && IsWindowVisible(w)) {
        child.window = w;
        times.shownMs = Now() - start;
      }
    }
    if (child.window) {
      const double taken = Now();
      Image image = CaptureClient(child.window);
      if (image.width != last.width || image.height != last.height || image.pixels != last.pixels) {
        last = std::move(image);
        lastChange = taken;
      } else if (taken - lastChange >= kSettledMs &&
                 Painted(last, belowToolbar ? ToolbarBottom(child.window) : 0)) {
        if (!g_imagePrefix.empty() && g_imageName) SaveImage(last, g_imagePrefix + g_imageName);
        times.paintedMs = lastChange - start;
        return times;
      }
    }
    Sleep(2);
  }
  return std::nullopt;
}

std::optional<Startup> TimeMinimal(const std::wstring& exe) {
  const double start = Now();
  Child child(exe);
  if (!child.Started()) return std::nullopt;
  return WaitUntilPainted(child, kMinimalClass, kMinimalName, false, start);
}

struct ReaderRun {
  Startup start;
  double searchMs = 0;
  double lessonKb = 0;
  double searchedKb = 0;
  double peakKb = 0;
};

std::optional<PROCESS_MEMORY_COUNTERS> Memory(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  if (!GetProcessMemoryInfo(process, &counters, sizeof(counters))) return std::nullopt;
  return counters;
}

// Letters that occur in no lesson in this order, as the search dialog stores them.
void SeedReaderSettings() {
  DeleteSettings();
  WriteString(L"FontName", L"Frank Ruehl CLM");
  WriteDword(L"Lesson", 1);
  WriteDword(L"Flags", kDefaultFlags | kLessonPinned);
  WriteBinary(L"SearchString", {0x76, 0x76, 0x76, 0x76, 0});
}

std::optional<ReaderRun> TimeReader(const std::wstring& exe) {
  SeedReaderSettings();
  ReaderRun run;
  const double start = Now();
  Child child(exe);
  if (!child.Started()) return std::nullopt;
  const auto painted = WaitUntilPainted(child, kReaderName, kReaderName, true, start);
  if (!painted) {
    std::printf("reader: no painted lesson within %lu ms\n", kTimeoutMs);
    return std::nullopt;
  }
  run.start = *painted;
  WaitForInputIdle(child.Process(), 5000);
  Sleep(300);
  const auto shown = Memory(child.Process());
  if (!shown) return std::nullopt;
  run.lessonKb = static_cast<double>(shown->WorkingSetSize) / 1024.0;

  const double pressed = Now();
  PostMessageW(child.window, WM_KEYDOWN, VK_F3, 0x003D0001);
  PostMessageW(child.window, WM_KEYUP, VK_F3, 0xC03D0001);
  HWND box = nullptr;
  while (!box && Now() - pressed < kTimeoutMs && child.Running()) {
    HWND w = FindWindowW(L"#32770", kReaderName);
    wchar_t text[32] = {};
    if (w && IsWindowVisible(w) && GetWindow(w, GW_OWNER) == child.window &&
        GetDlgItemTextW(w, 0xFFFF, text, 32) && std::wstring(text) == L"Not Found!")
      box = w;
    if (!box) Sleep(1);
  }
  if (!box) {
    std::printf("reader: no \"Not Found!\" box after F3\n");
    return std::nullopt;
  }
  run.searchMs = Now() - pressed;
  const auto searched = Memory(child.Process());
  if (!searched) return std::nullopt;
  run.searchedKb = static_cast<double>(searched->WorkingSetSize) / 1024.0;
  run.peakKb = static_cast<double>(searched->PeakWorkingSetSize) / 1024.0;
  Answer(box, IDOK);
  for (int i = 0; i < 100 && IsWindow(box); ++i)
    Sleep(20);
  return run;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void Print(const char* name, double value) {
  std::printf("qm-bench %s %.3f\n", name, value);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: quillmere_startup_timer READER.exe MINIMAL.exe [RUNS]\n");
    return 2;
  }
  const std::wstring reader = argv[1], minimal = argv[2];
  const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 5;
  const std::wstring imagePrefix = argc > 4 ? argv[4] : L"";

  // One start of each first, not counted: the prefix's first process pays for its set-up.
  if (!TimeMinimal(minimal) || !TimeReader(reader)) {
    std::printf("warm-up start failed\n");
    return 1;
  }
  std::vector<double> minimalMs, readerMs, minimalShownMs, readerShownMs, searchMs, lessonKb,
      searchedKb, peakKb;
  for (int i = 0; i < runs; ++i) {
    if (i == 0) g_imagePrefix = imagePrefix;
    g_imageName = L"-minimal.png";
    const auto m = TimeMinimal(minimal);
    g_imageName = L"-reader.png";
    const auto r = TimeReader(reader);
    g_imagePrefix.clear();
    if (!m || !r) {
      std::printf("run %d failed\n", i + 1);
      return 1;
    }
    minimalMs.push_back(m->paintedMs);
    readerMs.push_back(r->start.paintedMs);
    minimalShownMs.push_back(m->shownMs);
    readerShownMs.push_back(r->start.shownMs);
    searchMs.push_back(r->searchMs);
    lessonKb.push_back(r->lessonKb);
    searchedKb.push_back(r->searchedKb);
    peakKb.push_back(r->peakKb);
    std::printf(
        "run %d: minimal shown %.1f, painted %.1f ms; reader shown %.1f, painted %.1f ms; "
        "search again %.1f ms\n",
        i + 1, m->shownMs, m->paintedMs, r->start.shownMs, r->start.paintedMs, r->searchMs);
  }
  Print("runs", runs);
  Print("minimal_start_ms", Median(minimalMs));
  Print("reader_start_ms", Median(readerMs));
  Print("minimal_shown_ms", Median(minimalShownMs));
  Print("reader_shown_ms", Median(readerShownMs));
  Print("search_again_ms", Median(searchMs));
  Print("working_set_lesson_kb", Median(lessonKb));
  Print("working_set_searched_kb", Median(searchedKb));
  Print("peak_working_set_kb", Median(peakKb));
  std::fflush(stdout);
  return 0;
}

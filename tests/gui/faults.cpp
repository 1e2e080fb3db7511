// Fault tests of the reader driven from outside: memory that runs out, a run that is killed, and
// a build with a damaged lesson record.
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/gui/driver_tests.h"
#include "tests/gui/reader_process.h"

namespace qm::gui {

namespace {

constexpr DWORD kPinnedDefaultFlags = 0xD1140044;
const std::vector<std::uint8_t> kSeededMarks = {9, 0, 5, 0, 0, 0};
constexpr wchar_t kOutOfMemory[] = L"There is not enough memory, aborting";
constexpr wchar_t kResourceNotFound[] = L"Resource not found";
constexpr wchar_t kUncompressError[] = L"UnCompress() buffer error!";

void SeedRun(DWORD lesson) {
  DeleteSettings();
  WriteString(L"FontName", L"DejaVu Sans");
  WriteDword(L"Lesson", lesson);
  WriteDword(L"Flags", kPinnedDefaultFlags);
  WriteBinary(L"Bookmarks", kSeededMarks);
  WriteDword(L"Left", 20);
  WriteDword(L"Top", 20);
  WriteDword(L"Width", 600);
  WriteDword(L"Height", 450);
  WriteDword(L"showCmd", SW_SHOWNORMAL);
}

// What a run showed, in order, until the process ended or the time ran out.
struct Watch {
  std::vector<std::wstring> boxes;
  std::optional<DWORD> exitCode;
  bool windowSeen = false;
};

// Answers every box and dialog of a starting reader; once its window is idle with nothing open,
// hands it to `poke` (called with the number of pokes so far) to provoke more.
template <typename Poke>
Watch WatchRun(Reader& reader, DWORD milliseconds, Poke poke) {
  Watch watch;
  std::set<HWND> counted;
  int pokes = 0;
  int quietRounds = 0;
  for (DWORD waited = 0; waited < milliseconds; waited += 50) {
    if (auto code = reader.WaitExit(0)) {
      watch.exitCode = code;
      return watch;
    }
    bool answered = false;
    for (HWND d : ThreadDialogs(reader.ThreadId())) {
      if (!IsWindowEnabled(d)) continue;
      const std::wstring text = BoxText(d);
      if (!text.empty() && !GetDlgItem(d, IDC_SEARCH_EDIT)) {
        // A busy machine may leave an answered box up into the next round: count it once.
        if (counted.insert(d).second) watch.boxes.push_back(text);
        Answer(d, IDOK);
      } else {
        Answer(d, IDCANCEL);  // a dialog the start or a poke opened
      }
      answered = true;
      for (int i = 0; i < 40 && IsWindow(d); ++i)
        Sleep(25);
    }
    if (reader.FindWindowNow()) watch.windowSeen = true;
    quietRounds = answered ? 0 : quietRounds + 1;
    if (watch.windowSeen && quietRounds >= 6) {
      if (!poke(reader, pokes++)) {
        if (reader.Running()) reader.Close();
      }
      quietRounds = 0;
    }
    Sleep(50);
  }
  return watch;
}

int Count(const std::vector<std::wstring>& boxes, const wchar_t* text) {
  int n = 0;
  for (const auto& b : boxes)
    n += b == text;
  return n;
}

}  // namespace

// For each k, every allocation from the k-th on fails. The reader must tell the user once,
// keep the stored bookmarks and end with 0, whatever it was doing.
int OutOfMemoryTest(const std::wstring& exe, const std::vector<int>& ks) {
  for (int k : ks) {
    SeedRun(5);
    WriteBinary(L"SearchString", {'a', 'b', 0});
    SetEnvironmentVariableW(L"QM_FAIL_ALLOCATION_FROM", std::to_wstring(k).c_str());
    Reader reader;
    if (!Check(reader.Launch(exe), "faulting reader started", k)) continue;
    SetEnvironmentVariableW(L"QM_FAIL_ALLOCATION_FROM", nullptr);
    // Work the reader until memory runs out: the index, then the search, both take memory
    // through the out-of-memory path; then close it.
    const Watch watch = WatchRun(reader, 40000, [](Reader& r, int pokes) {
      if (pokes >= 40) return false;
      const int command = pokes % 4 == 0 ? IDC_INDEX : IDC_SEARCH_AGAIN;
      PostMessageW(r.Window(), WM_COMMAND, static_cast<WPARAM>(command), 0);
      return true;
    });
    const int told = Count(watch.boxes, kOutOfMemory);
    const auto fontBase = ReadDword(L"FontAsciiBase");
    std::printf("k=%d: %zu boxes, out-of-memory shown %d, exit %ld, saved %s\n", k,
                watch.boxes.size(), told, watch.exitCode ? static_cast<long>(*watch.exitCode) : -1L,
                fontBase ? "yes" : "no (ran out while loading)");
    std::fflush(stdout);
    Check(watch.exitCode.has_value(), "the reader ended", k);
    Check(watch.exitCode.value_or(1) == 0, "exit code 0 after running out of memory", k);
    Check(told == 1, "out-of-memory notice shown exactly once (k)", k, told);
    const auto marks = ReadBinary(L"Bookmarks");
    Check(marks && *marks == kSeededMarks, "stored bookmarks kept (k)", k);
    // A save that ran wrote the font base it holds (0x5D0 here) and the lesson a search may
    // have moved to; one cut short by memory running out while the settings were read wrote
    // nothing at all.
    const DWORD lesson = ReadDword(L"Lesson").value_or(0);
    if (fontBase) {
      Check(*fontBase == 0x5D0u, "font base saved (k)", k);
      Check(lesson >= 1 && lesson <= 247, "stored lesson in 1..247 (k)", k, lesson);
    } else {
      Check(lesson == 5, "stored lesson untouched (k)", k, lesson);
    }
  }
  return Failures() ? 1 : 0;
}

// A run that is killed writes nothing: the next start finds what the run before it saved.
int KilledRunTest(const std::wstring& exe) {
  SeedRun(5);
  {
    Reader reader;
    if (!Check(reader.Start(exe), "first run started")) return 1;
    PostMessageW(reader.Window(), WM_COMMAND, IDC_NEXT, 0);
    PostMessageW(reader.Window(), WM_COMMAND, IDC_NEXT, 0);
    PostMessageW(reader.Window(), WM_COMMAND, IDC_BOOKMARK, 0);
    reader.Responds();
    Check(reader.Close() == 0u, "first run ends with 0");
  }
  const std::vector<StoredValue> saved = ReadAllValues();
  Check(ReadDword(L"Lesson") == 7u, "first run saved lesson 7", ReadDword(L"Lesson").value_or(0),
        7);
  Check(ReadBinary(L"Bookmarks") == std::vector<std::uint8_t>{9, 0, 5, 0, 7, 0, 0, 0},
        "first run saved its bookmark");
  {
    Reader reader;
    if (!Check(reader.Start(exe), "second run started")) return 1;
    HWND w = reader.Window();
    PostMessageW(w, WM_COMMAND, IDC_NEXT, 0);
    PostMessageW(w, WM_COMMAND, IDC_BOOKMARK, 0);
    PostMessageW(w, WM_COMMAND, IDC_REVERSE, 0);
    PostMessageW(w, WM_KEYDOWN, VK_NEXT, 0);
    SetWindowPos(w, nullptr, 50, 60, 420, 380, SWP_NOZORDER);
    reader.Responds();
    reader.Kill();
    Check(!reader.Running(), "second run killed");
  }
  Check(ReadAllValues() == saved, "a killed run leaves the saved settings as they were");
  {
    // The session ends with the window open: the settings are saved then, and only then.
    Reader reader;
    if (!Check(reader.Start(exe), "third run started")) return 1;
    Check(ReadDword(L"Lesson") == 7u, "third run starts on the saved lesson",
          ReadDword(L"Lesson").value_or(0), 7);
    SendMessageW(reader.Window(), WM_COMMAND, IDC_NEXT, 0);
    SendMessageW(reader.Window(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    Check(ReadDword(L"Lesson") == 8u, "the session end saves", ReadDword(L"Lesson").value_or(0), 8);
    WriteDword(L"Lesson", 99);
    Check(reader.Close() == 0u, "third run ends with 0");
  }
  Check(ReadDword(L"Lesson") == 99u, "WM_DESTROY after the session end writes nothing again",
        ReadDword(L"Lesson").value_or(0), 99);
  return Failures() ? 1 : 0;
}

// Lesson 9 of this build is damaged. Opening on it shows the decoder's box, then the view's;
// stepping and searching pass it without a word.
int BrokenRecordTest(const std::wstring& exe) {
  auto run = [&](DWORD lesson, int command, const char* what) {
    SeedRun(lesson);
    WriteBinary(L"SearchString", {'q', 'q', 'q', 'q', 'q', 'q', 'q', 'q', 0});
    Reader reader;
    if (!Check(reader.Launch(exe), what)) return Watch{};
    bool posted = false;
    Watch watch = WatchRun(reader, 20000, [&](Reader& r, int) {
      if (posted) return false;
      posted = true;
      PostMessageW(r.Window(), WM_COMMAND, static_cast<WPARAM>(command), 0);
      return true;
    });
    Check(watch.exitCode == 0u, what);
    return watch;
  };
  {
    const Watch w = run(9, IDC_NEXT, "start on the damaged lesson");
    Check(w.boxes.size() >= 2 && w.boxes[0] == kUncompressError && w.boxes[1] == kResourceNotFound,
          "decoder box, then the view's box", static_cast<long long>(w.boxes.size()), 2);
    Check(w.boxes.size() == 2, "no box after the start", static_cast<long long>(w.boxes.size()), 2);
    Check(ReadDword(L"Lesson") == 10u, "Next from the empty view goes on to lesson 10",
          ReadDword(L"Lesson").value_or(0), 10);
  }
  {
    const Watch w = run(8, IDC_NEXT, "Next over the damaged lesson");
    Check(w.boxes.empty(), "Next passes lesson 9 silently", static_cast<long long>(w.boxes.size()));
    Check(ReadDword(L"Lesson") == 10u, "Next from 8 skips to 10", ReadDword(L"Lesson").value_or(0),
          10);
  }
  {
    const Watch w = run(10, IDC_PREVIOUS, "Previous over the damaged lesson");
    Check(w.boxes.empty(), "Previous passes lesson 9 silently",
          static_cast<long long>(w.boxes.size()));
    Check(ReadDword(L"Lesson") == 8u, "Previous from 10 skips to 8",
          ReadDword(L"Lesson").value_or(0), 8);
  }
  {
    const Watch w = run(8, IDC_SEARCH_AGAIN, "search over the damaged lesson");
    Check(w.boxes.size() == 1 && w.boxes[0] == L"Not Found!",
          "the search goes through every lesson and only says Not Found!",
          static_cast<long long>(w.boxes.size()), 1);
    Check(ReadDword(L"Lesson") == 8u, "nothing found keeps the lesson",
          ReadDword(L"Lesson").value_or(0), 8);
  }
  return Failures() ? 1 : 0;
}

}  // namespace qm::gui

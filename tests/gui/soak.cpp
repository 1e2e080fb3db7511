// Soak test: the real reader driven from outside by a long run of random user actions, with every
// dialog and message box it opens used and answered; no crash, no hang, no GDI leak, and a
// well-formed settings key after exit.
#include <windows.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/gui/driver_tests.h"
#include "tests/gui/reader_process.h"

namespace qm::gui {

namespace {

constexpr DWORD kPinnedDefaultFlags = 0xD1140044;
// Objects a run may hold more at the end than after its warm-up without leaking. The reader's
// own objects (fonts, brushes, pens, bitmaps) are held to a small bound. Device contexts are
// counted apart: the system's cache of them grows, a step at a time, to the most that windows
// ever painted through at once, and then stays. A leak keeps growing, so the second half of the
// run is held to a tighter bound than the whole.
constexpr DWORD kOwnObjectsMargin = 16;
constexpr DWORD kOwnObjectsSecondHalfMargin = 8;
constexpr DWORD kDcCacheMargin = 32;
constexpr DWORD kDcCacheSecondHalfMargin = 8;

enum class DialogKind { Search, Font, ChooseSection, About, Bookmark, NotFound, Other };

DialogKind KindOf(HWND dialog) {
  if (GetDlgItem(dialog, IDC_SEARCH_EDIT)) return DialogKind::Search;
  if (GetDlgItem(dialog, IDC_FONT_FACES)) return DialogKind::Font;
  if (GetDlgItem(dialog, IDC_ABOUT_LINK)) return DialogKind::About;
  const std::wstring caption = Caption(dialog);
  if (caption == L"Choose Section") return DialogKind::ChooseSection;
  if (caption == L"Bookmark") return DialogKind::Bookmark;
  if (BoxText(dialog) == L"Not Found!") return DialogKind::NotFound;
  return DialogKind::Other;
}

class Soak {
 public:
  Soak(Reader& reader, unsigned seed) : reader_(reader), rng_(seed) {}

  // One action on the main window, then everything it opened answered; false once the reader
  // crashed or hung.
  bool Step() {
    MainAction();
    const bool settled = Settle();
    if (trace_) {
      const auto n = reader_.GdiObjectsByKind().value_or(GdiCensus{});
      std::printf("  GDI %lu: %s\n", static_cast<unsigned long>(n.total), ByTypeText(n).c_str());
    }
    return settled;
  }

  // Opens and closes each dialog once, so that caches filled on first use count as the baseline.
  bool WarmUp() {
    for (int id : {IDC_SEARCH, IDC_FONT, IDC_INDEX, IDC_ABOUT}) {
      PostMessageW(Main(), WM_COMMAND, static_cast<WPARAM>(id), 0);
      if (!WaitIdle()) return false;
      for (HWND d : ThreadDialogs(reader_.ThreadId()))
        Answer(d, IDCANCEL);
      if (!WaitIdle()) return false;
    }
    return Settle();
  }

  int actions() const { return actions_; }
  int boxes() const { return boxes_; }
  int dialogs() const { return dialogs_; }
  bool failed() const { return failed_; }

 private:
  HWND Main() const { return reader_.Window(); }

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

  bool Fail(const char* what) {
    failed_ = true;
    Check(false, what, actions_);
    return false;
  }

  bool WaitIdle() {
    if (!reader_.Running()) return Fail("the reader ended during the soak (action number)");
    if (!reader_.Responds()) return Fail("the reader stopped answering (action number)");
    return true;
  }

  void Post(HWND window, UINT message, WPARAM w, LPARAM l) {
    ++actions_;
    if (trace_)
      std::printf("  %d: %s message 0x%X %llu %lld\n", actions_,
                  window == Main() ? "main" : "dialog", message, static_cast<unsigned long long>(w),
                  static_cast<long long>(l));
    PostMessageW(window, message, w, l);
  }

  LPARAM RandomPoint(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return MAKELPARAM(Between(0, std::max<int>(r.right, 1)),
                      Between(0, std::max<int>(r.bottom, 1)));
  }

  void MainAction() {
    // Not Exit or Ctrl+Q (they end the run), nor Check For Updates (it starts a browser).
    static constexpr std::array<int, 12> kCommands = {
        IDC_TODAY,   IDC_NEXT,     IDC_PREVIOUS, IDC_SEARCH_AGAIN,  IDC_REVERSE, IDC_BOOKMARK,
        IDC_ZOOM_IN, IDC_ZOOM_OUT, IDC_COPY,     IDC_SELECT_LESSON, 2,           4242};
    static constexpr std::array<int, 12> kKeys = {VK_RETURN, VK_PRIOR, VK_NEXT, VK_END,
                                                  VK_HOME,   VK_LEFT,  VK_UP,   VK_RIGHT,
                                                  VK_DOWN,   'A',      VK_F5,   VK_ESCAPE};
    static constexpr std::array<int, 5> kDialogs = {IDC_SEARCH, IDC_FONT, IDC_INDEX,
                                                    IDC_CHOOSE_ARTICLE, IDC_ABOUT};
    if (focus_ != 0) {
      Post(Main(), WM_COMMAND, static_cast<WPARAM>(focus_), 0);
      return;
    }
    const int roll = Pick(100);
    if (roll < 25) {
      Post(Main(), WM_COMMAND, static_cast<WPARAM>(kCommands[Pick(kCommands.size())]), 0);
    } else if (roll < 50) {
      Post(Main(), WM_KEYDOWN, static_cast<WPARAM>(kKeys[Pick(kKeys.size())]), 0);
    } else if (roll < 60) {
      const LPARAM at = RandomPoint(Main());
      Post(Main(), WM_LBUTTONDOWN, MK_LBUTTON, at);
      Post(Main(), WM_LBUTTONUP, 0, at);
    } else if (roll < 70) {
      const int delta = 120 * Between(-3, 3);
      Post(Main(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
    } else if (roll < 77) {
      static constexpr std::array<int, 8> kScroll = {SB_LINEUP,   SB_LINEDOWN,   SB_PAGEUP,
                                                     SB_PAGEDOWN, SB_THUMBTRACK, SB_THUMBPOSITION,
                                                     SB_TOP,      SB_BOTTOM};
      Post(Main(), WM_VSCROLL, MAKEWPARAM(kScroll[Pick(kScroll.size())], Between(0, 400)), 0);
    } else if (roll < 88) {
      Resize();
    } else {
      // (WM_HELP, F1's way to the About box, carries a pointer and cannot be posted across.)
      Post(Main(), WM_COMMAND, static_cast<WPARAM>(kDialogs[Pick(kDialogs.size())]), 0);
    }
  }

  void Resize() {
    ++actions_;
    const int kind = Pick(5);
    if (trace_) std::printf("  %d: resize %d\n", actions_, kind);
    switch (kind) {
      case 0:
        PostMessageW(Main(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        break;
      case 1:
        PostMessageW(Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        break;
      case 2:
        PostMessageW(Main(), WM_SYSCOMMAND, SC_RESTORE, 0);
        break;
      default: {
        // Sizes from next to nothing to most of the screen; the move is asynchronous so a hung
        // reader cannot hang the soak.
        const int w = Pick(4) == 0 ? Between(1, 120) : Between(120, 1000);
        const int h = Pick(4) == 0 ? Between(1, 120) : Between(120, 740);
        SetWindowPos(Main(), nullptr, Between(0, 40), Between(0, 40), w, h,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
        break;
      }
    }
  }

  // Answers and uses whatever the reader shows until only the main window is left.
  bool Settle() {
    for (int round = 0; round < 200; ++round) {
      if (!WaitIdle()) return false;
      HWND top = nullptr;
      for (HWND d : ThreadDialogs(reader_.ThreadId()))
        if (IsWindowEnabled(d)) top = d;
      if (!top) return true;
      Handle(top);
    }
    return Fail("dialogs kept opening (action number)");
  }

  void Handle(HWND dialog) {
    switch (KindOf(dialog)) {
      case DialogKind::Search:
        ++dialogs_;
        UseSearch(dialog);
        break;
      case DialogKind::Font:
        ++dialogs_;
        UseFont(dialog);
        break;
      case DialogKind::ChooseSection:
        ++dialogs_;
        UseChooseSection(dialog);
        break;
      case DialogKind::About:
        ++dialogs_;
        Close(dialog, Pick(2) ? IDOK : IDCANCEL);
        break;
      case DialogKind::Bookmark: {
        ++boxes_;
        static constexpr std::array<int, 3> kAnswers = {IDYES, IDNO, IDCANCEL};
        Close(dialog, kAnswers[Pick(kAnswers.size())]);
        break;
      }
      case DialogKind::NotFound:
        ++boxes_;
        Close(dialog, IDOK);
        break;
      case DialogKind::Other: {
        // Every other box of the reader means something went wrong in a sound build.
        const std::wstring text = BoxText(dialog);
        std::printf("unexpected box \"%ls\" (caption \"%ls\") after action %d\n", text.c_str(),
                    Caption(dialog).c_str(), actions_);
        Fail("no unexpected message box");
        Close(dialog, IDOK);
        if (IsWindow(dialog)) Close(dialog, IDCANCEL);
        break;
      }
    }
  }

  void Close(HWND dialog, int button) {
    ++actions_;
    if (trace_) std::printf("  %d: answer %d\n", actions_, button);
    Answer(dialog, button);
    WaitIdle();
  }

  // Does a few things inside a dialog, one at a time, leaving any box it raises to Settle.
  template <typename Action>
  void Use(HWND dialog, int most, Action action) {
    const int n = Between(1, most);
    for (int i = 0; i < n && IsWindow(dialog) && IsWindowEnabled(dialog); ++i) {
      action();
      if (!WaitIdle()) return;
    }
  }

  void UseSearch(HWND dialog) {
    HWND edit = GetDlgItem(dialog, IDC_SEARCH_EDIT);
    static constexpr char kTyped[] = "abcdefghijklmnopqrstuvwxyz,.;'/ ?*";
    Use(dialog, 8, [&] {
      if (Pick(6) == 0) {
        Post(edit, WM_KEYDOWN, VK_BACK, 0);
        Post(edit, WM_CHAR, VK_BACK, 0);
      } else if (Pick(5) == 0) {
        Post(dialog, WM_LBUTTONDOWN, MK_LBUTTON, RandomPoint(dialog));
      } else {
        Post(edit, WM_CHAR, static_cast<WPARAM>(kTyped[Pick(sizeof(kTyped) - 1)]), 0);
      }
    });
    if (!IsWindow(dialog) || !IsWindowEnabled(dialog)) return;
    Close(dialog, Pick(3) ? IDOK : IDCANCEL);
    // Not found: the dialog stays open (a box may be on it first); the next round closes it.
    if (IsWindow(dialog) && IsWindowEnabled(dialog) && Pick(2)) Close(dialog, IDCANCEL);
  }

  void UseFont(HWND dialog) {
    Use(dialog, 6, [&] {
      const int id = Pick(3) == 0 ? IDC_FONT_SIZES : IDC_FONT_FACES;
      HWND list = GetDlgItem(dialog, id);
      if (Pick(4) == 0) {
        const int radio = Pick(2) ? IDC_FONT_BASE_224 : IDC_FONT_BASE_5D0;
        SendMessageW(GetDlgItem(dialog, radio), BM_SETCHECK, BST_CHECKED, 0);
        SendMessageW(
            GetDlgItem(dialog, radio == IDC_FONT_BASE_224 ? IDC_FONT_BASE_5D0 : IDC_FONT_BASE_224),
            BM_SETCHECK, BST_UNCHECKED, 0);
        Post(dialog, WM_COMMAND, MAKEWPARAM(radio, BN_CLICKED),
             reinterpret_cast<LPARAM>(GetDlgItem(dialog, radio)));
        return;
      }
      const auto rows = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
      if (rows > 0) SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(Pick(rows)), 0);
      Post(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    });
    if (IsWindow(dialog) && IsWindowEnabled(dialog)) Close(dialog, Pick(2) ? IDOK : IDCANCEL);
  }

  void UseChooseSection(HWND dialog) {
    static constexpr std::array<int, 6> kKeys = {VK_PRIOR, VK_NEXT, VK_UP,
                                                 VK_DOWN,  VK_HOME, VK_END};
    Use(dialog, 10, [&] {
      const int roll = Pick(10);
      if (roll < 6) {
        Post(dialog, WM_LBUTTONDOWN, MK_LBUTTON, RandomPoint(dialog));
      } else if (roll < 9) {
        Post(dialog, WM_KEYDOWN, static_cast<WPARAM>(kKeys[Pick(kKeys.size())]), 0);
      } else {
        Post(dialog, WM_VSCROLL, MAKEWPARAM(Pick(2) ? SB_LINEDOWN : SB_PAGEDOWN, 0), 0);
      }
    });
    if (IsWindow(dialog) && IsWindowEnabled(dialog)) Close(dialog, Pick(2) ? IDOK : IDCANCEL);
  }

  Reader& reader_;
  std::mt19937 rng_;
  int actions_ = 0;
  int boxes_ = 0;
  int dialogs_ = 0;
  bool failed_ = false;
  // QM_SOAK_TRACE set: every action is printed, to find the one that failed.
  bool trace_ = GetEnvironmentVariableW(L"QM_SOAK_TRACE", nullptr, 0) > 0;
  // QM_SOAK_FOCUS=ID: only that command on the main window (and the dialog it opens), to tell
  // which one moves the GDI count.
  int focus_ = [] {
    wchar_t v[16] = {};
    return GetEnvironmentVariableW(L"QM_SOAK_FOCUS", v, 16) ? _wtoi(v) : 0;
  }();
};

// "Bookmarks" as the reader stores it: whole entries of lessons 1 to 247, each once, then a 0.
bool WellFormedBookmarks(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < 2 || bytes.size() % 2 != 0) return false;
  const std::size_t n = bytes.size() / 2 - 1;
  std::vector<bool> seen(248, false);
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned v = bytes[2 * i] | (bytes[2 * i + 1] << 8);
    if (v < 1 || v > 247 || seen[v]) return false;
    seen[v] = true;
  }
  return bytes[2 * n] == 0 && bytes[2 * n + 1] == 0;
}

// The first dialog of the reader's thread, waited for up to 5 s; null when none showed.
HWND AwaitDialog(const Reader& reader) {
  for (int i = 0; i < 200; ++i) {
    const auto open = ThreadDialogs(reader.ThreadId());
    if (!open.empty()) return open.front();
    Sleep(25);
  }
  return nullptr;
}

void CancelAndAwaitClose(HWND dialog) {
  Answer(dialog, IDCANCEL);
  for (int i = 0; i < 200 && IsWindow(dialog); ++i)
    Sleep(10);
}

// The font dialog's preview laid out again in one size after another, many of them too large for
// the alphabet to fit on one line, in faces without Hebrew, whose letters come from fallback
// fonts: the fonts of the second half may not grow.
void CheckPreviewFonts(Reader& reader) {
  PostMessageW(reader.Window(), WM_COMMAND, IDC_FONT, 0);
  HWND dialog = AwaitDialog(reader);
  if (!Check(dialog != nullptr, "font dialog")) return;
  HWND faces = GetDlgItem(dialog, IDC_FONT_FACES);
  HWND sizes = GetDlgItem(dialog, IDC_FONT_SIZES);
  std::vector<WPARAM> latinRows;
  for (const wchar_t* face : {L"DejaVu Serif", L"DejaVu Sans Mono"}) {
    const LRESULT row = SendMessageW(faces, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(face));
    if (row != LB_ERR) latinRows.push_back(static_cast<WPARAM>(row));
  }
  const auto sizeRows = static_cast<int>(SendMessageW(sizes, LB_GETCOUNT, 0, 0));
  if (!Check(!latinRows.empty() && sizeRows > 0, "faces without Hebrew listed")) return;
  constexpr int kChoices = 30;
  std::optional<GdiCensus> first;
  for (int choice = 0; choice < 2 * kChoices; ++choice) {
    SendMessageW(faces, LB_SETCURSEL,
                 latinRows[static_cast<std::size_t>(choice) % latinRows.size()], 0);
    SendMessageW(sizes, LB_SETCURSEL, static_cast<WPARAM>((choice * 5) % sizeRows), 0);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_FONT_SIZES, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(sizes));
    if (!Check(reader.Responds(), "reader answers")) return;
    if (choice == kChoices - 1) first = reader.GdiObjectsByKind();
  }
  const auto last = reader.GdiObjectsByKind();
  CancelAndAwaitClose(dialog);
  if (!Check(first && last, "GDI objects counted")) return;
  std::printf("font preview: %lu fonts after %d choices, %lu after %d more\n",
              static_cast<unsigned long>(first->byType[kGdiTypeFont]), kChoices,
              static_cast<unsigned long>(last->byType[kGdiTypeFont]), kChoices);
  // The platform still loses a few fallback fonts (up to 3 in 30 choices seen here); without the
  // preview's emptying it lost 5 in 30.
  Check(last->byType[kGdiTypeFont] <= first->byType[kGdiTypeFont] + 4, "fonts of the font preview",
        last->byType[kGdiTypeFont], first->byType[kGdiTypeFont]);
}

}  // namespace

// Each dialog opened and closed many times: the reader holds no more GDI objects after the
// second half of the openings than after the first.
int DialogLeakTest(const std::wstring& exe) {
  DeleteSettings();
  WriteString(L"FontName", L"DejaVu Sans");
  WriteDword(L"Lesson", 5);
  WriteDword(L"Flags", kPinnedDefaultFlags);
  Reader reader;
  if (!Check(reader.Start(exe), "main window shown")) return 1;
  struct Opening {
    UINT message;
    int command;
    const char* name;
  };
  static constexpr Opening kOpenings[] = {{WM_COMMAND, IDC_SEARCH, "search dialog"},
                                          {WM_COMMAND, IDC_ABOUT, "About box"},
                                          {WM_COMMAND, IDC_INDEX, "Choose Section dialog"}};
  // The system's own caches fill during the first openings; a leak keeps growing after that.
  // (The font dialog is checked on its preview, below.)
  constexpr int kRounds = 6;
  for (const Opening& o : kOpenings) {
    std::optional<DWORD> first;
    for (int round = 0; round <= 2 * kRounds; ++round) {
      // Asked for twice before it can show: the dialog's own loop receives the second request,
      // which must not open another dialog over the first.
      PostMessageW(reader.Window(), o.message, static_cast<WPARAM>(o.command), 0);
      PostMessageW(reader.Window(), o.message, static_cast<WPARAM>(o.command), 0);
      HWND dialog = AwaitDialog(reader);
      if (!Check(dialog != nullptr, o.name)) return 1;
      Sleep(150);
      if (!Check(reader.Responds(), "reader answers")) return 1;
      const auto open = ThreadDialogs(reader.ThreadId());
      if (!Check(open.size() == 1u, "one dialog open", static_cast<long long>(open.size()), 1))
        return 1;
      CancelAndAwaitClose(dialog);
      if (!Check(reader.Responds(), "reader answers")) return 1;
      if (round == kRounds) first = reader.GdiObjects();
    }
    const auto last = reader.GdiObjects();
    std::printf("%s: GDI objects %lu after %d openings, %lu after %d more\n", o.name,
                static_cast<unsigned long>(first.value_or(0)), kRounds + 1,
                static_cast<unsigned long>(last.value_or(0)), kRounds);
    if (Check(first && last, "GDI objects counted"))
      Check(*last <= *first + 3, o.name, *last, *first);  // one leak per opening: + 6
  }
  CheckPreviewFonts(reader);
  Check(reader.Close() == 0u, "exit code");
  return Failures() ? 1 : 0;
}

int SoakTest(const std::wstring& exe, int actions, unsigned seed) {
  std::printf("soak: %d actions, seed %u\n", actions, seed);
  std::fflush(stdout);
  DeleteSettings();
  WriteString(L"FontName", L"DejaVu Sans");
  WriteDword(L"Lesson", 5);
  WriteDword(L"Flags", kPinnedDefaultFlags);
  WriteBinary(L"Bookmarks", {9, 0, 5, 0, 0, 0});
  WriteBinary(L"SearchString", {'a', 'b', 0});
  WriteDword(L"Left", 10);
  WriteDword(L"Top", 10);
  WriteDword(L"Width", 640);
  WriteDword(L"Height", 480);
  Reader reader;
  if (!Check(reader.Start(exe), "main window shown")) return 1;
  Soak soak(reader, seed);
  const auto started = std::chrono::steady_clock::now();
  if (!soak.WarmUp()) return 1;
  const auto gdiStart = reader.GdiObjectsByKind();
  Check(gdiStart.has_value(), "GDI objects counted");
  DWORD gdiMost = gdiStart ? gdiStart->total : 0;
  std::optional<GdiCensus> gdiHalf;
  while (soak.actions() < actions && !soak.failed()) {
    if (!soak.Step()) break;
    if (soak.actions() % 10 < 3) {
      if (const auto n = reader.GdiObjects()) gdiMost = std::max(gdiMost, *n);
    }
    if (!gdiHalf && soak.actions() >= actions / 2) gdiHalf = reader.GdiObjectsByKind();
  }
  if (soak.failed()) return 1;
  // Measure as it started: restored and at rest.
  PostMessageW(reader.Window(), WM_SYSCOMMAND, SC_RESTORE, 0);
  reader.Responds();
  const auto gdiEnd = reader.GdiObjectsByKind();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  const auto show = [](const std::optional<GdiCensus>& c) {
    const GdiCensus n = c.value_or(GdiCensus{});
    return std::to_string(n.total) + " (" + std::to_string(n.others) + " own, " +
           std::to_string(n.deviceContexts) + " device contexts; by type " + ByTypeText(n) + ")";
  };
  std::printf(
      "soak: %d actions (%d dialogs, %d boxes answered) in %.1f s; GDI objects %s at start, "
      "%s half way, %s at end, %lu at most\n",
      soak.actions(), soak.dialogs(), soak.boxes(), seconds, show(gdiStart).c_str(),
      show(gdiHalf).c_str(), show(gdiEnd).c_str(), static_cast<unsigned long>(gdiMost));
  std::fflush(stdout);
  if (Check(gdiStart && gdiHalf && gdiEnd, "GDI objects counted throughout")) {
    Check(gdiEnd->others <= gdiStart->others + kOwnObjectsMargin, "own GDI objects stable",
          gdiEnd->others, gdiStart->others);
    Check(gdiEnd->others <= gdiHalf->others + kOwnObjectsSecondHalfMargin,
          "no growth of own GDI objects in the second half", gdiEnd->others, gdiHalf->others);
    Check(gdiEnd->deviceContexts <= gdiStart->deviceContexts + kDcCacheMargin,
          "device contexts bounded", gdiEnd->deviceContexts, gdiStart->deviceContexts);
    Check(gdiEnd->deviceContexts <= gdiHalf->deviceContexts + kDcCacheSecondHalfMargin,
          "no growth of device contexts in the second half", gdiEnd->deviceContexts,
          gdiHalf->deviceContexts);
  }
  const auto code = reader.Close();
  Check(code.has_value() && *code == 0, "exit code after the soak", code.value_or(999), 0);
  const DWORD lesson = ReadDword(L"Lesson").value_or(0);
  Check(lesson >= 1 && lesson <= 247, "stored Lesson in 1..247", lesson, 1);
  const auto marks = ReadBinary(L"Bookmarks");
  Check(marks && WellFormedBookmarks(*marks), "stored Bookmarks well-formed",
        marks ? static_cast<long long>(marks->size()) : -1);
  Check(ReadDword(L"Flags").has_value(), "Flags stored");
  return Failures() ? 1 : 0;
}

}  // namespace qm::gui

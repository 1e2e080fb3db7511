// Helpers of the GUI tests: the reader as a child process, its registry key, windows and dialogs.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qm::gui {

inline constexpr wchar_t kReaderName[] = L"Quillmere - 5770 (yid)";
inline constexpr wchar_t kSettingsKey[] = L"Software\\Tarnwick\\Quillmere - 5770 (yid)";

// Failures are counted and printed; a test passes when none was recorded.
bool Check(bool ok, const char* what, long long got = 0, long long expected = 0);
int Failures();

// A process's GDI objects by kind. Wine keeps the device contexts that windows paint through in
// a cache that grows to the most ever in use at once, and each of them holds a clip region and
// a surface bitmap of its own; `others` leaves those three objects per context out, so it
// counts what the program itself created. Where the system counts only a total
// (GetGuiResources), `deviceContexts` is 0 and `others` is that total.
// Handle table type bytes the tests look at.
inline constexpr std::uint8_t kGdiTypeDc = 0x01;
inline constexpr std::uint8_t kGdiTypeFont = 0x0a;

struct GdiCensus {
  DWORD total = 0;
  DWORD deviceContexts = 0;
  DWORD others = 0;
  // Entries by the handle table's type byte: 0x01 DC, 0x04 region, 0x05 the surface a window's
  // DC draws on, 0x09 bitmap, 0x0a font, 0x10 brush, 0x30 pen.
  std::array<DWORD, 256> byType{};
};

// The counts by type, "01=28 04=24 ...", for the soak's reports.
std::string ByTypeText(const GdiCensus& census);

class Reader {
 public:
  Reader() = default;
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;
  ~Reader();
  // Starts the program and waits until its main window is idle; false when it never appeared.
  bool Start(const std::wstring& exe, int showCommand = SW_SHOWNORMAL);
  // Only creates the process, for tests that watch its start themselves.
  bool Launch(const std::wstring& exe, int showCommand = SW_SHOWNORMAL);
  // The main window once it is shown (null before).
  HWND FindWindowNow();
  HWND Window() const { return window_; }
  // Waits for the process to end; the exit code, or nothing after the timeout.
  std::optional<DWORD> WaitExit(DWORD milliseconds = 10000);
  // WM_CLOSE, then the exit code.
  std::optional<DWORD> Close();
  // Ends the process at once (TerminateProcess) and waits for it to be gone.
  void Kill();
  bool Running() const;
  HANDLE Process() const { return process_.hProcess; }
  DWORD ThreadId() const { return process_.dwThreadId; }
  // The process's GDI objects now (stock objects not counted), or nothing when unreadable.
  std::optional<DWORD> GdiObjects() const;
  // The same objects split into device contexts and everything else (see GdiCensus).
  std::optional<GdiCensus> GdiObjectsByKind() const;
  // True when the reader's GUI thread answered a sent message within the time: it is not hung.
  bool Responds(DWORD milliseconds = 15000) const;

 private:
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

// Presses OK on a "Resource not found" box (caption "Error") when one is shown; true if so.
bool DismissResourceWarning();
// How many of those were pressed away since the process started.
int ResourceWarningsDismissed();

// Polls for a top-level window of the given class (null: any) and caption.
HWND WaitForWindow(const wchar_t* className, const wchar_t* caption, DWORD milliseconds = 5000);
// A dialog (class #32770) owned by `owner`, if one shows within the time.
HWND WaitForOwnedDialog(HWND owner, DWORD milliseconds);
// Presses the dialog's button with that identifier.
void Answer(HWND dialog, int buttonId);
// The visible dialogs and message boxes (class #32770) of a thread, newest first.
std::vector<HWND> ThreadDialogs(DWORD threadId);
// The text of a message box (its static text control), or "" for another window.
std::wstring BoxText(HWND box);
std::wstring Caption(HWND window);

// GDI objects of a process: GetGuiResources where the system counts them, otherwise the live,
// non-stock entries the process's shared GDI handle table holds (found through its PEB).
std::optional<DWORD> CountGdiObjects(HANDLE process);
std::optional<GdiCensus> CountGdiObjectsByKind(HANDLE process);

// Settings key access.
void DeleteSettings();
void WriteDword(const wchar_t* name, DWORD value);
void WriteString(const wchar_t* name, const std::wstring& value);
void WriteBinary(const wchar_t* name, const std::vector<std::uint8_t>& bytes);
std::optional<DWORD> ReadDword(const wchar_t* name);
std::optional<std::vector<std::uint8_t>> ReadBinary(const wchar_t* name);
std::optional<std::wstring> ReadString(const wchar_t* name);
bool SettingsKeyExists();
// Every value of the settings key: name, type and bytes, in the key's order.
struct StoredValue {
  std::wstring name;
  DWORD type = 0;
  std::vector<std::uint8_t> bytes;
  bool operator==(const StoredValue&) const = default;
};
std::vector<StoredValue> ReadAllValues();
// Lines "Name=dword:N" (decimal or 0x hex), "Name=string:TEXT", "Name=binary:HEX"; false on a
// line it cannot read.
bool SeedSettingsFile(const std::wstring& path);

}  // namespace qm::gui

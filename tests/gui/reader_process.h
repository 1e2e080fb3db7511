// Helpers of the GUI tests: the reader as a child process, its registry key, windows and dialogs.
#pragma once

#include <windows.h>

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

class Reader {
 public:
  Reader() = default;
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;
  ~Reader();
  // Starts the program and waits until its main window is idle; false when it never appeared.
  bool Start(const std::wstring& exe, int showCommand = SW_SHOWNORMAL);
  HWND Window() const { return window_; }
  // Waits for the process to end; the exit code, or nothing after the timeout.
  std::optional<DWORD> WaitExit(DWORD milliseconds = 10000);
  // WM_CLOSE, then the exit code.
  std::optional<DWORD> Close();

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

// Settings key access.
void DeleteSettings();
void WriteDword(const wchar_t* name, DWORD value);
void WriteString(const wchar_t* name, const std::wstring& value);
void WriteBinary(const wchar_t* name, const std::vector<std::uint8_t>& bytes);
std::optional<DWORD> ReadDword(const wchar_t* name);
std::optional<std::vector<std::uint8_t>> ReadBinary(const wchar_t* name);
std::optional<std::wstring> ReadString(const wchar_t* name);
bool SettingsKeyExists();
// Lines "Name=dword:N" (decimal or 0x hex), "Name=string:TEXT", "Name=binary:HEX"; false on a
// line it cannot read.
bool SeedSettingsFile(const std::wstring& path);

}  // namespace qm::gui

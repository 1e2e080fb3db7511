// The reader as a child process of the GUI tests, and its registry key.
#include "tests/gui/reader_process.h"

#include <cstdio>
#include <cwchar>
#include <fstream>

namespace qm::gui {

namespace {
int g_failures = 0;
int g_warnings = 0;

HKEY OpenSettings(REGSAM access, bool create) {
  HKEY key = nullptr;
  const LONG r = create ? RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, access,
                                          nullptr, &key, nullptr)
                        : RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, access, &key);
  return r == ERROR_SUCCESS ? key : nullptr;
}

void WriteValue(const wchar_t* name, DWORD type, const void* data, DWORD size) {
  if (HKEY key = OpenSettings(KEY_ALL_ACCESS, true)) {
    RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
  }
}

struct OwnedSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK FindOwned(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<OwnedSearch*>(param);
  wchar_t cls[32] = {};
  GetClassNameW(window, cls, 32);
  if (std::wcscmp(cls, L"#32770") == 0 && GetWindow(window, GW_OWNER) == search->owner &&
      IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

bool Check(bool ok, const char* what, long long got, long long expected) {
  if (!ok) {
    ++g_failures;
    std::printf("FAILED: %s (got %lld, expected %lld)\n", what, got, expected);
    std::fflush(stdout);
  }
  return ok;
}

int Failures() {
  return g_failures;
}

bool DismissResourceWarning() {
  HWND box = FindWindowW(L"#32770", L"Error");
  if (!box) return false;
  ++g_warnings;
  Answer(box, IDOK);
  for (int i = 0; i < 40 && IsWindow(box); ++i)
    Sleep(25);
  return true;
}

int ResourceWarningsDismissed() {
  return g_warnings;
}

Reader::~Reader() {
  if (process_.hProcess) {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
      TerminateProcess(process_.hProcess, 99);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
}

bool Reader::Launch(const std::wstring& exe, int showCommand) {
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = static_cast<WORD>(showCommand);
  std::wstring commandLine = L"\"" + exe + L"\"";
  return CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &si, &process_) != 0;
}

HWND Reader::FindWindowNow() {
  HWND w = FindWindowW(kReaderName, kReaderName);
  if (w && IsWindowVisible(w)) window_ = w;
  return window_;
}

bool Reader::Start(const std::wstring& exe, int showCommand) {
  if (!Launch(exe, showCommand)) return false;
  WaitForInputIdle(process_.hProcess, 10000);
  for (int i = 0; i < 200 && !window_; ++i) {
    DismissResourceWarning();
    if (!FindWindowNow()) Sleep(50);
  }
  if (window_) WaitForInputIdle(process_.hProcess, 5000);
  return window_ != nullptr;
}

std::optional<DWORD> Reader::WaitExit(DWORD milliseconds) {
  if (!process_.hProcess || WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0)
    return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

std::optional<DWORD> Reader::Close() {
  if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
  return WaitExit();
}

void Reader::Kill() {
  if (!process_.hProcess) return;
  TerminateProcess(process_.hProcess, 99);
  WaitForSingleObject(process_.hProcess, 10000);
}

bool Reader::Running() const {
  return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Reader::GdiObjects() const {
  return process_.hProcess ? CountGdiObjects(process_.hProcess) : std::nullopt;
}

std::optional<GdiCensus> Reader::GdiObjectsByKind() const {
  return process_.hProcess ? CountGdiObjectsByKind(process_.hProcess) : std::nullopt;
}

bool Reader::Responds(DWORD milliseconds) const {
  DWORD_PTR result = 0;
  return window_ &&
         SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, milliseconds, &result) != 0;
}

namespace {

BOOL CALLBACK CollectDialog(HWND window, LPARAM param) {
  wchar_t cls[32] = {};
  GetClassNameW(window, cls, 32);
  if (std::wcscmp(cls, L"#32770") == 0 && IsWindowVisible(window))
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
  return TRUE;
}

BOOL CALLBACK FindBoxText(HWND child, LPARAM param) {
  wchar_t cls[32] = {};
  GetClassNameW(child, cls, 32);
  // The message text is the static control with the box's text (the icon is a static too).
  if (_wcsicmp(cls, L"Static") == 0 && GetDlgCtrlID(child) == 0xFFFF) {
    wchar_t text[256] = {};
    GetWindowTextW(child, text, 256);
    if (text[0]) {
      *reinterpret_cast<std::wstring*>(param) = text;
      return FALSE;
    }
  }
  return TRUE;
}

// The handle table's type of a device context.

// Entries of the GDI handle table as the system lays them out for 64-bit processes.
struct GdiHandleEntry {
  std::uint64_t object;
  std::uint16_t processId;
  std::uint16_t count;
  std::uint16_t unique;  // bit 7: stock object
  std::uint8_t type;
  std::uint8_t flags;
  std::uint64_t user;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr std::size_t kGdiHandles = 0x10000;
constexpr std::size_t kPebGdiTableOffset = 0xF8;

struct BasicProcessInfo {
  LONG_PTR exitStatus;
  void* peb;
  ULONG_PTR affinity;
  LONG_PTR priority;
  ULONG_PTR processId;
  ULONG_PTR parentId;
};
using QueryProcess = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);

std::optional<GdiCensus> CensusFromHandleTable(HANDLE process) {
  auto query = reinterpret_cast<QueryProcess>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  BasicProcessInfo info{};
  if (!query || query(process, 0, &info, sizeof(info), nullptr) != 0 || !info.peb)
    return std::nullopt;
  std::uint64_t table = 0;
  SIZE_T got = 0;
  if (!ReadProcessMemory(process, static_cast<const char*>(info.peb) + kPebGdiTableOffset, &table,
                         sizeof(table), &got) ||
      !table)
    return std::nullopt;
  std::vector<GdiHandleEntry> entries(kGdiHandles);
  if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                         entries.size() * sizeof(GdiHandleEntry), &got))
    return std::nullopt;
  const auto pid = static_cast<std::uint16_t>(GetProcessId(process));
  GdiCensus census;
  for (const GdiHandleEntry& e : entries) {
    // A shared table holds every process's entries; one of the process's own holds only those.
    const bool ours = e.processId == pid || e.processId == 0;
    if (e.type == 0 || (e.unique & 0x80) || !ours) continue;
    ++census.total;
    ++census.byType[e.type];
    if (e.type == kGdiTypeDc) ++census.deviceContexts;
  }
  const DWORD withParts = 3 * census.deviceContexts;
  census.others = census.total > withParts ? census.total - withParts : 0;
  return census;
}

}  // namespace

std::vector<HWND> ThreadDialogs(DWORD threadId) {
  std::vector<HWND> found;
  EnumThreadWindows(threadId, CollectDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::wstring BoxText(HWND box) {
  std::wstring text;
  EnumChildWindows(box, FindBoxText, reinterpret_cast<LPARAM>(&text));
  return text;
}

std::wstring Caption(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

std::optional<GdiCensus> CountGdiObjectsByKind(HANDLE process) {
  if (const DWORD n = GetGuiResources(process, GR_GDIOBJECTS)) return GdiCensus{n, 0, n};
  return CensusFromHandleTable(process);
}

std::string ByTypeText(const GdiCensus& census) {
  std::string text;
  for (std::size_t type = 0; type < census.byType.size(); ++type) {
    if (!census.byType[type]) continue;
    char item[24];
    std::snprintf(item, sizeof item, "%s%02zx=%lu", text.empty() ? "" : " ", type,
                  static_cast<unsigned long>(census.byType[type]));
    text += item;
  }
  return text;
}

std::optional<DWORD> CountGdiObjects(HANDLE process) {
  const auto census = CountGdiObjectsByKind(process);
  return census ? std::optional<DWORD>(census->total) : std::nullopt;
}

HWND WaitForWindow(const wchar_t* className, const wchar_t* caption, DWORD milliseconds) {
  for (DWORD waited = 0;; waited += 50) {
    HWND w = FindWindowW(className, caption);
    if (w && IsWindowVisible(w)) return w;
    if (waited >= milliseconds) return nullptr;
    Sleep(50);
  }
}

HWND WaitForOwnedDialog(HWND owner, DWORD milliseconds) {
  for (DWORD waited = 0;; waited += 50) {
    OwnedSearch search{owner, nullptr};
    EnumWindows(FindOwned, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (waited >= milliseconds) return nullptr;
    Sleep(50);
  }
}

void Answer(HWND dialog, int buttonId) {
  HWND button = GetDlgItem(dialog, buttonId);
  if (button) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
  } else {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
  }
}

void DeleteSettings() {
  RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
}

void WriteDword(const wchar_t* name, DWORD value) {
  WriteValue(name, REG_DWORD, &value, sizeof(value));
}

void WriteString(const wchar_t* name, const std::wstring& value) {
  WriteValue(name, REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * 2));
}

void WriteBinary(const wchar_t* name, const std::vector<std::uint8_t>& bytes) {
  WriteValue(name, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
}

std::optional<DWORD> ReadDword(const wchar_t* name) {
  HKEY key = OpenSettings(KEY_READ, false);
  if (!key) return std::nullopt;
  DWORD value = 0, size = sizeof(value), type = 0;
  const LONG r =
      RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  if (r != ERROR_SUCCESS || type != REG_DWORD) return std::nullopt;
  return value;
}

std::optional<std::vector<std::uint8_t>> ReadBinary(const wchar_t* name) {
  HKEY key = OpenSettings(KEY_READ, false);
  if (!key) return std::nullopt;
  DWORD size = 0, type = 0;
  std::optional<std::vector<std::uint8_t>> result;
  if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    std::vector<std::uint8_t> bytes(size);
    if (RegQueryValueExW(key, name, nullptr, &type, bytes.data(), &size) == ERROR_SUCCESS) {
      bytes.resize(size);
      result = bytes;
    }
  }
  RegCloseKey(key);
  return result;
}

std::optional<std::wstring> ReadString(const wchar_t* name) {
  const auto bytes = ReadBinary(name);
  if (!bytes) return std::nullopt;
  std::wstring text(bytes->size() / 2, L'\0');
  for (std::size_t i = 0; i < text.size(); ++i)
    text[i] = static_cast<wchar_t>((*bytes)[2 * i] | ((*bytes)[2 * i + 1] << 8));
  while (!text.empty() && text.back() == L'\0')
    text.pop_back();
  return text;
}

std::vector<StoredValue> ReadAllValues() {
  std::vector<StoredValue> values;
  HKEY key = OpenSettings(KEY_READ, false);
  if (!key) return values;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256] = {};
    DWORD nameLength = 256, type = 0, size = 0;
    if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      break;
    StoredValue v{name, type, std::vector<std::uint8_t>(size)};
    nameLength = 256;
    RegEnumValueW(key, i, name, &nameLength, nullptr, &type, v.bytes.data(), &size);
    v.bytes.resize(size);
    values.push_back(v);
  }
  RegCloseKey(key);
  return values;
}

bool SettingsKeyExists() {
  HKEY key = OpenSettings(KEY_READ, false);
  if (key) RegCloseKey(key);
  return key != nullptr;
}

bool SeedSettingsFile(const std::wstring& path) {
  FILE* f = _wfopen(path.c_str(), L"r");
  if (!f) return false;
  char line[1024];
  bool ok = true;
  while (std::fgets(line, sizeof(line), f)) {
    std::string s(line);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r'))
      s.pop_back();
    if (s.empty() || s[0] == '#') continue;
    const auto eq = s.find('=');
    const auto colon = s.find(':', eq == std::string::npos ? 0 : eq);
    if (eq == std::string::npos || colon == std::string::npos) {
      ok = false;
      continue;
    }
    const std::wstring name(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(eq));
    const std::string type = s.substr(eq + 1, colon - eq - 1);
    const std::string value = s.substr(colon + 1);
    if (type == "dword") {
      WriteDword(name.c_str(), static_cast<DWORD>(std::strtoul(value.c_str(), nullptr, 0)));
    } else if (type == "string") {
      // UTF-8 in the file, UTF-16 in the registry.
      const int n = MultiByteToWideChar(CP_UTF8, 0, value.c_str(), -1, nullptr, 0);
      std::wstring wide(static_cast<std::size_t>(n), L'\0');
      MultiByteToWideChar(CP_UTF8, 0, value.c_str(), -1, wide.data(), n);
      wide.resize(static_cast<std::size_t>(n > 0 ? n - 1 : 0));
      WriteString(name.c_str(), wide);
    } else if (type == "binary") {
      std::vector<std::uint8_t> bytes;
      for (std::size_t i = 0; i + 1 < value.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(value.substr(i, 2), nullptr, 16)));
      WriteBinary(name.c_str(), bytes);
    } else {
      ok = false;
    }
  }
  std::fclose(f);
  return ok;
}

}  // namespace qm::gui

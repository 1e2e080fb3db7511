// The "Choose Font" dialog: lists every typeface the system reports, a fixed size column and
// the font base, and previews the alphabet in the chosen face and size.
#include "fontdlg/font_dialog.h"

#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "fontdlg/font_sizes.h"
#include "fontdlg/preview_alphabet.h"
#include "frame/app_state.h"
#include "frame/dpi.h"
#include "frame/heap.h"
#include "frame/window_dpi_win.h"
#include "resources/resource.h"

namespace qm {

namespace {

constexpr int kBlockEntries = 25;
constexpr BYTE kHebrewCharSet = 177;

// Module-level state of the one open dialog, zero-filled at every opening.
struct FontDialogState {
  FontListEntry* head = nullptr;
  FontListEntry** tail = &head;  // where the next entry is linked
  FontListEntry* nextFree = nullptr;
  HFONT previewFont = nullptr;
  int entriesLeft = 0;
  LOGFONTW preview{};  // lfHeight, lfFaceName and lfCharSet (DEFAULT_CHARSET) are set
  FontSettings* settings = nullptr;
  std::vector<HeapArray<FontListEntry>> blocks;  // owners of the entry blocks
};

FontDialogState g_state;
wchar_t g_previewText[28];

void ResetState() {
  g_state.blocks.clear();
  g_state.head = nullptr;
  g_state.tail = &g_state.head;
  g_state.nextFree = nullptr;
  g_state.previewFont = nullptr;
  g_state.entriesLeft = 0;
  g_state.preview = LOGFONTW{};
  g_state.settings = nullptr;
}

void DeletePreviewFont() {
  if (g_state.previewFont) DeleteObject(g_state.previewFont);
  g_state.previewFont = nullptr;
}

// Wine's multi-line edit control loses one of the fallback fonts it makes for letters the font
// lacks whenever a wrapped line is laid out again in another font; emptied first, it frees them.
// The text is put back as it was, the user's own typing included.
void SetPreviewFont(HWND preview, HFONT font) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(preview)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(preview, text.data(), static_cast<int>(text.size()))));
  SetWindowTextW(preview, L"");
  SendMessageW(preview, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  SetWindowTextW(preview, text.c_str());
}

bool IsChecked(HWND dialog, int id) {
  return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

std::wstring DecimalText(std::int32_t value) {
  return std::to_wstring(value);
}

const FontListEntry* FindFace(const wchar_t* face) {
  for (const FontListEntry* e = g_state.head; e; e = e->next) {
    if (std::wcscmp(e->faceName, face) == 0) return e;
  }
  return nullptr;
}

void FillFaceList(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_FONT_FACES);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const FontListEntry* e = g_state.head; e; e = e->next) {
    // Some systems report a face once per style; one row per name is enough to choose it.
    if (SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(e->faceName)) != LB_ERR) {
      continue;
    }
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e->faceName));
  }
  SendMessageW(list, LB_SELECTSTRING, static_cast<WPARAM>(-1),
               reinterpret_cast<LPARAM>(g_state.settings->FontName));
}

void FillSizeList(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_FONT_SIZES);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (std::int32_t s : SizeListRows(g_state.settings->FontSize)) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(DecimalText(s).c_str()));
  }
  if (g_state.settings->FontSize != 0) {
    SendMessageW(list, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(DecimalText(g_state.settings->FontSize).c_str()));
  }
}

void CheckBaseButton(HWND dialog, std::int32_t base) {
  int id = 0;
  if (base == BaseAsStored) id = IDC_FONT_BASE_97;
  if (base == BaseEightBit) id = IDC_FONT_BASE_224;
  if (base == BaseUnicode) id = IDC_FONT_BASE_5D0;
  if (id) SendDlgItemMessageW(dialog, id, BM_SETCHECK, BST_CHECKED, 0);
}

INT_PTR OnInitDialog(HWND dialog, FontSettings* settings) {
  HWND parent = GetParent(dialog);
  HDC dc = GetDC(parent);
  DeletePreviewFont();
  ResetState();
  g_state.settings = settings;
  // A base of 0 becomes the Unicode base at once; it stays even when the dialog is cancelled.
  if (settings->FontAsciiBase == 0) settings->FontAsciiBase = BaseUnicode;
  ShowAlphabet(dialog, settings->FontAsciiBase);
  CheckBaseButton(dialog, settings->FontAsciiBase);
  if (!g_state.head) EnumFontsW(dc, nullptr, CollectFont, 0);
  ReleaseDC(parent, dc);
  FillFaceList(dialog);
  FillSizeList(dialog);
  SetFocus(GetDlgItem(dialog, IDC_FONT_FACES));
  return 0;
}

// The size list's text read as a decimal number, unit by unit, with no check for digits.
std::int32_t ReadSizeText(HWND list, LRESULT row) {
  wchar_t text[8] = {};
  if (SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0) >= 8) return 0;
  SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
  std::int32_t v = 0;
  for (const wchar_t* u = text; *u; ++u)
    v = 10 * v + (static_cast<std::int32_t>(*u) - 0x30);
  return v;
}

INT_PTR OnCommand(HWND dialog, int id) {
  switch (id) {
    case IDOK:
      ReadChoices(dialog, 1);
      ReleaseFontList();
      EndDialog(dialog, IDOK);
      return 1;
    case IDCANCEL:
      ReleaseFontList();
      EndDialog(dialog, IDCANCEL);
      return 1;
    case IDC_FONT_FACES:
    case IDC_FONT_SIZES:
      ReadChoices(dialog, 2);
      return 0;
    case IDC_FONT_BASE_97:
      ShowAlphabet(dialog, BaseAsStored);
      ReadChoices(dialog, 0);
      return 0;
    case IDC_FONT_BASE_224:
      ShowAlphabet(dialog, BaseEightBit);
      ReadChoices(dialog, 0);
      return 0;
    case IDC_FONT_BASE_5D0:
      ShowAlphabet(dialog, BaseUnicode);
      ReadChoices(dialog, 0);
      return 0;
    default:
      return 0;
  }
}

}  // namespace

const FontListEntry* FontListHead() {
  return g_state.head;
}

int CALLBACK CollectFont(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD, LPARAM) {
  if (g_state.entriesLeft == 0) {
    HeapArray<FontListEntry> block = AllocArray<FontListEntry>(kBlockEntries);
    if (!block) return 0;  // keep the faces collected so far
    for (int i = 0; i < kBlockEntries; ++i)
      block[i] = FontListEntry{};
    block[0].blockStart = 1;
    g_state.nextFree = block.get();
    g_state.entriesLeft = kBlockEntries;
    g_state.blocks.push_back(std::move(block));
  }
  FontListEntry* e = g_state.nextFree++;
  --g_state.entriesLeft;
  static_assert(sizeof(e->faceName) == sizeof(font->lfFaceName));
  std::memcpy(e->faceName, font->lfFaceName, sizeof(e->faceName));
  e->faceName[31] = 0;
  e->charSet = metrics->tmCharSet;
  *g_state.tail = e;
  g_state.tail = &e->next;
  return 1;
}

void ShowAlphabet(HWND dialog, std::int32_t base) {
  const std::u16string letters = PreviewAlphabet(base);
  for (std::size_t i = 0; i < letters.size() && i < 27; ++i)
    g_previewText[i] = static_cast<wchar_t>(letters[i]);
  g_previewText[27] = 0;
  SetDlgItemTextW(dialog, IDC_FONT_PREVIEW, g_previewText);
}

void ReadChoices(HWND dialog, int mode) {
  HWND faces = GetDlgItem(dialog, IDC_FONT_FACES);
  const LRESULT face = SendMessageW(faces, LB_GETCURSEL, 0, 0);
  if (face != LB_ERR &&
      SendMessageW(faces, LB_GETTEXTLEN, static_cast<WPARAM>(face), 0) < LF_FACESIZE) {
    SendMessageW(faces, LB_GETTEXT, static_cast<WPARAM>(face),
                 reinterpret_cast<LPARAM>(g_state.preview.lfFaceName));
  }
  HWND sizes = GetDlgItem(dialog, IDC_FONT_SIZES);
  const LRESULT row = SendMessageW(sizes, LB_GETCURSEL, 0, 0);
  const std::int32_t v = row == LB_ERR ? g_state.preview.lfHeight : ReadSizeText(sizes, row);
  g_state.preview.lfHeight = v;
  DeletePreviewFont();

  const bool hasFace = g_state.preview.lfFaceName[0] != 0;
  if ((mode & 2) && hasFace) {
    const FontListEntry* entry = FindFace(g_state.preview.lfFaceName);
    // A face of the Hebrew character set always brings the Unicode base.
    if (entry && entry->charSet == kHebrewCharSet && !IsChecked(dialog, IDC_FONT_BASE_5D0)) {
      CheckDlgButton(dialog, IDC_FONT_BASE_224, BST_UNCHECKED);
      CheckDlgButton(dialog, IDC_FONT_BASE_97, BST_UNCHECKED);
      CheckDlgButton(dialog, IDC_FONT_BASE_5D0, BST_CHECKED);
      if (!(mode & 1)) ShowAlphabet(dialog, BaseUnicode);
    }
  }
  if (mode & 1) {
    FontSettings* s = g_state.settings;
    if (!s) return;
    if (v != 0) s->FontSize = v;
    if (IsChecked(dialog, IDC_FONT_BASE_224)) {
      s->FontAsciiBase = BaseEightBit;
    } else if (IsChecked(dialog, IDC_FONT_BASE_97)) {
      s->FontAsciiBase = BaseAsStored;
    } else if (IsChecked(dialog, IDC_FONT_BASE_5D0)) {
      s->FontAsciiBase = BaseUnicode;
    }
    if (hasFace) {
      static_assert(sizeof(s->FontName) == sizeof(g_state.preview.lfFaceName));
      std::memcpy(s->FontName, g_state.preview.lfFaceName, sizeof(s->FontName));
      s->FontName[31] = 0;
    }
    return;
  }
  // With the character set left at ANSI_CHARSET (0) the font mapper passes over a face that
  // holds Hebrew but no Western code page and previews another face instead.
  g_state.preview.lfCharSet = DEFAULT_CHARSET;
  // The size is a cell height in pixels at 96 dpi, as large again on a denser monitor.
  LOGFONTW shown = g_state.preview;
  shown.lfHeight = ScaleToDpi(shown.lfHeight, WindowDpi(dialog));
  g_state.previewFont = CreateFontIndirectW(&shown);
  SetPreviewFont(GetDlgItem(dialog, IDC_FONT_PREVIEW), g_state.previewFont);
}

void ReleaseFontList() {
  FontSettings* settings = g_state.settings;
  HFONT preview = g_state.previewFont;
  ResetState();
  // The preview font belongs to the open dialog until it is destroyed; keep the caller's
  // settings pointer for a commit that follows the release.
  g_state.previewFont = preview;
  g_state.settings = settings;
}

INT_PTR CALLBACK FontDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, reinterpret_cast<FontSettings*>(lParam));
    case WM_COMMAND:
      return OnCommand(dialog, LOWORD(wParam));
    case WM_DPICHANGED:
      return FollowDpiChange(dialog, wParam, lParam);
    case kAfterDpiChange:
      ReadChoices(dialog, 0);
      return 1;
    case WM_DESTROY:
      DeletePreviewFont();
      ForgetWindowDpi(dialog);
      return 1;
    default:
      return 0;
  }
}

}  // namespace qm

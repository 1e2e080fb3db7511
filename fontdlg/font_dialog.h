// The "Choose Font" dialog: face, size and the way the font holds Hebrew letters.
#pragma once

#include <windows.h>

#include <cstdint>

namespace qm {

// One enumerated typeface, taken from blocks of 25.
struct FontListEntry {
  FontListEntry* next = nullptr;
  wchar_t faceName[32] = {};
  std::uint8_t charSet = 0;
  std::uint8_t blockStart = 0;
};

// Dialog procedure of dialog 105; the creation parameter is the address of the FontSettings.
INT_PTR CALLBACK FontDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// EnumFontsW callback: appends one face to the list; 0 stops the enumeration.
int CALLBACK CollectFont(const LOGFONTW* font,
                         const TEXTMETRICW* metrics,
                         DWORD type,
                         LPARAM value);

void ShowAlphabet(HWND dialog, std::int32_t base);
// mode 1: commit to the settings; mode 2: a list selection changed.
void ReadChoices(HWND dialog, int mode);
void ReleaseFontList();

// The first entry of the face list (tests).
const FontListEntry* FontListHead();

}  // namespace qm

// The Choose Font dialog under Wine: its face and size lists, the base buttons, the preview and
// what OK and Cancel leave in the settings. Each test runs the real modal dialog and drives it
// from inside its own message loop, one step per posted message.
//   font_dialog_tests [--gtest...] [SHOT.png]   (a picture of the dialog over a Hebrew face)
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "fontdlg/font_dialog.h"
#include "frame/app_state.h"
#include "frame/heap.h"
#include "resources/resource.h"
#include "tests/gui/dialog_steps.h"
#include "tests/gui/window_image.h"

namespace qm {
namespace {

constexpr wchar_t kHebrewFace[] = L"Frank Ruehl CLM";
constexpr wchar_t kOtherHebrewFace[] = L"Ezra SIL";
constexpr wchar_t kLatinFace[] = L"DejaVu Sans";

std::wstring g_shot;

using Step = gui::DialogStep;

INT_PTR RunDialog(FontSettings& settings, std::vector<Step> steps) {
  const gui::DialogRun run = gui::RunDialogSteps(
      IDD_FONT, FontDialog, reinterpret_cast<LPARAM>(&settings), std::move(steps));
  EXPECT_EQ(run.ran, run.steps) << "the dialog ended before its last step";
  EXPECT_EQ(FontListHead(), nullptr) << "the face list outlives the dialog";
  return run.result;
}

FontSettings Settings(const wchar_t* face, std::int32_t size, std::int32_t base) {
  FontSettings s;
  for (std::size_t i = 0; face[i] && i < 31; ++i)
    s.FontName[i] = static_cast<char16_t>(face[i]);
  s.FontSize = size;
  s.FontAsciiBase = base;
  return s;
}

std::wstring Name(const FontSettings& s) {
  return std::wstring(s.FontName, s.FontName + std::char_traits<char16_t>::length(s.FontName));
}

HWND Faces(HWND dialog) {
  return GetDlgItem(dialog, IDC_FONT_FACES);
}
HWND Sizes(HWND dialog) {
  return GetDlgItem(dialog, IDC_FONT_SIZES);
}

std::vector<std::wstring> Rows(HWND list) {
  std::vector<std::wstring> rows;
  const LRESULT n = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)), L'\0');
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    rows.push_back(text);
  }
  return rows;
}

std::wstring Selected(HWND list) {
  const LRESULT row = SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (row == LB_ERR) return L"(none)";
  return Rows(list)[static_cast<std::size_t>(row)];
}

// A mouse click on a list row, as the user gives it: the list notifies the dialog itself.
void ClickRow(HWND list, const wchar_t* text) {
  const LRESULT row = SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(text));
  ASSERT_NE(row, LB_ERR) << "no row " << std::string(text, text + std::wcslen(text));
  SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(row), 0);
  RECT r{};
  SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(list, WM_LBUTTONUP, 0, at);
}

void ClickButton(HWND dialog, int id) {
  SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0);
}

bool Checked(HWND dialog, int id) {
  return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

std::wstring Preview(HWND dialog) {
  wchar_t text[64] = {};
  GetDlgItemTextW(dialog, IDC_FONT_PREVIEW, text, 64);
  return text;
}

std::wstring Alphabet(wchar_t base) {
  std::wstring text;
  for (int i = 26; i >= 0; --i)
    text += static_cast<wchar_t>(base + i);
  return text;
}

LOGFONTW PreviewFont(HWND dialog) {
  LOGFONTW lf{};
  if (HGDIOBJ font = reinterpret_cast<HGDIOBJ>(
          SendDlgItemMessageW(dialog, IDC_FONT_PREVIEW, WM_GETFONT, 0, 0))) {
    GetObjectW(font, sizeof(lf), &lf);
  }
  return lf;
}

// The face the system really took for the preview, as opposed to the one asked for.
std::wstring PreviewFaceTaken(HWND dialog) {
  HWND edit = GetDlgItem(dialog, IDC_FONT_PREVIEW);
  HDC dc = GetDC(edit);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(edit, WM_GETFONT, 0, 0)));
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, face);
  SelectObject(dc, old);
  ReleaseDC(edit, dc);
  return face;
}

int CALLBACK CountFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM value) {
  reinterpret_cast<std::vector<std::wstring>*>(value)->push_back(font->lfFaceName);
  return 1;
}

// The faces the system reports, in its order, independently of the dialog.
std::vector<std::wstring> SystemFaces() {
  std::vector<std::wstring> faces;
  HDC dc = GetDC(nullptr);
  EnumFontsW(dc, nullptr, CountFace, reinterpret_cast<LPARAM>(&faces));
  ReleaseDC(nullptr, dc);
  return faces;
}

std::vector<std::wstring> Distinct(std::vector<std::wstring> names) {
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

TEST(FontDialog, FaceListHoldsEverySystemFaceSortedWithTheStoredOneSelected) {
  std::vector<std::wstring> system = SystemFaces();
  ASSERT_GT(system.size(), 25u) << "the prefix should offer more faces than one block";
  FontSettings settings = Settings(kOtherHebrewFace, 16, BaseUnicode);
  std::vector<std::wstring> rows;
  std::wstring selected, prefixSelected;
  int entries = 0, blockStarts = 0;
  BYTE hebrewCharSet = 0;
  RunDialog(settings, {
                          [&](HWND dialog) {
                            rows = Rows(Faces(dialog));
                            selected = Selected(Faces(dialog));
                            for (const FontListEntry* e = FontListHead(); e; e = e->next) {
                              ++entries;
                              blockStarts += e->blockStart;
                              if (std::wcscmp(e->faceName, kHebrewFace) == 0)
                                hebrewCharSet = e->charSet;
                            }
                            ClickButton(dialog, IDCANCEL);
                          },
                      });
  EXPECT_EQ(selected, kOtherHebrewFace);
  EXPECT_EQ(entries, static_cast<int>(system.size()));
  EXPECT_EQ(blockStarts, (entries + 24) / 25);
  EXPECT_EQ(hebrewCharSet, HEBREW_CHARSET);
  for (std::size_t i = 1; i < rows.size(); ++i)
    EXPECT_LE(lstrcmpiW(rows[i - 1].c_str(), rows[i].c_str()), 0) << "row " << i;
  // One row per face name, though the system may report a face once per style.
  std::sort(rows.begin(), rows.end());
  EXPECT_EQ(rows, Distinct(system));

  // The stored name selects the first face that begins with it, whatever its case.
  settings = Settings(L"frank ruehl", 16, BaseUnicode);
  RunDialog(settings, {[&](HWND dialog) {
              prefixSelected = Selected(Faces(dialog));
              ClickButton(dialog, IDCANCEL);
            }});
  EXPECT_EQ(prefixSelected, kHebrewFace);
}

TEST(FontDialog, SizeListSlotsTheStoredSize) {
  using Texts = std::vector<std::wstring>;
  const Texts column = {L"10", L"11", L"12", L"14", L"16", L"18", L"20",
                        L"22", L"24", L"26", L"28", L"32", L"52", L"72"};
  auto with = [&](std::size_t at, const wchar_t* row) {
    Texts rows = column;
    rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(at), row);
    return rows;
  };
  struct Case {
    std::int32_t stored;
    Texts rows;
    std::wstring selected;
  };
  const Case cases[] = {{0, column, L"(none)"},      {9, with(0, L"9"), L"9"},
                        {13, with(3, L"13"), L"13"}, {100, column, L"(none)"},
                        {52, column, L"52"},         {40, with(12, L"40"), L"40"}};
  for (const Case& c : cases) {
    FontSettings settings = Settings(kLatinFace, c.stored, BaseUnicode);
    std::vector<std::wstring> rows;
    std::wstring selected;
    RunDialog(settings, {[&](HWND dialog) {
                rows = Rows(Sizes(dialog));
                selected = Selected(Sizes(dialog));
                ClickButton(dialog, IDOK);
              }});
    EXPECT_EQ(rows, c.rows) << c.stored;
    EXPECT_EQ(selected, c.selected) << c.stored;
    // OK without a click keeps the stored size, 0 included.
    EXPECT_EQ(settings.FontSize, c.stored);
  }
}

TEST(FontDialog, HebrewFaceBringsTheUnicodeBaseAndPreview) {
  FontSettings settings = Settings(kLatinFace, 20, BaseEightBit);
  bool startsAt224 = false, latinKeeps224 = false, switched = false, other224 = true;
  std::wstring startText, switchedText, taken;
  LOGFONTW preview{};
  const INT_PTR result = RunDialog(
      settings, {
                    [&](HWND dialog) {
                      startsAt224 = Checked(dialog, IDC_FONT_BASE_224);
                      startText = Preview(dialog);
                      ClickRow(Faces(dialog), L"DejaVu Serif");
                      latinKeeps224 = Checked(dialog, IDC_FONT_BASE_224);
                    },
                    [&](HWND dialog) {
                      ClickRow(Faces(dialog), kHebrewFace);
                      switched = Checked(dialog, IDC_FONT_BASE_5D0);
                      other224 = Checked(dialog, IDC_FONT_BASE_224);
                      switchedText = Preview(dialog);
                      preview = PreviewFont(dialog);
                      taken = PreviewFaceTaken(dialog);
                      if (!g_shot.empty()) {
                        RedrawWindow(dialog, nullptr, nullptr,
                                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                        gui::SaveImage(gui::CaptureWindow(dialog), g_shot);
                      }
                    },
                    [&](HWND dialog) { ClickButton(dialog, IDCANCEL); },
                });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_TRUE(startsAt224);
  EXPECT_EQ(startText, Alphabet(0xE0));
  EXPECT_TRUE(latinKeeps224) << "a face of another character set keeps the base";
  EXPECT_TRUE(switched);
  EXPECT_FALSE(other224);
  EXPECT_EQ(switchedText, Alphabet(0x5D0));
  EXPECT_STREQ(preview.lfFaceName, kHebrewFace);
  EXPECT_EQ(preview.lfHeight, 20) << "the size is taken as a cell height in pixels";
  EXPECT_EQ(taken, kHebrewFace) << "a face without Western letters is still the one shown";
  // Cancel keeps every setting, the base switched in the dialog included.
  EXPECT_EQ(Name(settings), kLatinFace);
  EXPECT_EQ(settings.FontAsciiBase, BaseEightBit);
  EXPECT_EQ(settings.FontSize, 20);
}

TEST(FontDialog, EightBitButtonShowsItsAlphabetAndOkStoresIt) {
  FontSettings settings = Settings(kHebrewFace, 16, BaseUnicode);
  std::wstring text;
  LOGFONTW preview{};
  const INT_PTR result = RunDialog(settings, {
                                                 [&](HWND dialog) {
                                                   ClickButton(dialog, IDC_FONT_BASE_224);
                                                   text = Preview(dialog);
                                                   preview = PreviewFont(dialog);
                                                 },
                                                 [&](HWND dialog) { ClickButton(dialog, IDOK); },
                                             });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(text, Alphabet(0xE0));
  EXPECT_EQ(text.front(), L'\xFA');
  EXPECT_EQ(text.back(), L'\xE0');
  EXPECT_STREQ(preview.lfFaceName, kHebrewFace) << "the preview follows the selected face";
  EXPECT_EQ(settings.FontAsciiBase, BaseEightBit);
  EXPECT_EQ(Name(settings), kHebrewFace);
  EXPECT_EQ(settings.FontSize, 16);
}

// Where the platform shows Hebrew right to left itself, the preview holds the alphabet in
// reading order and looks exactly as DrawTextW draws it, alef at the right.
TEST(FontDialog, PreviewReadsRightToLeftWhereThePlatformReorders) {
  g_app.Bidi = PlatformBidi::Reorders;
  FontSettings settings = Settings(kHebrewFace, 10, BaseUnicode);
  const std::wstring visual = Alphabet(0x5D0), reading(visual.rbegin(), visual.rend());
  std::wstring text;
  gui::Image shown, drawn;
  RunDialog(settings, {[&](HWND dialog) {
                         text = Preview(dialog);
                         HWND edit = GetDlgItem(dialog, IDC_FONT_PREVIEW);
                         RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                         shown = gui::CaptureClient(edit);
                         RECT all{}, r{};
                         GetClientRect(edit, &all);
                         SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
                         HDC dc = GetDC(edit);
                         const auto font = SendMessageW(edit, WM_GETFONT, 0, 0);
                         HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(font));
                         FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
                         DrawTextW(dc, reading.c_str(), -1, &r, DT_RIGHT | DT_SINGLELINE);
                         SelectObject(dc, old);
                         ReleaseDC(edit, dc);
                         drawn = gui::CaptureClient(edit);
                       },
                       [&](HWND dialog) { ClickButton(dialog, IDCANCEL); }});
  g_app.Bidi = PlatformBidi::AsGiven;
  EXPECT_EQ(text, reading);
  EXPECT_TRUE(shown.pixels == drawn.pixels);
}

BYTE CharSetOf(const wchar_t* face) {
  for (const FontListEntry* e = FontListHead(); e; e = e->next)
    if (std::wcscmp(e->faceName, face) == 0) return e->charSet;
  return 0xFF;
}

TEST(FontDialog, OkStoresTheClickedFaceAndSize) {
  FontSettings settings = Settings(kLatinFace, 0, BaseEightBit);
  LOGFONTW preview{};
  BYTE charSet = 0;
  const INT_PTR result = RunDialog(settings, {
                                                 [&](HWND dialog) {
                                                   charSet = CharSetOf(kOtherHebrewFace);
                                                   ClickRow(Faces(dialog), kOtherHebrewFace);
                                                   ClickRow(Sizes(dialog), L"24");
                                                   preview = PreviewFont(dialog);
                                                 },
                                                 [&](HWND dialog) { ClickButton(dialog, IDOK); },
                                             });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(Name(settings), kOtherHebrewFace);
  EXPECT_EQ(settings.FontSize, 24);
  // The system may report this face under another character set than Hebrew; only a Hebrew
  // one switches the base.
  EXPECT_EQ(settings.FontAsciiBase, charSet == HEBREW_CHARSET ? BaseUnicode : BaseEightBit)
      << int{charSet};
  EXPECT_STREQ(preview.lfFaceName, kOtherHebrewFace);
  EXPECT_EQ(preview.lfHeight, 24);
}

TEST(FontDialog, WhatOpeningWritesAndWhatOkLeavesAlone) {
  // A base of 0 becomes 0x5D0 at opening, and Cancel keeps it.
  FontSettings first = Settings(L"", 0, 0);
  bool checked5D0 = false;
  EXPECT_EQ(RunDialog(first, {[&](HWND dialog) {
                        checked5D0 = Checked(dialog, IDC_FONT_BASE_5D0);
                        ClickButton(dialog, IDCANCEL);
                      }}),
            IDCANCEL);
  EXPECT_TRUE(checked5D0);
  EXPECT_EQ(first.FontAsciiBase, BaseUnicode);
  EXPECT_EQ(Name(first), L"");
  EXPECT_EQ(first.FontSize, 0);

  // A stored base of 97 checks no button and OK keeps it; a name that matches no face leaves
  // the face list without a selection and OK keeps the name.
  FontSettings stored = Settings(L"No Such Face At All", 0, BaseAsStored);
  bool anyChecked = true;
  std::wstring face;
  EXPECT_EQ(RunDialog(stored, {[&](HWND dialog) {
                        anyChecked = Checked(dialog, IDC_FONT_BASE_224) ||
                                     Checked(dialog, IDC_FONT_BASE_5D0);
                        face = Selected(Faces(dialog));
                        ClickButton(dialog, IDOK);
                      }}),
            IDOK);
  EXPECT_FALSE(anyChecked);
  EXPECT_EQ(face, L"(none)");
  EXPECT_EQ(stored.FontAsciiBase, BaseAsStored);
  EXPECT_EQ(Name(stored), L"No Such Face At All");
  EXPECT_EQ(stored.FontSize, 0);

  // Escape and the close box cancel too.
  FontSettings escaped = Settings(kLatinFace, 12, BaseEightBit);
  EXPECT_EQ(RunDialog(escaped, {[&](HWND dialog) {
                        ClickButton(dialog, IDC_FONT_BASE_5D0);
                        PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
                      }}),
            IDCANCEL);
  EXPECT_EQ(escaped.FontAsciiBase, BaseEightBit);
}

TEST(FontDialog, PreviewFontsAreDeletedAndTheListReleased) {
  FontSettings settings = Settings(kLatinFace, 16, BaseUnicode);
  HGDIOBJ replaced = nullptr, last = nullptr;
  RunDialog(settings, {[&](HWND dialog) {
              ClickRow(Sizes(dialog), L"18");
              replaced = reinterpret_cast<HGDIOBJ>(
                  SendDlgItemMessageW(dialog, IDC_FONT_PREVIEW, WM_GETFONT, 0, 0));
              ClickRow(Sizes(dialog), L"32");
              last = reinterpret_cast<HGDIOBJ>(
                  SendDlgItemMessageW(dialog, IDC_FONT_PREVIEW, WM_GETFONT, 0, 0));
              EXPECT_EQ(GetObjectType(replaced), 0u) << "a replaced preview font is deleted";
              EXPECT_EQ(GetObjectType(last), static_cast<DWORD>(OBJ_FONT));
              ClickButton(dialog, IDCANCEL);
            }});
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(GetObjectType(last), 0u) << "the last preview font outlives the dialog";
  EXPECT_EQ(settings.FontSize, 16);
}

// The preview is an edit box the user may type in; a new face or size keeps what was typed.
TEST(FontDialog, NewPreviewFontKeepsTheTypedText) {
  FontSettings settings = Settings(kHebrewFace, 16, BaseUnicode);
  std::wstring afterSize, afterFace;
  RunDialog(settings, {[&](HWND dialog) {
              SetDlgItemTextW(dialog, IDC_FONT_PREVIEW, L"\x05E9\x05DC\x05D5\x05DD typed");
              ClickRow(Sizes(dialog), L"32");
              afterSize = Preview(dialog);
              ClickRow(Faces(dialog), kOtherHebrewFace);
              afterFace = Preview(dialog);
              ClickButton(dialog, IDCANCEL);
            }});
  EXPECT_EQ(afterSize, L"\x05E9\x05DC\x05D5\x05DD typed");
  EXPECT_EQ(afterFace, L"\x05E9\x05DC\x05D5\x05DD typed");
}

// A failed block allocation ends the enumeration: the dialog lists the faces of the first block.
TEST(FontDialog, FailedBlockShowsTheFacesCollectedSoFar) {
  static int blocks = 0;
  blocks = 0;
  SetAllocGate(
      [](std::size_t bytes) { return bytes != 25 * sizeof(FontListEntry) || ++blocks < 2; });
  FontSettings settings = Settings(kLatinFace, 16, BaseUnicode);
  LRESULT rows = 0;
  RunDialog(settings, {[&](HWND dialog) {
              rows = SendMessageW(Faces(dialog), LB_GETCOUNT, 0, 0);
              ClickButton(dialog, IDCANCEL);
            }});
  SetAllocGate(nullptr);
  EXPECT_EQ(blocks, 2);
  const std::vector<std::wstring> system = SystemFaces();
  ASSERT_GT(system.size(), 25u);
  const std::vector<std::wstring> firstBlock(system.begin(), system.begin() + 25);
  EXPECT_EQ(rows, static_cast<LRESULT>(Distinct(firstBlock).size()));
}

}  // namespace
}  // namespace qm

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc > 1) qm::g_shot = std::wstring(argv[1], argv[1] + std::strlen(argv[1]));
  return RUN_ALL_TESTS();
}

// Identifiers shared by the resource scripts and the code: resources, commands, controls.
// Plain #defines so that the resource compiler can read this file too.
#pragma once

// Resources.
#define IDI_APP 101
#define IDM_MAIN 102
#define IDD_ABOUT 103
#define IDD_FONT 105
#define IDB_ABOUT 113
#define IDB_TOOLBAR 114
#define IDD_SEARCH 115
#define IDD_CHOOSE_SECTION 118
#define IDB_KEYBOARD 119
#define IDB_MARK_COLLAPSED 201
#define IDB_MARK_EXPANDED 202
#define IDB_MARK_LESSON 203
#define IDA_MAIN 3
#define IDD_HIT_LIST 400
#define IDD_DATE 401

// The same pictures drawn for larger DPIs (frame/dpi.h): the toolbar strip with 24 and 32 pixel
// images, the marks at 11, 14 and 18 pixels, the alphabet and About pictures for 120, 144 and
// 192 dpi.
#define IDB_TOOLBAR_24 300
#define IDB_TOOLBAR_32 301
#define IDB_MARK_COLLAPSED_11 310
#define IDB_MARK_EXPANDED_11 311
#define IDB_MARK_LESSON_11 312
#define IDB_MARK_COLLAPSED_14 313
#define IDB_MARK_EXPANDED_14 314
#define IDB_MARK_LESSON_14 315
#define IDB_MARK_COLLAPSED_18 316
#define IDB_MARK_EXPANDED_18 317
#define IDB_MARK_LESSON_18 318
#define IDB_KEYBOARD_120 320
#define IDB_KEYBOARD_144 321
#define IDB_KEYBOARD_192 322
#define IDB_ABOUT_120 330
#define IDB_ABOUT_144 331
#define IDB_ABOUT_192 332

// Commands (WM_COMMAND identifiers).
#define IDC_QUIT_KEY 1
#define IDC_CHOOSE_ARTICLE 107
#define IDC_TODAY 108
#define IDC_NEXT 109
#define IDC_PREVIOUS 110
#define IDC_SEARCH 116
#define IDC_SEARCH_AGAIN 117
#define IDC_INDEX 119
#define IDC_REVERSE 122
#define IDC_BOOKMARK 123
#define IDC_CHECK_UPDATES 129
#define IDC_ABOUT 40004
#define IDC_EXIT 40005
#define IDC_FONT 40006
#define IDC_COPY 40010
#define IDC_COPY_WITHOUT_POINTS 40011
#define IDC_SELECT_LESSON 40012
#define IDC_ZOOM_IN 40013
#define IDC_ZOOM_OUT 40014
#define IDC_ZOOM_ORIGINAL 40015
#define IDC_GO_DATE 40016

// Controls.
#define IDC_SEARCH_EDIT 1013
#define IDC_SEARCH_PICTURE 1014
#define IDC_FONT_FACES 1001
#define IDC_FONT_PREVIEW 1002
#define IDC_FONT_BASE_97 1003
#define IDC_FONT_BASE_224 1004
#define IDC_FONT_BASE_5D0 1005
#define IDC_FONT_SIZES 1006
#define IDC_ABOUT_LINK 1025
#define IDC_ABOUT_PICTURE 1026
#define IDC_SEARCH_LIST_ALL 1030
#define IDC_HIT_LIST 1031
#define IDC_DATE_PICKER 1032
#define IDC_DATE_HEBREW 1033
#define IDC_DATE_LESSON 1034
#define IDC_DATE_TITLE 1035

// Record resources: lesson n is RCDATA n + 1000, the index RCDATA 32767.
#define IDR_RECORD_BASE 1000
#define IDR_INDEX 32767

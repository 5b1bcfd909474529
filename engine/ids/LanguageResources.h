// Resource numbers of the language module that every module takes from it: strings, icons,
// cursors and the numbers of its dialog templates.
#pragma once

// Strings. The menu's texts are numbered by their command numbers (DaylensIds.h); 801-805 are submenu texts.
#include "DaylensIds.h"
#define IDS_LANGUAGE              500
#define IDS_SUBMENU_TOOLS         801
#define IDS_SUBMENU_PLUGIN        802
#define IDS_SUBMENU_OPTIONS       803
#define IDS_SUBMENU_POWER         804
#define IDS_SUBMENU_LAUNCHER      805

// Icons.
#define IDI_PROGRAM               10
#define IDI_PROGRAM_SMALL         11
#define IDI_PROGRAM_A             12
#define IDI_PROGRAM_B             13
#define IDI_SPARE                 114

// Cursors, in the order the main program loads them: 51-54, then 58, 56, 57, 55.
#define IDC_CURSOR_NORMAL         51
#define IDC_CURSOR_COPY           52
#define IDC_CURSOR_MOVE           53
#define IDC_CURSOR_WAIT           54
#define IDC_CURSOR_HAND           55
#define IDC_CURSOR_NODROP         56
#define IDC_CURSOR_SIZEALL        57
#define IDC_CURSOR_PIN            58

// Dialog templates of the engine and of the memo windows. The version dialog
// (100) belongs to the common library, which numbers its controls; the
// settings dialog (130-144) numbers its own (SettingsDialogIds.h). Buttons 1,
// 2 and 9 of every dialog are IDOK, IDCANCEL and IDHELP.
#include "VersionDialogIds.h"
#define IDD_HOLIDAY               111
#define IDD_MARK                  112
#define IDD_MARK_EX               113
#define IDD_DAYMEMO               114
#define IDD_REPEATMEMO            115
#define IDD_PERIODMEMO            116
#define IDD_REPEATCOPY            117
#define IDD_MEMORIAL              118
#define IDD_PLUGIN                119
#define IDD_NETDATA               120
#define IDD_MEMOSET               160
#define IDD_MEMOSET_GENERAL       161
#define IDD_MEMOSET_POPUP         162
#define IDD_MEMOSET_MARK          163
#define IDD_MEMOSET_SEARCH        164
#define IDD_MEMOSET_IMPEX         165
#define IDD_REPEATMEMO_DETAIL     179


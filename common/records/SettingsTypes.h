// Style, mark and day-cell blocks kept in the settings record and handed between
// modules. Their sizes are fixed: plug-ins, the language module and stored files
// rely on them.
#pragma once

#include <windows.h>

// Day cells and tooltip tools of one calendar pass (a year of months and headings at most).
#define DAY_CELL_MAX 4384
#define TOOL_ID_MAX 4384

#define USER_MARK_NAME_SIZE 64
// Name of a user mark that has none of its own, by its number from 1 ("ユーザ 1").
#define USER_MARK_DEFAULT_NAME "ユーザ%2d"
#define MARK_DLG_NAME_SIZE 1024
// Number of user marks a record may hold.
#define USER_STYLE_MIN 10
#define USER_STYLE_LIMIT 99
// Mark kinds from this value on name the user marks, in the order of the array.
#define MARK_KIND_USER_BASE 50

// Mark kinds of a FontStyle (MarkType); from MARK_KIND_USER_BASE on they name the user marks.
enum MarkKind {
    MARK_NONE = 0,
    MARK_OUTLINE_1 = 1,
    MARK_OUTLINE_3 = 3,
    MARK_CIRCLE = 4,
    MARK_CIRCLE_FRAME = 5,
    MARK_DIAMOND = 6,
    MARK_DIAMOND_FRAME = 7,
    MARK_SQUARE = 8,
    MARK_SQUARE_FRAME = 9,
    MARK_TRIANGLE = 10,
    MARK_TRIANGLE_FRAME = 11,
    MARK_TRIANGLE_DOWN = 12,
    MARK_TRIANGLE_DOWN_FRAME = 13,
    MARK_OCTAGON = 14,
    MARK_OCTAGON_FRAME = 15,
    MARK_UNDERLINE = 16,
    MARK_DOUBLE_UNDERLINE = 17,
    MARK_CROSS = 18,
    MARK_CHECK = 19,
    MARK_KIND_COUNT = 20
};

#define MARK_ORDER_COUNT 10
// Mark kinds in a priority list; a 0 ends the list.
enum MarkOrderKind {
    MARK_ORDER_END = 0,
    MARK_ORDER_WEEKDAY = 1,
    MARK_ORDER_HOLIDAY = 2,
    MARK_ORDER_TODAY = 3,
    MARK_ORDER_MEMORIAL = 4,
    MARK_ORDER_MY_HOLIDAY = 5,
    MARK_ORDER_REPEAT_MEMO = 6,
    MARK_ORDER_DAY_MEMO = 7
};

// Display types (DisplayType); any other value lays out as a grid.
#define DISPLAY_TYPE_GRID 0
#define DISPLAY_TYPE_LINE 1
#define DISPLAY_TYPE_COLUMN 2
// How the grid's months follow each other (DisplayOrder); any other value goes down then right.
#define DISPLAY_ORDER_DOWN 0
#define DISPLAY_ORDER_ACROSS 1
#define DISPLAY_ORDER_DOWN_FROM_RIGHT 2
#define DISPLAY_ORDER_ACROSS_FROM_RIGHT 3
// Heights of grid blocks (DisplayHeight): each its own, all of the highest, or all of six week rows (any other
// value: each its own).
#define DISPLAY_HEIGHT_OWN 0
#define DISPLAY_HEIGHT_HIGHEST 1
#define DISPLAY_HEIGHT_SIX_WEEKS 2
// Where the weekday text stands (WeekPos): above the dates of the line type, before the dates of the column type.
#define WEEK_POS_ABOVE 0
#define WEEK_POS_BEFORE_DATE 3
// The six spacings of the layout (EachMonthSpace, YMSpace, MonthHeight, WeekHeight, DayWidth, DayHeight) go from 0
// to this many pixels, as the settings dialog offers them; a file's value beyond that is held to it.
#define LAYOUT_SPACE_MAX 200
// The four margins of the calendar window (MarginLeft, MarginTop, MarginRight, MarginBottom) go from 0 to this many
// pixels, as the settings dialog offers them; a file's value beyond that is held to it.
#define WINDOW_MARGIN_MAX 100

// Indexes of the record's cursor table; the last four come from the language module.
enum CursorIndex { CURSOR_NORMAL = 0, CURSOR_COPY = 1, CURSOR_MOVE = 2, CURSOR_WAIT = 3, CURSOR_COUNT = 8 };

#define YM_LINK_STRING_SIZE 21
#define BACK_IMAGE_SIZE 1024
#define HOT_SPOT_COUNT 8
#define CUSTOM_COLOR_COUNT 16
#define PLUGIN_SLOT_COUNT 32
#define PLUGIN_MENU_ITEM_COUNT 256

// Shadow directions; anything else draws no shadow.
#define SHADOW_UP_RIGHT 2
#define SHADOW_DOWN_RIGHT 4
#define SHADOW_DOWN_LEFT 6
#define SHADOW_UP_LEFT 8
#define SHADOW_OUTLINE 255
// The widest text shadow the style dialogs offer; a wider one read from a file is held to it, as it would cover the
// calendar.
#define SHADOW_WIDTH_MAX 99

// The style of one text or mark.
struct FontStyle {
    COLORREF MarkColor;
    BYTE MarkType;         // mark kind: 0 none, 1-3 outlines, 4-19 shapes, MARK_KIND_USER_BASE on user marks
    LOGFONTA Font;
    int NoUseStrColor;     // 1: the text keeps its normal colour
    COLORREF StrColor;
    COLORREF ShadowColor;
    BYTE ShadowWidth;
    BYTE ShadowDirection;  // SHADOW_*
    int Gradation;
};
static_assert(sizeof(FontStyle) == 88, "FontStyle is shared between modules");

// One user-defined mark.
struct UserMark {
    char Name[USER_MARK_NAME_SIZE];
    FontStyle Style;
};
static_assert(sizeof(UserMark) == 152, "UserMark is shared between modules");

// The block the mark dialog edits; the flags say what the caller lets the user change.
struct MarkDlgData {
    FontStyle Style;
    char Name[MARK_DLG_NAME_SIZE];  // what the style is for; empty shows a general title
    int EditPlainColor;
    int EditMark;
    int EditFont;
};
static_assert(sizeof(MarkDlgData) == 1124, "MarkDlgData is shared between modules");
// Forms of the mark dialog (the language module's SetMarkDlg): the plain one, and the one that offers the user marks.
#define MARK_DIALOG_PLAIN 0
#define MARK_DIALOG_USER_MARKS 1

// Window placement (EnvData::WindowOrder): 0 normal, 1 always on top, 2 always at the bottom.
#define WINDOW_ORDER_TOPMOST 1
#define WINDOW_ORDER_BOTTOM 2

// Transparency kinds (TransparencySettings::TransMode).
#define TRANS_MODE_KEY_AND_ALPHA 0
#define TRANS_MODE_PSEUDO 1
#define TRANS_MODE_ALPHA 2
#define TRANS_MODE_OPAQUE 3
#define TRANS_MODE_COUNT 4
// Fade modes (TransparencySettings::TransparentAlphaMode): mode 0 uses no fade time, mode 2 neither alpha nor time.
#define TRANS_FADE_COUNT 5
#define TRANS_FADE_NO_TIME 0
#define TRANS_FADE_OFF 2
#define TRANS_ALPHA_MAX 255
#define TRANS_TIME_MAX 30

// Transparency of the calendar window.
struct TransparencySettings {
    BYTE Alpha;                 // run time: the alpha applied now
    COLORREF KeyColor;          // run time: the colour key
    BYTE TransMode;             // 0 colour key and alpha, 1 pseudo-transparent, 2 alpha only, 3 not layered
    BYTE TransparentAlphaMode;  // fade mode 0-4
    BYTE TransparentAlpha;
    int TransparentAlphaTime;   // fade return time in seconds, 0-30
};
static_assert(sizeof(TransparencySettings) == 16, "TransparencySettings is part of the shared record");

// One visible day (day 0: a month heading) and its rectangle in the calendar window.
struct DayCell {
    int Year;
    int Month;
    int Day;
    RECT Rect;
};
static_assert(sizeof(DayCell) == 28, "DayCell tables are shared between modules");

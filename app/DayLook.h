// How one day of the calendar looks: the colours of its number, its marks (style and box, in mark order) and its
// tooltip text, decided by the first MarkOrder entries from what is known of the day; and where its number, marks
// and cell stand. Plain data in and out: nothing is looked up, measured or drawn here.
#pragma once

#include <windows.h>

#include "Holiday.h"
#include "SettingsTypes.h"

class EnvData;

// Mark order entries that are read, and so the most marks one day can have.
#define DAY_LOOK_ORDER_COUNT 8
// Bytes of a day's tooltip text, the terminator included.
#define DAY_TIP_SIZE 1024

// What is known of one day, gathered from the day lists before its look is decided. A null text means none.
struct DayFacts {
    int Year;
    int Month;
    int Day;
    int OtherMonth;              // 1 for a day of a neighbouring month
    int IsToday;
    int IsHoliday;               // listed or derived (substitute, citizens' holiday)
    int IsListedHoliday;         // listed in the national holiday file: only these carry the holiday mark
    char HolidayName[HOLIDAY_NAME_SIZE];
    int IsMyHoliday;
    char MyHolidayName[HOLIDAY_NAME_SIZE];
    const char* RepeatMemoText;  // "[定例]" and the repeating memos on the date
    FontStyle RepeatMemoStyle;
    int MemoMarksOn;             // the memo settings show memo marks
    int MemoTipOn;               // the memo settings show the memo text in the day's tooltip
    const char* MemorialText;    // the memorial days on the date, each with its age when the settings ask for it
    FontStyle MemorialStyle;
    int MemorialTipOn;           // the memorial settings show the names in the day's tooltip
    const char* DayMemoText;     // the day's own memo
    FontStyle DayMemoStyle;
    int DayMemoHour;             // the memo's time; outside 0-23 and 0-59 none
    int DayMemoMinute;
};

struct DayLook {
    COLORREF TextColor;
    COLORREF ShadowColor;
    int ShadowWidth;
    int ShadowDirection;
    int Gradation;
    int MarkCount;
    FontStyle MarkStyles[DAY_LOOK_ORDER_COUNT];  // drawn in this order, later ones over earlier ones
    RECT MarkBoxes[DAY_LOOK_ORDER_COUNT];
    char Tip[DAY_TIP_SIZE];                      // "" unless asked for
};

// The look of the day of facts: each applicable entry of the mark order adds a mark in markBox and a tooltip line
// (withTip 1), and the last one that colours the text wins.
void DecideDayLook(const EnvData& env, const DayFacts& facts, const RECT& markBox, int withTip, DayLook* look);

// Places of a day whose column is centred at x, from extents in the day font of the widest number "30" (digits)
// and of the day's own number (text): the left of the number and the box of its marks.
int DayNumberLeft(const EnvData& env, int x, SIZE digits, SIZE text);
RECT DayMarkBox(const EnvData& env, int x, int y, SIZE digits);
// The cell of the day's hit test and tooltip, from the box its number of extent text and the number's shadow cover
// as drawn (right and bottom outside).
RECT DayCellRect(const EnvData& env, const RECT& drawn, SIZE text);

// The style whose colours a day memo's text takes: the user mark its kind names, when that mark exists, else the
// memo's own style (also for a kind beyond the record's user marks).
const FontStyle* MemoTextStyle(const EnvData* env, const FontStyle* own);

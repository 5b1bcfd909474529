// Rules of the day-memo window apart from its window: where its controls stand for a client size and font size, how
// the step buttons move the shown date, which question closing or leaving a changed memo asks, and how the mark
// list maps to a memo's mark kind.
#pragma once

#include <windows.h>

#include <stddef.h>

// The date step buttons and their labels, right to left as they stand in the window.
#define DAY_MEMO_STEP_CONTROLS 12

// A control's place and size in client coordinates.
struct DayMemoBox {
    int X;
    int Y;
    int Width;
    int Height;
};

// What the layout keeps of the template: the memo edit's top, and the sizes of the step row's controls (right to
// left, as DayMemoStepOrder lists them).
struct DayMemoLayoutInput {
    int ClientWidth;
    int ClientHeight;
    int FontSize;  // the memo font's height in pixels (MemoFontSize)
    int EditTop;
    SIZE Steps[DAY_MEMO_STEP_CONTROLS];
};

struct DayMemoLayout {
    DayMemoBox Menu;
    DayMemoBox MarkButton;
    DayMemoBox MarkLabel;
    DayMemoBox MarkList;  // only its position counts: the list keeps its own size
    DayMemoBox Help;
    DayMemoBox Save;
    DayMemoBox Cancel;
    DayMemoBox TimeLabel;
    DayMemoBox TimePicker;
    DayMemoBox Edit;
    DayMemoBox Steps[DAY_MEMO_STEP_CONTROLS];
};

// The control ids of the step row, right to left.
extern const int DayMemoStepOrder[DAY_MEMO_STEP_CONTROLS];

// The window's controls for a client size: the buttons' row at the bottom, the mark row above it, the memo edit
// filling the rest under its top, and the step row right-aligned above the edit.
DayMemoLayout LayoutDayMemo(const DayMemoLayoutInput* input);

// Steps the date for a step button (IDC_MEMO_BTN_YEAR_BACK ... IDC_MEMO_BTN_DAY_NEXT): years and months keep the
// day within the new month's length. 1 when command is a step button, else 0 and the date unchanged.
int StepDayMemoDate(int command, int* year, int* month, int* day);

// What leaving a memo asks before the shown date goes.
enum DayMemoQuestion {
    DAY_MEMO_ASK_NOTHING = 0,  // nothing to keep: a pending change is dropped
    DAY_MEMO_ASK_SAVE = 1,     // "memo changed, save?"
    DAY_MEMO_ASK_DELETE = 2    // "memo emptied, delete?"
};
// The question for a memo whose edit reports a change (editChanged) or whose style or time changed (modified),
// whose edit holds text or not, and whose date had a stored memo when it was shown.
DayMemoQuestion DayMemoQuestionFor(int editChanged, int modified, int hasText, int hadMemo);

// The mark list's entries: the memo's own style, a separator, then the user marks.
#define DAY_MEMO_MARK_OWN 0
#define DAY_MEMO_MARK_SEPARATOR 1
#define DAY_MEMO_MARK_FIRST_USER 2
// 1 when markType names one of the userMarkCount user marks.
int IsKnownUserMark(int markType, int userMarkCount);
// The entry the mark list shows for a memo's mark kind: its user mark's entry, else the memo's own style (also for
// a user mark beyond the marks there are).
int DayMemoMarkEntry(int markType, int userMarkCount);
// The mark kind of a user-mark entry; -1 for the own style, the separator and entries beyond the user marks.
int DayMemoMarkTypeOfEntry(int entry, int userMarkCount);

// The memo edit's limit in characters: even a memo made only of characters the store escapes fits its one line.
size_t DayMemoTextLimit();

// Day cells of the drawn calendar, their tooltips, and the way back from a click to a date.
#pragma once

#include <windows.h>

#include "DaylensIds.h"

#include "SettingsTypes.h"

class EnvData;

// Size of the buffer LimitString answers with; the text holds one byte less.
#define LIMIT_STRING_SIZE 1024

// The tooltip tool id of a date.
UINT_PTR DayToolId(int year, int month, int day);
// The first of count cells whose rectangle holds point (edges count as inside); null when none or no table.
const DayCell* FindDayCell(const DayCell* cells, int count, POINT point);

extern "C" {

// (Re)creates the calendar window's tooltip control; 0 when the record has no main window. Its tools do not
// subclass the calendar window: the window hands the control its mouse messages (TTM_RELAYEVENT).
int CreateToolTip(EnvData* env);
// Records a cell for the date and rect in table (at *count, while room is left) and, when addTool is 1, a tooltip
// tool with text over rect. 1.
int SetToolTip(DayCell* table, int* count, const char* text, const RECT* rect, EnvData* env, int year, int month,
               int day, int addTool);
// The date of the cell under the cursor in client coordinates of window; all 0 over no cell. Every output may be
// null. 1.
int GetClickedDatelong(HWND window, long* year, long* month, long* day, EnvData* env);
int GetClickedDateWORD(HWND window, WORD* year, WORD* month, WORD* day, EnvData* env);
// Fills only wYear, wMonth and wDay.
int GetClickedDateSYSTEMTIME(HWND window, SYSTEMTIME* date, EnvData* env);
// text cut to at most maxBytes bytes without splitting a double-byte character, in a static buffer valid until the
// next call.
const char* LimitString(const char* text, int maxBytes);

}

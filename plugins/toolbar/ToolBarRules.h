// The toolbar's logic apart from its windows: the button records, the functions a button may send, the marks and
// colours it is drawn with, the bar's size and cells, and the edits of the button dialog's list.
#pragma once

#include <windows.h>

#include "DaylensIds.h"
#include "PlugInSlot.h"

// Record 0 is the icon cell, records 1-31 the buttons.
#define TOOLBAR_RECORD_COUNT 32
#define TOOLBAR_BUTTON_MAX 31
// Button codes: the icon cell, the built-in functions (1000 + their index in the name table) and the plug-in menu
// items (8001 + their entry in the plug-in menu table).
#define TOOLBAR_CODE_ICON 1000
#define TOOLBAR_CODE_FIRST 1001
#define TOOLBAR_CODE_LAST 1255
#define TOOLBAR_NAME_COUNT 256
#define TOOLBAR_CODE_PLUGIN_FIRST IDM_PLUGIN_FIRST
#define TOOLBAR_CODE_PLUGIN_LAST IDM_PLUGIN_LAST
#define TOOLBAR_MARK_COUNT 8
#define TOOLBAR_COLOR_COUNT 9
#define TOOLBAR_COLOR_VALUES 5
// The icon cell is a 16-pixel square.
#define TOOLBAR_ICON_SIZE 16
#define TOOLBAR_FUNCTION_SIZE PLUGIN_MENU_TEXT_SIZE

struct ToolBarButton {
    WORD Code;   // 0 empty or not found, TOOLBAR_CODE_ICON, a built-in or a plug-in code
    BYTE Mark;   // 0-7, an index of ToolBarMarkNames
    BYTE Color;  // 0-8, an index of ToolBarColorNames
    RECT Cell;   // in client coordinates, laid out by LayoutToolBarCells
    // The stored function of a plug-in button, or of a button whose function was not found (its plug-in is not
    // loaded): the button is kept under this name and comes back when the name is found again.
    char Function[TOOLBAR_FUNCTION_SIZE];
};

// The settings the bar's size and cells depend on.
struct ToolBarShape {
    int ShowIcon;
    int Vertical;
    int ButtonSize;
    int ButtonSpace;
};

// The function name of a built-in code ("次の月" for 1006); null where no function exists.
const char* ToolBarCommandName(int code);
// The calendar command a code sends: a built-in's menu command, a plug-in code itself; 0 for none.
int ToolBarCommandOf(int code);
// The code of the built-in function named name (exact bytes), else 0.
int FindToolBarCommand(const char* name);
// The code whose function is name: a built-in, else the first plug-in menu entry (while entries have a file name)
// whose plug-in file name is name; 0 when none. A null table knows no plug-ins.
int ResolveToolBarFunction(const char* name, const PlugInMenuItem* table);
// The name a button is stored and listed under: the command name, the plug-in's file name, or the kept name of a
// button whose function was not found; "" for an empty record.
const char* ToolBarFunctionName(const ToolBarButton* button, const PlugInMenuItem* table);

extern const char* const ToolBarMarkNames[TOOLBAR_MARK_COUNT];
extern const char* const ToolBarColorNames[TOOLBAR_COLOR_COUNT];
// The glyph painter's five colours of a colour index (held at the last row).
const COLORREF* ToolBarColorRow(int color);
// Index of the equal name in names, else 0.
int FindToolBarName(const char* const* names, int count, const char* name);

// A button the bar shows: a built-in or a plug-in code.
bool IsValidToolBarCode(int code);
// A record that holds a button, shown or kept for later.
bool IsUsedToolBarRecord(const ToolBarButton* button);
// Holds marks at 7 and colours at 8 in records 1-31; the number of valid buttons among them.
int CheckToolBarButtons(ToolBarButton* records);
// Resolves every kept function name again against table (after the plug-in menu changed): a plug-in button takes
// its entry's new code, or code 0 while its plug-in is missing, and a kept name that is found again becomes a button.
void ResolveToolBarButtons(ToolBarButton* records, const PlugInMenuItem* table);
// The seven buttons of a new bar in records 1-7.
void SetDefaultToolBarButtons(ToolBarButton* records);

// The bar's window size for count valid buttons.
SIZE ToolBarWindowSize(const ToolBarShape& shape, int count);
// Lays out the cells of records 0-31 as the bar draws them (record 0 takes the icon code when the icon is shown);
// records that are not drawn get an empty cell.
void LayoutToolBarCells(ToolBarButton* records, const ToolBarShape& shape);
// The record whose cell holds point (edges included), or -1.
int HitToolBarButton(const ToolBarButton* records, POINT point);

// The button dialog's list: row r is record r + 1; the rows run up to the first unused record.
int ToolBarRowCount(const ToolBarButton* records);
// Inserts button before the selected row (row < 0: into the first unused record); the new row, or -1 when every
// place is used or the row is not in the list.
int AddToolBarButton(ToolBarButton* records, int row, const ToolBarButton& button);
// Replaces the row's function, mark and colour; false for a row not in the list.
bool UpdateToolBarButton(ToolBarButton* records, int row, const ToolBarButton& button);
// Removes the row; the rows after it move up. False for a row not in the list.
bool DeleteToolBarButton(ToolBarButton* records, int row);
// Exchanges the row with the one above (up) or below; the row the moved button is on now, or -1 when it cannot move.
int MoveToolBarButton(ToolBarButton* records, int row, bool up);

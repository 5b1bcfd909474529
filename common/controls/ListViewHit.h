// List-view rows under the cursor, selected rows and the cells of report lists.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Index of the item under the cursor, -1 for none.
int ListViewHitTest(HWND listView);
// Index of the column (sub-item) under the cursor, -1 when no item is there.
int ListViewHitTestSubItem(HWND listView);
// The first selected item after start (-1: from the first item), -1 for none.
int GetSelectedListItem(HWND listView, int start);
// Makes row the only selected and focused row.
void SelectListItem(HWND listView, int row);
// Appends count columns with their titles and widths (negative widths count as 0).
void AddListColumns(HWND listView, const char* const* titles, const int* widths, int count);
// Column 0 inserts a row with text at row; another column sets that column's text of the row.
void SetListCell(HWND listView, int row, int column, const char* text);

#ifdef __cplusplus
}
#endif

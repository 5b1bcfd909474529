// List-view rows under the cursor and selected rows.
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

#ifdef __cplusplus
}
#endif

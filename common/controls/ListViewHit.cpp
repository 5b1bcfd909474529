#include "ListViewHit.h"

#include <commctrl.h>

namespace {

LVHITTESTINFO HitTestAtCursor(HWND listView)
{
    LVHITTESTINFO hit = {};
    GetCursorPos(&hit.pt);
    ScreenToClient(listView, &hit.pt);
    hit.iItem = -1;
    if (SendMessageA(listView, LVM_SUBITEMHITTEST, 0, (LPARAM)&hit) < 0)
        hit.iItem = -1;
    return hit;
}

}  // namespace

extern "C" {

int ListViewHitTest(HWND listView)
{
    return HitTestAtCursor(listView).iItem;
}

int ListViewHitTestSubItem(HWND listView)
{
    LVHITTESTINFO hit = HitTestAtCursor(listView);
    return hit.iItem < 0 ? -1 : hit.iSubItem;
}

int GetSelectedListItem(HWND listView, int start)
{
    return (int)SendMessageA(listView, LVM_GETNEXTITEM, (WPARAM)start, MAKELPARAM(LVNI_SELECTED, 0));
}

void SelectListItem(HWND listView, int row)
{
    LVITEMA none = {};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(listView, LVM_SETITEMSTATE, (WPARAM)-1, (LPARAM)&none);
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(listView, LVM_SETITEMSTATE, (WPARAM)row, (LPARAM)&item);
}

void SetListCell(HWND listView, int row, int column, const char* text)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = (char*)text;
    SendMessageA(listView, column == 0 ? LVM_INSERTITEMA : LVM_SETITEMTEXTA, (WPARAM)row, (LPARAM)&item);
}

void AddListColumns(HWND listView, const char* const* titles, const int* widths, int count)
{
    for (int i = 0; i < count; i++) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = (char*)titles[i];
        column.cx = widths[i] > 0 ? widths[i] : 0;
        column.iSubItem = i;
        SendMessageA(listView, LVM_INSERTCOLUMNA, (WPARAM)i, (LPARAM)&column);
    }
}

}  // extern "C"

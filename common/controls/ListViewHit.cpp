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

}  // extern "C"

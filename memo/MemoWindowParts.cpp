#include "MemoWindowParts.h"

#include <stdio.h>

#include "AppInfo.h"
#include "DaylensIds.h"
#include "Memo.h"
#include "WindowPlacement.h"

namespace {

// A remembered size below this is no size: the window opens at the cursor.
const int kSmallestRemembered = 5;
const int kCursorMargin = 5;

}  // namespace

void PlaceMemoWindow(HWND window, const MemoWindowRect& rect)
{
    if (*rect.Width < kSmallestRemembered || *rect.Height < kSmallestRemembered) {
        PlaceWindowAtCursor(window, kCursorMargin, 0);
        return;
    }
    RECT box = {*rect.X, *rect.Y, *rect.Width, *rect.Height};
    WrapRectOntoDesktop(window, &box, 1);
}

void RememberMemoWindowRect(HWND window, const MemoWindowRect& rect)
{
    RECT box;
    if (!GetNormalPlacementRect(window, &box))
        return;
    *rect.X = box.left;
    *rect.Y = box.top;
    *rect.Width = box.right;
    *rect.Height = box.bottom;
}

void ShowMemoHelp(HWND window, AppInfo* info, const char* topic)
{
    if (!info)
        return;
    info->ShowProgramHelp(window, topic);
}

HFONT SetMemoWindowFont(HWND window, const int* ids, int count)
{
    HFONT dialogFont = (HFONT)SendMessageA(window, WM_GETFONT, 0, 0);
    LOGFONTA font = {};
    if (!dialogFont || !GetObjectA(dialogFont, sizeof(font), &font))
        return nullptr;
    font.lfHeight = -(int)g_memoSettings.MemoFontSize;
    HFONT made = CreateFontIndirectA(&font);
    for (int i = 0; made && i < count; i++) {
        HWND control = GetDlgItem(window, ids[i]);
        if (control)
            SendMessageA(control, WM_SETFONT, (WPARAM)made, FALSE);
    }
    return made;
}

RECT ControlClientBox(HWND window, int id)
{
    RECT box = {};
    HWND control = GetDlgItem(window, id);
    if (control) {
        GetWindowRect(control, &box);
        MapWindowPoints(HWND_DESKTOP, window, (POINT*)&box, 2);
    }
    return box;
}

void RepaintMemoWindow(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

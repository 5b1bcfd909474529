#include "VersionDialog.h"
#include "WindowPlacement.h"

#include <shellapi.h>
#include <stdio.h>
#include <windowsx.h>

#include "StrUtil.h"

namespace {

const size_t kLineSize = 1024;
const COLORREF kLinkColor = RGB(0, 0, 255);
const COLORREF kLinkHoverColor = RGB(255, 0, 0);
const long kProgramBits = (long)(sizeof(void*) * 8);

AboutDlgData* DialogData(HWND dialog)
{
    return (AboutDlgData*)GetWindowLongPtrA(dialog, DWLP_USER);
}

AboutDlgData* LinkData(HWND control)
{
    return (AboutDlgData*)GetWindowLongPtrA(control, GWLP_USERDATA);
}

void SetTitleLine(HWND dialog, const AboutDlgData* data)
{
    const char* title = data->info ? NonNullStr(data->info->GetDescription()) : "";
    const char* osName = data->info ? NonNullStr(data->info->GetOsName()) : "";
    char line[kLineSize];
    if (data->withWindows && osName[0])
        snprintf(line, sizeof(line), "%s on %s %ldbit", title, osName, kProgramBits);
    else
        SafeStrCpy(line, sizeof(line), title);
    SetDlgItemTextA(dialog, IDC_ABOUT_TITLE, line);
}

void SetVersionLine(HWND dialog, const AboutDlgData* data)
{
    char line[kLineSize] = "";
    if (data->info) {
        SafeStrCpy(line, sizeof(line), data->info->GetVersionText());
        const char* date = NonNullStr(data->info->GetReleaseDate());
        if (date[0]) {
            SafeStrCat(line, sizeof(line), " (");
            SafeStrCat(line, sizeof(line), date);
            SafeStrCat(line, sizeof(line), ")");
        }
    }
    SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, line);
}

void SetNoticeLine(HWND dialog, const AboutDlgData* data)
{
    char line[kLineSize] = "";
    if (data->info) {
        snprintf(line, sizeof(line), "Copyright (C) %s %s", NonNullStr(data->info->GetYears()),
                 NonNullStr(data->info->GetCreatorText()));
        TrimRightChars(line, " ");
    }
    SetDlgItemTextA(dialog, IDC_ABOUT_NOTICE, line);
}

// The static control only reports mouse messages with SS_NOTIFY.
void SubclassLink(HWND dialog, AboutDlgData* data)
{
    HWND link = GetDlgItem(dialog, IDC_ABOUT_LINK);
    if (!link)
        return;
    SetWindowLongPtrA(link, GWL_STYLE, GetWindowLongPtrA(link, GWL_STYLE) | SS_NOTIFY);
    SetWindowLongPtrA(link, GWLP_USERDATA, (LONG_PTR)data);
    data->oldLinkProc = (WNDPROC)SetWindowLongPtrA(link, GWLP_WNDPROC, (LONG_PTR)LinkCtrlProc);
}

void RestoreLink(HWND dialog, AboutDlgData* data)
{
    HWND link = GetDlgItem(dialog, IDC_ABOUT_LINK);
    if (!data || !data->oldLinkProc || !link)
        return;
    SetWindowLongPtrA(link, GWLP_WNDPROC, (LONG_PTR)data->oldLinkProc);
    SetWindowLongPtrA(link, GWLP_USERDATA, 0);
    data->oldLinkProc = nullptr;
}

// Distance kept from the work area's edges when the dialog is put at the cursor.
const int kCursorMargin = 5;

INT_PTR OnInitDialog(HWND dialog, AboutDlgData* data)
{
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)data);
    if (!data)
        return TRUE;
    if (SafeStrLen(data->caption) > 0)
        SetWindowTextA(dialog, data->caption);
    AppInfo::SetWindowIcons(dialog, data->bigIcon, data->smallIcon);
    SetTitleLine(dialog, data);
    SetVersionLine(dialog, data);
    SetNoticeLine(dialog, data);
    SetDlgItemTextA(dialog, IDC_ABOUT_LINK, data->info ? NonNullStr(data->info->GetWebAddress()) : "");
    SubclassLink(dialog, data);
    PlaceWindowAtCursor(dialog, kCursorMargin, 0);
    return TRUE;
}

INT_PTR OnCommand(HWND dialog, WORD id)
{
    // Only Cancel (the button, Esc or the close box) ends the dialog; Enter does not.
    if (id == IDCANCEL) {
        RestoreLink(dialog, DialogData(dialog));
        EndDialog(dialog, IDCANCEL);
    }
    return id == IDOK || id == IDCANCEL;
}

void OnDestroy(HWND dialog)
{
    AboutDlgData* data = DialogData(dialog);
    RestoreLink(dialog, data);
    if (data && data->linkFont) {
        DeleteObject(data->linkFont);
        data->linkFont = nullptr;
    }
}

// The control's own font, underlined; made on first use and kept until the dialog goes.
HFONT LinkFont(HWND control, AboutDlgData* data)
{
    HFONT font = (HFONT)SendMessageA(control, WM_GETFONT, 0, 0);
    if (!font)
        font = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    if (!data->linkFont) {
        LOGFONTA logFont;
        if (GetObjectA(font, sizeof(logFont), &logFont)) {
            logFont.lfUnderline = TRUE;
            data->linkFont = CreateFontIndirectA(&logFont);
        }
    }
    return data->linkFont ? data->linkFont : font;
}

void OnLinkPaint(HWND control, AboutDlgData* data)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(control, &paint);
    RECT client;
    GetClientRect(control, &client);
    // The dialog's own background, so that a colour change does not draw over the old text.
    HBRUSH background = (HBRUSH)SendMessageA(GetParent(control), WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)control);
    if (background)
        FillRect(dc, &client, background);
    HGDIOBJ oldFont = SelectObject(dc, LinkFont(control, data));
    SetBkColor(dc, GetSysColor(COLOR_MENU));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, data->linkHover ? kLinkHoverColor : kLinkColor);
    char text[kLineSize];
    int length = GetWindowTextA(control, text, sizeof(text));
    TextOutA(dc, 0, 0, text, length);
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, length, &size);
    data->linkTextWidth = size.cx;
    SelectObject(dc, oldFont);
    EndPaint(control, &paint);
}

void SetLinkHover(HWND control, AboutDlgData* data, int hover)
{
    if (data->linkHover == hover)
        return;
    data->linkHover = hover;
    InvalidateRect(control, nullptr, FALSE);
}

// The mouse is captured while it is over the text, so that leaving the text is noticed.
void OnLinkMouseMove(HWND control, AboutDlgData* data, LPARAM position)
{
    RECT client;
    GetClientRect(control, &client);
    int x = GET_X_LPARAM(position);
    int y = GET_Y_LPARAM(position);
    bool over = x >= 0 && x < data->linkTextWidth && y >= 0 && y < client.bottom;
    if (over) {
        if (GetCapture() != control)
            SetCapture(control);
        SetCursor(LoadCursor(nullptr, IDC_HAND));
    } else {
        if (GetCapture() == control)
            ReleaseCapture();
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
    }
    SetLinkHover(control, data, over);
}

void OnLinkClick(HWND control, AboutDlgData* data)
{
    if (!data->linkHover)
        return;
    char text[kLineSize];
    if (GetWindowTextA(control, text, sizeof(text)) > 0)
        ShellExecuteA(nullptr, "open", text, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

extern "C" {

INT_PTR ShowAboutBox(HINSTANCE module, int templateId, HWND owner, HICON bigIcon, HICON smallIcon,
                     const char* caption, AppInfo* info, int withWindows)
{
    AboutDlgData data = {};
    data.caption = caption;
    data.bigIcon = bigIcon;
    data.smallIcon = smallIcon;
    data.info = info;
    data.withWindows = withWindows;
    return ShowAboutDialog(module, templateId, owner, &data);
}

INT_PTR ShowAboutDialog(HINSTANCE module, int templateId, HWND owner, AboutDlgData* data)
{
    if (!data)
        return 0;
    return DialogBoxParamA(module, MAKEINTRESOURCEA(templateId), owner, AboutDlgProc, (LPARAM)data);
}

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, (AboutDlgData*)lParam);
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
    case WM_DESTROY:
        OnDestroy(dialog);
        return FALSE;
    }
    return FALSE;
}

LRESULT CALLBACK LinkCtrlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    AboutDlgData* data = LinkData(control);
    if (!data || !data->oldLinkProc)
        return DefWindowProcA(control, message, wParam, lParam);
    switch (message) {
    case WM_PAINT:
        OnLinkPaint(control, data);
        return 0;
    case WM_MOUSEMOVE:
        OnLinkMouseMove(control, data, lParam);
        return 0;
    case WM_LBUTTONUP:
        OnLinkClick(control, data);
        return 0;
    case WM_CAPTURECHANGED:
        SetLinkHover(control, data, 0);
        break;
    }
    return CallWindowProcA(data->oldLinkProc, control, message, wParam, lParam);
}

}  // extern "C"

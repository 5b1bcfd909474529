#include "PlugInDialog.h"

#include <commctrl.h>
#include <stdio.h>
#include <string.h>

#include "AppInfo.h"
#include "DaylensIds.h"
#include "EngineDialogIds.h"
#include "EngineMain.h"
#include "EnvData.h"
#include "FontUtil.h"
#include "GlyphButton.h"
#include "HeapUtil.h"
#include "LanguageResources.h"
#include "ListViewHit.h"
#include "PlugInDialogRules.h"
#include "PlugInModule.h"
#include "StrUtil.h"
#include "WindowPlacement.h"

namespace {

const int kMargin = 5;
const int kMoveButtonSize = 20;
const int kMoveButtonRight = 25;
const int kPlaceMargin = 5;
const int kSmallestRemembered = 5;
const char kVersionSample[] = " バージョン ";
const char kNoVersion[] = "--";

struct PlugInDlgData {
    EnvData* Env;
    PlugInSlot* Table;  // the caller's, replaced on "設定" and "アップデート" only
    PlugInSlot* Work;   // PLUGIN_SLOT_COUNT entries, process heap
};

bool s_open = false;

PlugInDlgData* DialogData(HWND dialog)
{
    return (PlugInDlgData*)GetWindowLongPtrA(dialog, DWLP_USER);
}

HWND ListOf(HWND dialog)
{
    return GetDlgItem(dialog, IDC_PLUGIN_LIST);
}

// The version of a slot in use: from its loaded module, or from the library loaded for the moment, which gets its
// close call before it is freed.
void ReadVersion(const PlugInSlot& slot, char* text, size_t size)
{
    SafeStrCpy(text, size, kNoVersion);
    if (slot.Use != 1)
        return;
    HMODULE module = slot.Module;
    bool borrowed = false;
    if (!module) {
        char path[MAX_PATH * 2];
        snprintf(path, sizeof(path), "%s\\%s", NonNullStr(EnginePlugInDir()), slot.FileName);
        module = LoadLibraryA(path);
        borrowed = module != nullptr;
    }
    auto major = FindExport(module, PlugInModule::kGetMajorVersion);
    auto minor = FindExport(module, PlugInModule::kGetMinorVersion);
    if (major && minor)
        FormatPlugInVersion(text, size, major(), minor());
    if (borrowed) {
        if (auto close = FindExport(module, PlugInModule::kLxClose))
            close();
        FreeLibrary(module);
    }
}

int SelectedRow(HWND dialog)
{
    return GetSelectedListItem(ListOf(dialog), -1);
}

void FillPlugInList(HWND dialog, const PlugInSlot* table)
{
    HWND view = ListOf(dialog);
    SendMessageA(view, WM_SETREDRAW, FALSE, 0);
    SendMessageA(view, LVM_DELETEALLITEMS, 0, 0);
    for (int row = 0, named = NamedPlugInSlots(table); row < named; row++) {
        SetListCell(view, row, 0, table[row].FileName);
        char version[PLUGIN_VERSION_TEXT_SIZE];
        ReadVersion(table[row], version, sizeof(version));
        SetListCell(view, row, 1, version);
        ListView_SetCheckState(view, row, table[row].Use == 1);
    }
    SendMessageA(view, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(view, nullptr, TRUE);
}

void LayoutPlugInDlg(HWND dialog)
{
    RECT client;
    GetClientRect(dialog, &client);
    RECT button = {};
    GetWindowRect(GetDlgItem(dialog, IDC_PLUGIN_BTN_UPDATE), &button);
    int width = button.right - button.left, height = button.bottom - button.top;
    int y = client.bottom - kMargin - height;
    const int buttons[] = {IDC_PLUGIN_BTN_UPDATE, IDOK, IDCANCEL};
    for (int i = 0; i < 3; i++)
        SetWindowPos(GetDlgItem(dialog, buttons[i]), nullptr, kMargin + i * width, y, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    int listHeight = client.bottom - height - 2 * kMargin;
    SetWindowPos(ListOf(dialog), nullptr, kMargin, kMargin, client.right - 30, listHeight > 0 ? listHeight : 0,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    int x = client.right - kMoveButtonRight;
    SetWindowPos(GetDlgItem(dialog, IDC_LIST_BTN_UP), nullptr, x, 5, kMoveButtonSize, kMoveButtonSize,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(GetDlgItem(dialog, IDC_LIST_BTN_DOWN), nullptr, x, 35, kMoveButtonSize, kMoveButtonSize,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(dialog, nullptr, TRUE);
}

void SetUpList(HWND dialog)
{
    HWND view = ListOf(dialog);
    DWORD styles = LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
    SendMessageA(view, LVM_SETEXTENDEDLISTVIEWSTYLE, styles, styles);
    SIZE sample = {};
    GetTextSize(view, kVersionSample, &sample);
    RECT client;
    GetClientRect(view, &client);
    int rest = client.right - client.left - sample.cx - GetSystemMetrics(SM_CXVSCROLL);
    const char* titles[] = {"対応プラグイン", "バージョン"};
    int widths[] = {rest, (int)sample.cx};
    AddListColumns(view, titles, widths, 2);
}

void PlaceDialog(HWND dialog, EnvData* env)
{
    RECT box = {env->PlugInWindowX, env->PlugInWindowY, env->PlugInWindowWidth, env->PlugInWindowHeight};
    PlaceRememberedWindow(dialog, &box, kSmallestRemembered, kPlaceMargin);
}

INT_PTR OnInitDialog(HWND dialog, PlugInDlgData* data)
{
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)data);
    AppInfo::SetWindowIcons(dialog, EngineIcon(PROGRAM_ICON_LARGE), EngineIcon(PROGRAM_ICON_SMALL));
    PlaceDialog(dialog, data->Env);
    LayoutPlugInDlg(dialog);
    SetUpList(dialog);
    FillPlugInList(dialog, data->Work);
    // Centred on the cursor once more, keeping the size.
    PlaceWindowAtCursor(dialog, kPlaceMargin, 0);
    return TRUE;
}

void RememberRect(HWND dialog, EnvData* env)
{
    RECT box;
    if (!GetWindowBox(dialog, &box))
        return;
    env->PlugInWindowX = box.left;
    env->PlugInWindowY = box.top;
    env->PlugInWindowWidth = box.right;
    env->PlugInWindowHeight = box.bottom;
}

void TakeChoices(HWND dialog, PlugInDlgData* data)
{
    int checked[PLUGIN_SLOT_COUNT] = {};
    HWND view = ListOf(dialog);
    for (int i = 0, named = NamedPlugInSlots(data->Work); i < named; i++)
        checked[i] = ListView_GetCheckState(view, i) ? 1 : 0;
    ApplyPlugInChoices(data->Table, data->Work, checked);
}

void Move(HWND dialog, PlugInDlgData* data, int step)
{
    // The check boxes shown so far go with their slots.
    HWND view = ListOf(dialog);
    for (int i = 0, named = NamedPlugInSlots(data->Work); i < named; i++)
        data->Work[i].Use = ListView_GetCheckState(view, i) ? 1 : 0;
    int row = MovePlugInSlot(data->Work, SelectedRow(dialog), step);
    if (row < 0)
        return;
    FillPlugInList(dialog, data->Work);
    SelectListItem(view, row);
    SendMessageA(view, LVM_ENSUREVISIBLE, (WPARAM)row, FALSE);
    SetFocus(view);
}

INT_PTR OnCommand(HWND dialog, WORD id)
{
    PlugInDlgData* data = DialogData(dialog);
    if (!data)
        return FALSE;
    switch (id) {
    case IDC_LIST_BTN_UP: Move(dialog, data, -1); return TRUE;
    case IDC_LIST_BTN_DOWN: Move(dialog, data, 1); return TRUE;
    case IDOK:
        TakeChoices(dialog, data);
        RememberRect(dialog, data->Env);
        EndDialog(dialog, PLUGIN_DLG_SET);
        return TRUE;
    case IDC_PLUGIN_BTN_UPDATE:
        TakeChoices(dialog, data);
        // Posted: the update starts once this dialog has gone.
        if (data->Env->MainWindow)
            PostMessageA(data->Env->MainWindow, WM_COMMAND, IDM_PLUGIN_UPDATE, 0);
        RememberRect(dialog, data->Env);
        EndDialog(dialog, PLUGIN_DLG_UPDATE);
        return TRUE;
    case IDCANCEL:
        RememberRect(dialog, data->Env);
        EndDialog(dialog, PLUGIN_DLG_CLOSED);
        return TRUE;
    }
    return FALSE;
}

INT_PTR OnDrawItem(const DRAWITEMSTRUCT* item)
{
    int kind = item->CtlID == IDC_LIST_BTN_UP ? GLYPH_ARROW_UP : item->CtlID == IDC_LIST_BTN_DOWN ? GLYPH_ARROW_DOWN : 0;
    if (!kind)
        return FALSE;
    DrawGlyphButton(item, kind, RGB(0xC4, 0xFF, 0xC4), RGB(0x00, 0xFF, 0x00), RGB(0xE0, 0xFF, 0xE0),
                    RGB(0x40, 0xFF, 0x40), RGB(0x00, 0x80, 0x00));
    return TRUE;
}

INT_PTR CALLBACK PlugInDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, (PlugInDlgData*)lParam);
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
    case WM_DRAWITEM: return OnDrawItem((const DRAWITEMSTRUCT*)lParam);
    case WM_SIZE: LayoutPlugInDlg(dialog); return FALSE;
    case WM_CLOSE: return OnCommand(dialog, IDCANCEL);
    }
    return FALSE;
}

}  // namespace

extern "C" int ShowPlugInDlg(HWND owner, EnvData* env, PlugInSlot* table)
{
    if (!env || !table || s_open)
        return PLUGIN_DLG_CLOSED;
    PlugInDlgData data = {env, table, (PlugInSlot*)AllocZeroed(sizeof(PlugInSlot) * PLUGIN_SLOT_COUNT)};
    if (!data.Work)
        return PLUGIN_DLG_CLOSED;
    memcpy(data.Work, table, sizeof(PlugInSlot) * PLUGIN_SLOT_COUNT);
    s_open = true;
    INT_PTR result =
        DialogBoxParamA(EngineInstance(), MAKEINTRESOURCEA(IDD_PLUGIN), owner, PlugInDlgProc, (LPARAM)&data);
    s_open = false;
    HeapFree(GetProcessHeap(), 0, data.Work);
    return result == PLUGIN_DLG_SET || result == PLUGIN_DLG_UPDATE ? (int)result : PLUGIN_DLG_CLOSED;
}

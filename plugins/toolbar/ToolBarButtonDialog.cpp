// The button-function dialog ("Daylens ツールバーボタン設定"): the list of the bar's buttons with their function,
// mark and colour, edited on a working copy that OK hands to the bar, against a copy of the plug-in menu table taken
// when the dialog opens.
#include "ToolBarPlugIn.h"

#include <commctrl.h>
#include <stdio.h>
#include <string.h>

#include "AppInfo.h"
#include "GlyphButton.h"
#include "ListViewHit.h"
#include "WindowPlacement.h"

namespace {

const char kPlugInPrefix[] = "PlugIn: ";
const int kMinPlacedSize = 4;
const int kGreenRow = 2;
const int kDefaultMark = 5;  // "四角"
const int kDefaultColor = 0;

struct ButtonDlgData {
    ToolBarButton Work[TOOLBAR_RECORD_COUNT];
    PlugInMenuItem* Table;  // the dialog's own copy (process heap)
};

ButtonDlgData* DialogData(HWND dialog)
{
    return (ButtonDlgData*)GetWindowLongPtrA(dialog, DWLP_USER);
}

HWND List(HWND dialog)
{
    return GetDlgItem(dialog, IDC_TBBUTTONS_LIST);
}

void AddColumn(HWND list, int index, const char* title, int width)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = (char*)title;
    column.cx = width;
    SendMessageA(list, LVM_INSERTCOLUMNA, (WPARAM)index, (LPARAM)&column);
}

void SetCell(HWND list, int row, int column, const char* text)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = (char*)text;
    SendMessageA(list, column == 0 ? LVM_INSERTITEMA : LVM_SETITEMTEXTA, (WPARAM)row, (LPARAM)&item);
}

void FillButtonFunctionList(HWND dialog, const ToolBarButton* records, int selected)
{
    HWND list = List(dialog);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    int rows = ToolBarRowCount(records);
    for (int row = 0; row < rows; row++) {
        const ToolBarButton& record = records[row + 1];
        SetCell(list, row, 0, ToolBarFunctionName(&record, DialogData(dialog)->Table));
        SetCell(list, row, 1, ToolBarMarkNames[record.Mark % TOOLBAR_MARK_COUNT]);
        SetCell(list, row, 2, ToolBarColorNames[record.Color % TOOLBAR_COLOR_COUNT]);
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    if (selected >= 0) {
        ListView_SetItemState(list, selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(list, selected, FALSE);
    }
}

void AddComboItem(HWND combo, const char* text, LPARAM data)
{
    LRESULT index = SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)text);
    if (index >= 0)
        SendMessageA(combo, CB_SETITEMDATA, (WPARAM)index, data);
}

// Every built-in function, then a "PlugIn: " item per plug-in menu entry; each item carries its button code.
void FillFunctionCombo(HWND combo, const PlugInMenuItem* table)
{
    for (int code = TOOLBAR_CODE_FIRST; code <= TOOLBAR_CODE_LAST; code++) {
        const char* name = ToolBarCommandName(code);
        if (name)
            AddComboItem(combo, name, code);
    }
    for (int i = 0; i < PLUGIN_MENU_ITEM_COUNT && table[i].FileName[0]; i++) {
        char text[PLUGIN_MENU_TEXT_SIZE + sizeof(kPlugInPrefix)];
        snprintf(text, sizeof(text), "%s%s", kPlugInPrefix, table[i].Text);
        AddComboItem(combo, text, TOOLBAR_CODE_PLUGIN_FIRST + i);
    }
}

void FillNameCombo(HWND combo, const char* const* names, int count)
{
    for (int i = 0; i < count; i++)
        AddComboItem(combo, names[i], i);
}

// Selects the item of text (exact or as a prefix); an empty text changes nothing, a missing one selects item 0.
int SelectComboString(HWND combo, const char* text, int exact)
{
    if (!text || !*text)
        return 0;
    LRESULT index = SendMessageA(combo, exact ? CB_FINDSTRINGEXACT : CB_FINDSTRING, (WPARAM)-1, (LPARAM)text);
    SendMessageA(combo, CB_SETCURSEL, index == CB_ERR ? 0 : (WPARAM)index, 0);
    return index == CB_ERR ? 0 : 1;
}

void SelectComboCode(HWND combo, int code)
{
    LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; i++) {
        if (SendMessageA(combo, CB_GETITEMDATA, (WPARAM)i, 0) == code) {
            SendMessageA(combo, CB_SETCURSEL, (WPARAM)i, 0);
            return;
        }
    }
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

void PlaceDialog(HWND dialog)
{
    RECT placed = {};
    {
        ToolBarLock lock(false);
        const ToolBarFile& file = g_toolBar.File;
        placed = {file.ButtonWindowX, file.ButtonWindowY, file.ButtonWindowWidth, file.ButtonWindowHeight};
    }
    if (placed.right > kMinPlacedSize && placed.bottom > kMinPlacedSize)
        SetWindowPos(dialog, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    else
        PlaceWindowAtCursor(dialog, 0, 1);
}

INT_PTR OnInitDialog(HWND dialog, ButtonDlgData* data)
{
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)data);
    if (!data)
        return TRUE;
    if (g_toolBar.Info)
        g_toolBar.Info->SetWindowIcons(dialog, g_toolBar.BigIcon, g_toolBar.SmallIcon);
    HWND list = List(dialog);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    RECT client;
    GetClientRect(list, &client);
    int width = client.right - GetSystemMetrics(SM_CXVSCROLL);
    AddColumn(list, 0, "機能", width / 2);
    AddColumn(list, 1, "形状", width / 4);
    AddColumn(list, 2, "色", width / 4);
    FillButtonFunctionList(dialog, data->Work, -1);
    FillFunctionCombo(GetDlgItem(dialog, IDC_TBBUTTONS_COMBO_FUNCTION), data->Table);
    FillNameCombo(GetDlgItem(dialog, IDC_TBBUTTONS_COMBO_MARK), ToolBarMarkNames, TOOLBAR_MARK_COUNT);
    FillNameCombo(GetDlgItem(dialog, IDC_TBBUTTONS_COMBO_COLOR), ToolBarColorNames, TOOLBAR_COLOR_COUNT);
    PlaceDialog(dialog);
    return TRUE;
}

// The button the combos describe; false without a function.
bool ChosenButton(HWND dialog, ToolBarButton* button)
{
    *button = ToolBarButton{};
    HWND function = GetDlgItem(dialog, IDC_TBBUTTONS_COMBO_FUNCTION);
    LRESULT index = SendMessageA(function, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return false;
    button->Code = (WORD)SendMessageA(function, CB_GETITEMDATA, (WPARAM)index, 0);
    if (button->Code >= TOOLBAR_CODE_PLUGIN_FIRST) {
        const char* file = DialogData(dialog)->Table[button->Code - TOOLBAR_CODE_PLUGIN_FIRST].FileName;
        memcpy(button->Function, file, sizeof(button->Function));
    }
    LRESULT mark = SendDlgItemMessageA(dialog, IDC_TBBUTTONS_COMBO_MARK, CB_GETCURSEL, 0, 0);
    LRESULT color = SendDlgItemMessageA(dialog, IDC_TBBUTTONS_COMBO_COLOR, CB_GETCURSEL, 0, 0);
    button->Mark = (BYTE)(mark == CB_ERR ? kDefaultMark : mark);
    button->Color = (BYTE)(color == CB_ERR ? kDefaultColor : color);
    return true;
}

int SelectedRow(HWND dialog)
{
    return GetSelectedListItem(List(dialog), -1);
}

void ShowRowInCombos(HWND dialog, const ButtonDlgData* data)
{
    int row = SelectedRow(dialog);
    if (row < 0 || row >= ToolBarRowCount(data->Work))
        return;
    const ToolBarButton& record = data->Work[row + 1];
    HWND function = GetDlgItem(dialog, IDC_TBBUTTONS_COMBO_FUNCTION);
    if (IsValidToolBarCode(record.Code))
        SelectComboCode(function, record.Code);
    else
        SelectComboString(function, ToolBarFunctionName(&record, data->Table), 1);
    SelectComboString(GetDlgItem(dialog, IDC_TBBUTTONS_COMBO_MARK), ToolBarMarkNames[record.Mark], 1);
    SelectComboString(GetDlgItem(dialog, IDC_TBBUTTONS_COMBO_COLOR), ToolBarColorNames[record.Color], 1);
}

void Edit(HWND dialog, ButtonDlgData* data, WORD id)
{
    ToolBarButton button;
    int row = SelectedRow(dialog);
    int shown = -1;
    switch (id) {
    case IDC_TBBUTTONS_BTN_ADD:
        if (!ChosenButton(dialog, &button))
            return;
        shown = AddToolBarButton(data->Work, row, button);
        break;
    case IDC_TBBUTTONS_BTN_UPDATE:
        if (row < 0 || !ChosenButton(dialog, &button))
            return;
        shown = UpdateToolBarButton(data->Work, row, button) ? row : -1;
        break;
    case IDC_TBBUTTONS_BTN_DELETE:
        if (!DeleteToolBarButton(data->Work, row))
            return;
        break;
    case IDC_TBBUTTONS_BTN_UP:
    case IDC_TBBUTTONS_BTN_DOWN:
        shown = MoveToolBarButton(data->Work, row, id == IDC_TBBUTTONS_BTN_UP);
        break;
    }
    if (shown < 0 && id != IDC_TBBUTTONS_BTN_DELETE)
        return;
    FillButtonFunctionList(dialog, data->Work, shown);
}

// The dialog's rectangle, and with OK its buttons, which find their plug-in entries again in the table as it is
// now: the host may have given a new one while the dialog was open.
void Finish(HWND dialog, ButtonDlgData* data, WORD id)
{
    RECT rect;
    bool placed = GetWindowRect(dialog, &rect) != 0;
    {
        ToolBarLock lock(true);
        ToolBarFile& file = g_toolBar.File;
        if (placed) {
            file.ButtonWindowX = rect.left;
            file.ButtonWindowY = rect.top;
            file.ButtonWindowWidth = rect.right - rect.left;
            file.ButtonWindowHeight = rect.bottom - rect.top;
        }
        if (id == IDOK) {
            memcpy(file.Buttons, data->Work, sizeof(data->Work));
            ResolveToolBarButtons(file.Buttons, g_toolBar.MenuTable);
            CheckToolBarButtons(file.Buttons);
        }
    }
    RefreshToolBar();
    if (id == IDOK)
        SaveToolBarSetting();
    EndDialog(dialog, id);
}

INT_PTR OnCommand(HWND dialog, WORD id)
{
    ButtonDlgData* data = DialogData(dialog);
    if (!data)
        return FALSE;
    switch (id) {
    case IDC_TBBUTTONS_BTN_ADD:
    case IDC_TBBUTTONS_BTN_UPDATE:
    case IDC_TBBUTTONS_BTN_DELETE:
    case IDC_TBBUTTONS_BTN_UP:
    case IDC_TBBUTTONS_BTN_DOWN:
        Edit(dialog, data, id);
        return TRUE;
    case IDOK:
    case IDCANCEL:
        Finish(dialog, data, id);
        return TRUE;
    }
    return FALSE;
}

INT_PTR OnNotify(HWND dialog, const NMHDR* header)
{
    ButtonDlgData* data = DialogData(dialog);
    if (!data || header->idFrom != IDC_TBBUTTONS_LIST || header->code != NM_DBLCLK)
        return FALSE;
    ShowRowInCombos(dialog, data);
    return TRUE;
}

INT_PTR OnDrawItem(const DRAWITEMSTRUCT* item)
{
    int kind = item->CtlID == IDC_TBBUTTONS_BTN_UP ? GLYPH_ARROW_UP : item->CtlID == IDC_TBBUTTONS_BTN_DOWN ? GLYPH_ARROW_DOWN : 0;
    if (!kind)
        return FALSE;
    const COLORREF* c = ToolBarColorRow(kGreenRow);
    DrawGlyphButton(item, kind, c[0], c[1], c[2], c[3], c[4]);
    return TRUE;
}

INT_PTR CALLBACK ButtonDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, (ButtonDlgData*)lParam);
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
    case WM_NOTIFY:
        return OnNotify(dialog, (const NMHDR*)lParam);
    case WM_DRAWITEM:
        return OnDrawItem((const DRAWITEMSTRUCT*)lParam);
    }
    return FALSE;
}

}  // namespace

INT_PTR RunToolBarButtonDialog(HWND owner)
{
    ButtonDlgData* data = (ButtonDlgData*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(ButtonDlgData));
    if (!data)
        return IDCANCEL;
    data->Table = CopyToolBarMenuTable();
    if (!data->Table) {
        HeapFree(GetProcessHeap(), 0, data);
        return IDCANCEL;
    }
    {
        ToolBarLock lock(false);
        memcpy(data->Work, g_toolBar.File.Buttons, sizeof(data->Work));
    }
    INT_PTR result = DialogBoxParamA(g_toolBar.Module, MAKEINTRESOURCEA(IDD_TOOLBAR_BUTTONS), owner, ButtonDlgProc,
                                     (LPARAM)data);
    HeapFree(GetProcessHeap(), 0, data->Table);
    HeapFree(GetProcessHeap(), 0, data);
    return result == IDOK ? IDOK : IDCANCEL;
}

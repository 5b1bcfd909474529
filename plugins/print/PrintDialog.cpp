// The print dialog: the printer list with a DEVMODE per printer, the four option pages on a tab, and the Print,
// Preview, printer-properties, help and version buttons. It only assembles; the pages keep their own controls.
#include "PrintPlugIn.h"

#include <commctrl.h>
#include <stdio.h>
#include <string.h>

#include "AppInfo.h"
#include "DialogTheme.h"
#include "PrintPages.h"
#include "PrintResource.h"
#include "StrUtil.h"
#include "UserMessage.h"
#include "VersionDialog.h"
#include "WindowPlacement.h"

namespace {

const char kNoPrinter[] = "プリンタがインストールされていません";
const char kNoPrinterInfo[] = "プリンタ情報の取得に失敗しました";
const char kCannotPrint[] = "印刷できません";
const char kCannotPreview[] = "印刷の確認ができません";
const char kSent[] = "プリンタにデータを送りました";
const char kHelpFile[] = "PlugIn\\DaylensPrint.chm";
const char kHelpTopic[] = "_RESOURCE/Help-howtouse.html";
const char* const kTabTexts[PRINT_PAGE_COUNT] = {" 範囲 ", " 基本設定 ", " フォント ", " 色 "};
const DWORD kEnumFlags[] = {PRINTER_ENUM_DEFAULT, PRINTER_ENUM_LOCAL, PRINTER_ENUM_NAME, PRINTER_ENUM_CONNECTIONS};

// The printer names of the open dialog, in the order of the list.
char g_names[PRINT_PRINTER_MAX][PRINTER_NAME_SIZE];
int g_nameCount;

void Warn(HWND dialog, const char* text)
{
    TellUser(dialog, text, MB_OK | MB_ICONWARNING);
}

void FreeDevModes()
{
    for (DEVMODEA*& mode : g_print.DevModes) {
        if (mode)
            HeapFree(GetProcessHeap(), 0, mode);
        mode = nullptr;
    }
    g_print.DevMode = nullptr;
}

// Names of one kind of EnumPrinters, asked for their size first and read into a buffer of that size.
void AddEnumeratedPrinters(DWORD flags)
{
    DWORD needed = 0, returned = 0;
    EnumPrintersA(flags, nullptr, 5, nullptr, 0, &needed, &returned);
    if (needed == 0)
        return;
    BYTE* buffer = (BYTE*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, needed);
    if (!buffer)
        return;
    if (EnumPrintersA(flags, nullptr, 5, buffer, needed, &needed, &returned)) {
        const PRINTER_INFO_5A* printers = (const PRINTER_INFO_5A*)buffer;
        for (DWORD i = 0; i < returned && i < PRINT_PRINTER_MAX; i++) {
            if (printers[i].pPrinterName)
                g_nameCount = AddPrinterName(g_names, g_nameCount, PRINT_PRINTER_MAX, printers[i].pPrinterName);
        }
    }
    HeapFree(GetProcessHeap(), 0, buffer);
}

// The driver's DEVMODE of a printer with the plug-in's orientation, colour and duplex; null when it cannot be had.
DEVMODEA* ReadDevMode(HWND dialog, const char* name)
{
    HANDLE printer = nullptr;
    if (!OpenPrinterA((char*)name, &printer, nullptr))
        return nullptr;
    LONG size = DocumentPropertiesA(dialog, printer, (char*)name, nullptr, nullptr, 0);
    DEVMODEA* mode = size > 0 ? (DEVMODEA*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, (SIZE_T)size) : nullptr;
    if (mode && DocumentPropertiesA(dialog, printer, (char*)name, mode, nullptr, DM_OUT_BUFFER) != IDOK) {
        HeapFree(GetProcessHeap(), 0, mode);
        mode = nullptr;
    }
    ClosePrinter(printer);
    if (!mode)
        return nullptr;
    const PrintSettings& s = g_print.Settings;
    mode->dmOrientation = (short)s.Orientation;
    if (mode->dmFields & DM_COLOR)
        mode->dmColor = (short)s.Color;
    if (mode->dmFields & DM_DUPLEX)
        mode->dmDuplex = (short)s.Duplex;
    return mode;
}

// The list and its DEVMODEs; 0 when there is no default printer.
int FillPrinters(HWND dialog)
{
    char device[PRINT_DEVICE_NAME_SIZE] = "";
    GetProfileStringA("windows", "device", "", device, sizeof(device));
    char* comma = strchr(device, ',');
    if (comma)
        *comma = '\0';
    if (!device[0])
        return 0;
    g_nameCount = AddPrinterName(g_names, 0, PRINT_PRINTER_MAX, device);
    for (DWORD flags : kEnumFlags)
        AddEnumeratedPrinters(flags);
    HWND combo = GetDlgItem(dialog, IDC_PRINT_COMBO_PRINTER);
    for (int i = 0; i < g_nameCount; i++) {
        SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)g_names[i]);
        if (!g_print.DevModes[i]) {
            g_print.DevModes[i] = ReadDevMode(dialog, g_names[i]);
            if (!g_print.DevModes[i])
                Warn(dialog, kNoPrinterInfo);
        }
    }
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    return 1;
}

void ApplyPages()
{
    for (HWND page : g_print.Pages) {
        if (page)
            SendMessageA(page, WM_COMMAND, PAGE_CMD_APPLY, 0);
    }
}

// The selected printer becomes the one in use; with no selection the previous one stays.
void ChooseSelectedPrinter(HWND dialog)
{
    int index = (int)SendDlgItemMessageA(dialog, IDC_PRINT_COMBO_PRINTER, CB_GETCURSEL, 0, 0);
    if (index < 0 || index >= g_nameCount)
        return;
    SafeStrCpy(g_print.DeviceName, sizeof(g_print.DeviceName), g_names[index]);
    g_print.DevMode = g_print.DevModes[index];
}

void StorePosition(HWND dialog)
{
    RECT frame;
    if (GetWindowRect(dialog, &frame)) {
        g_print.Settings.WindowX = frame.left;
        g_print.Settings.WindowY = frame.top;
    }
}

void OnPrint(HWND dialog)
{
    ApplyPages();
    NotifyPrintPreviewChange();
    ChooseSelectedPrinter(dialog);
    if (!g_print.DevMode)
        return;
    HCURSOR old = SetCursor(g_print.PrintCursor);
    SetCapture(dialog);
    HDC dc = CreateDCA(nullptr, g_print.DeviceName, nullptr, g_print.DevMode);
    int sent = 0;
    if (dc) {
        sent = PrintMonths(dc, CurrentPageSources(), DevicePageMetrics(dc), g_print.FromYear, g_print.FromMonth,
                           g_print.ToYear, g_print.ToMonth);
        DeleteDC(dc);
    }
    ReleaseCapture();
    SetCursor(old);
    if (sent)
        TellUser(dialog, kSent, MB_OK | MB_ICONINFORMATION);
    else
        Warn(dialog, kCannotPrint);
    StorePosition(dialog);
}

void OnPreview(HWND dialog)
{
    if (g_print.Preview.Window)
        return;
    ApplyPages();
    ChooseSelectedPrinter(dialog);
    if (!g_print.DevMode)
        return;
    HDC dc = CreateDCA(nullptr, g_print.DeviceName, nullptr, g_print.DevMode);
    if (!dc) {
        Warn(dialog, kCannotPreview);
        return;
    }
    PageMetrics metrics = DevicePageMetrics(dc);
    DeleteDC(dc);
    if (!ShowPrintPreview(&metrics))
        Warn(dialog, kCannotPreview);
}

void OnProperties(HWND dialog)
{
    int index = (int)SendDlgItemMessageA(dialog, IDC_PRINT_COMBO_PRINTER, CB_GETCURSEL, 0, 0);
    if (index < 0 || index >= g_nameCount || !g_print.DevModes[index])
        return;
    HANDLE printer = nullptr;
    if (!OpenPrinterA(g_names[index], &printer, nullptr))
        return;
    DEVMODEA* old = g_print.DevModes[index];
    LONG size = DocumentPropertiesA(dialog, printer, g_names[index], nullptr, nullptr, 0);
    DEVMODEA* mode = size > 0 ? (DEVMODEA*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, (SIZE_T)size) : nullptr;
    bool taken = mode && DocumentPropertiesA(dialog, printer, g_names[index], mode, old,
                                             DM_IN_BUFFER | DM_OUT_BUFFER | DM_IN_PROMPT) == IDOK;
    ClosePrinter(printer);
    if (!taken) {
        if (mode)
            HeapFree(GetProcessHeap(), 0, mode);
        return;
    }
    if (g_print.DevMode == old)
        g_print.DevMode = mode;
    HeapFree(GetProcessHeap(), 0, old);
    g_print.DevModes[index] = mode;
    PrintSettings& s = g_print.Settings;
    if (mode->dmFields & DM_ORIENTATION)
        s.Orientation = mode->dmOrientation;
    if (mode->dmFields & DM_COLOR)
        s.Color = mode->dmColor;
    if (mode->dmFields & DM_DUPLEX)
        s.Duplex = mode->dmDuplex;
    KeepDeviceSettingsInRange(&s);
    if (g_print.Preview.Window) {
        HDC dc = CreateDCA(nullptr, g_names[index], nullptr, mode);
        if (dc) {
            PageMetrics metrics = DevicePageMetrics(dc);
            DeleteDC(dc);
            ShowPrintPreview(&metrics);
        }
    }
}

void OnHelp(HWND dialog)
{
    if (!g_print.Info)
        return;
    char help[MAX_PATH * 2];
    snprintf(help, sizeof(help), "%s%s", g_print.Info->GetProgramDir(), kHelpFile);
    int tab = (int)SendDlgItemMessageA(dialog, IDC_PRINT_TAB, TCM_GETCURSEL, 0, 0);
    char topic[128];
    if (tab >= 0)
        snprintf(topic, sizeof(topic), "%s#tab%02d", kHelpTopic, tab + 1);
    else
        snprintf(topic, sizeof(topic), "%s", kHelpTopic);
    g_print.Info->ShowHelp(dialog, help, topic);
}

void EndPrintDialog(HWND dialog)
{
    for (HWND& page : g_print.Pages) {
        if (page && IsWindow(page))
            SendMessageA(page, WM_COMMAND, IDCANCEL, 0);
        page = nullptr;
    }
    ClosePrintPreview();
    g_print.DialogOpen = 0;
    EndDialog(dialog, IDCANCEL);
    g_print.Dialog = nullptr;
}

// "閉じる" keeps where the user left the dialog for the next opening.
void CloseDialog(HWND dialog)
{
    StorePosition(dialog);
    EndPrintDialog(dialog);
}

void ShowPage(HWND dialog, int index)
{
    if (index < 0 || index >= PRINT_PAGE_COUNT || !g_print.Pages[index])
        index = 0;
    for (int i = 0; i < PRINT_PAGE_COUNT; i++) {
        if (g_print.Pages[i])
            ShowWindow(g_print.Pages[i], i == index ? SW_SHOW : SW_HIDE);
    }
    SendDlgItemMessageA(dialog, IDC_PRINT_TAB, TCM_SETCURSEL, (WPARAM)index, 0);
    g_print.Settings.SelectedTab = (BYTE)index;
}

void CreatePages(HWND dialog)
{
    HWND tab = GetDlgItem(dialog, IDC_PRINT_TAB);
    for (int i = 0; i < PRINT_PAGE_COUNT; i++) {
        TCITEMA item = {TCIF_TEXT};
        item.pszText = (char*)kTabTexts[i];
        SendMessageA(tab, TCM_INSERTITEMA, (WPARAM)i, (LPARAM)&item);
    }
    HWND (*const creators[PRINT_PAGE_COUNT])(HWND) = {CreateRangePage, CreateBasicPage, CreateFontPage,
                                                      CreateColorPage};
    RECT area;
    GetClientRect(tab, &area);
    SendMessageA(tab, TCM_ADJUSTRECT, FALSE, (LPARAM)&area);
    MapWindowPoints(tab, dialog, (POINT*)&area, 2);
    for (int i = 0; i < PRINT_PAGE_COUNT; i++) {
        g_print.Pages[i] = creators[i](dialog);
        if (g_print.Pages[i])
            SetWindowPos(g_print.Pages[i], HWND_TOP, area.left, area.top, area.right - area.left,
                         area.bottom - area.top, SWP_HIDEWINDOW);
    }
    ShowPage(dialog, g_print.Settings.SelectedTab);
}

BOOL OnInit(HWND dialog)
{
    if (g_print.DialogOpen) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    g_print.DialogOpen = 1;
    g_print.Dialog = dialog;
    if (g_print.Info)
        g_print.Info->SetWindowIcons(dialog, g_print.BigIcon, g_print.SmallIcon);
    // Without a printer the dialog was never where the user could move it: the stored position stays.
    if (!FillPrinters(dialog)) {
        Warn(dialog, kNoPrinter);
        EndPrintDialog(dialog);
        return TRUE;
    }
    CreatePages(dialog);
    ShowWindow(GetDlgItem(dialog, IDC_PRINT_BTN_UPDATE), SW_HIDE);
    // A position off every screen (another monitor set-up, a hand-edited file) would put the modal dialog out of
    // reach.
    MoveWindowOntoScreen(dialog, g_print.Settings.WindowX, g_print.Settings.WindowY);
    return TRUE;
}

void OnCommand(HWND dialog, int command)
{
    switch (command) {
    case PRINT_CMD_PRINT: OnPrint(dialog); break;
    case PRINT_CMD_PREVIEW: OnPreview(dialog); break;
    case IDC_PRINT_BTN_PROPERTIES: OnProperties(dialog); break;
    case PRINT_CMD_HELP: OnHelp(dialog); break;
    case IDC_PRINT_BTN_VERSION:
        ShowAboutBox(g_print.Module, IDD_PRINT_ABOUT, dialog, g_print.BigIcon, g_print.SmallIcon, nullptr,
                     g_print.Info, 0);
        break;
    case PRINT_CMD_CLOSE: CloseDialog(dialog); break;
    }
}

INT_PTR CALLBACK PrintDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInit(dialog);
    case WM_COMMAND: OnCommand(dialog, LOWORD(wParam)); return TRUE;
    case WM_CLOSE: CloseDialog(dialog); return TRUE;
    case WM_NOTIFY: {
        const NMHDR* header = (const NMHDR*)lParam;
        if (header->idFrom == IDC_PRINT_TAB && header->code == TCN_SELCHANGE)
            ShowPage(dialog, (int)SendMessageA(header->hwndFrom, TCM_GETCURSEL, 0, 0));
        return TRUE;
    }
    }
    return FALSE;
}

}  // namespace

int RunPrintDialog()
{
    g_nameCount = 0;
    DialogBoxParamA(g_print.Module, MAKEINTRESOURCEA(IDD_PRINT), nullptr, PrintDialogProc, 0);
    ClosePrintPreview();
    FreeDevModes();
    g_print.Dialog = nullptr;
    g_print.DialogOpen = 0;
    return 1;
}

void ClosePrintDialog()
{
    ClosePrintPreview();
    if (g_print.Dialog && IsWindow(g_print.Dialog))
        CloseDialog(g_print.Dialog);
}

int ActivatePrintDialog()
{
    if (g_print.Dialog && IsWindow(g_print.Dialog))
        SetForegroundWindow(g_print.Dialog);
    return 1;
}

void NotifyPrintPreviewChange()
{
    if (g_print.Preview.Window)
        ShowPrintPreview(nullptr);
}

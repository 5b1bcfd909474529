// Page " ウィンドウ ": the background and frame colours, the frame's gradation, shape, width and roundness, the
// window margins and the background picture.
#include "SettingsDialog.h"

#include "EnvData.h"
#include "FileDialogs.h"
#include "PageButtons.h"
#include "SettingsDialogIds.h"
#include "SettingsPage.h"
#include "SettingsToolTips.h"

namespace {

const int kFrameMax = 1600;
const int kMarginMax = WINDOW_MARGIN_MAX;
const char* const kGradations[] = {"なし", "外(枠1)→内(枠2)", "外(枠2)→内(枠1)", "外(枠1)→内(枠2)→外(枠1)",
                                   "外(枠2)→内(枠1)→外(枠2)"};
const char kImageTitle[] = "画像ファイルを選択";
const char kImageFilter[] = "画像ファイル(*.bmp;*.gif;*.jpg;*.png)\0*.bmp;*.gif;*.jpg;*.png\0";

struct NumberEdit {
    int Edit;
    int Spin;
    int Maximum;
    int EnvData::*Field;
};

const NumberEdit kNumbers[] = {
    {IDC_ENVWINDOW_EDIT_FRAME_WIDTH, IDC_ENVWINDOW_SPIN_FRAME_WIDTH, kFrameMax, &EnvData::FrameWidth},
    {IDC_ENVWINDOW_EDIT_ROUND_WIDTH, IDC_ENVWINDOW_SPIN_ROUND_WIDTH, kFrameMax, &EnvData::RoundWidth},
    {IDC_ENVWINDOW_EDIT_MARGIN_TOP, IDC_ENVWINDOW_SPIN_MARGIN_TOP, kMarginMax, &EnvData::MarginTop},
    {IDC_ENVWINDOW_EDIT_MARGIN_RIGHT, IDC_ENVWINDOW_SPIN_MARGIN_RIGHT, kMarginMax, &EnvData::MarginRight},
    {IDC_ENVWINDOW_EDIT_MARGIN_LEFT, IDC_ENVWINDOW_SPIN_MARGIN_LEFT, kMarginMax, &EnvData::MarginLeft},
    {IDC_ENVWINDOW_EDIT_MARGIN_BOTTOM, IDC_ENVWINDOW_SPIN_MARGIN_BOTTOM, kMarginMax, &EnvData::MarginBottom},
};

PageFlags s_flags;

INT_PTR OnInitDialog(HWND page)
{
    BeginPage(page, &s_flags);
    EnvData* work = SettingsWorkingCopy();
    if (!work)
        return TRUE;
    CheckRadioIndex(page, IDC_ENVWINDOW_RADIO_RECTANGLE, IDC_ENVWINDOW_RADIO_ROUNDED, work->FrameShape);
    for (const NumberEdit& number : kNumbers)
        ShowUpDownNumber(page, number.Edit, number.Spin, 0, number.Maximum, work->*number.Field);
    HWND combo = GetDlgItem(page, IDC_ENVWINDOW_COMBO_GRADATION);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const char* gradation : kGradations)
        SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)gradation);
    SendMessageA(combo, CB_SETCURSEL, work->FrameGradation, 0);
    SetDlgItemTextA(page, IDC_ENVWINDOW_EDIT_BACK_IMAGE, work->BackImage);
    s_flags.Initialised = 1;
    SetWindowToolTips(page, 1);
    return TRUE;
}

void Changed(HWND page)
{
    InvalidateRect(page, nullptr, TRUE);
    MarkPageChanged(&s_flags, 1);
}

void OnNumber(HWND page, EnvData* work, const NumberEdit& number)
{
    int value;
    if (!ReadEditCount(page, number.Edit, &value) || value == work->*number.Field)
        return;
    work->*number.Field = value;
    MarkPageChanged(&s_flags, 1);
}

void OnGradation(HWND page, EnvData* work)
{
    int selected = (int)SendDlgItemMessageA(page, IDC_ENVWINDOW_COMBO_GRADATION, CB_GETCURSEL, 0, 0);
    if (selected < 0)
        return;
    work->FrameGradation = (BYTE)selected;
    MarkPageChanged(&s_flags, 1);
}

void BrowseImage(HWND page, EnvData* work)
{
    char path[MAX_PATH] = "";
    GetDlgItemTextA(page, IDC_ENVWINDOW_EDIT_BACK_IMAGE, path, sizeof(path));
    if (OpenFileDialog(page, kImageTitle, path, kImageFilter, nullptr) != 1)
        return;
    SetDlgItemTextA(page, IDC_ENVWINDOW_EDIT_BACK_IMAGE, path);
    lstrcpynA(work->BackImage, path, sizeof(work->BackImage));
    MarkPageChanged(&s_flags, 1);
}

bool OnCommand(HWND page, int id, int code)
{
    EnvData* work = SettingsWorkingCopy();
    if (id == SETTINGS_PAGE_STORE) {
        if (work)
            GetDlgItemTextA(page, IDC_ENVWINDOW_EDIT_BACK_IMAGE, work->BackImage, sizeof(work->BackImage));
        s_flags.Changed = 0;
        return true;
    }
    if (!work)
        return false;
    for (const NumberEdit& number : kNumbers) {
        if (number.Edit != id)
            continue;
        if (code == EN_CHANGE && s_flags.Initialised)
            OnNumber(page, work, number);
        return true;
    }
    switch (id) {
    case IDC_ENVWINDOW_BTN_BACK_COLOR:
    case IDC_ENVWINDOW_BTN_FRAME_COLOR1:
    case IDC_ENVWINDOW_BTN_FRAME_COLOR2: {
        COLORREF* color = id == IDC_ENVWINDOW_BTN_BACK_COLOR     ? &work->BackColor
                          : id == IDC_ENVWINDOW_BTN_FRAME_COLOR1 ? &work->FrameColor1
                                                                 : &work->FrameColor2;
        if (PickColor(page, color))
            Changed(page);
        return true;
    }
    case IDC_ENVWINDOW_COMBO_GRADATION:
        if (s_flags.Initialised)
            OnGradation(page, work);
        return true;
    case IDC_ENVWINDOW_RADIO_RECTANGLE:
    case IDC_ENVWINDOW_RADIO_ELLIPSE:
    case IDC_ENVWINDOW_RADIO_ROUNDED:
        if (s_flags.Initialised) {
            work->FrameShape = (BYTE)(id - IDC_ENVWINDOW_RADIO_RECTANGLE);
            MarkPageChanged(&s_flags, 1);
        }
        return true;
    case IDC_ENVWINDOW_BTN_BROWSE: BrowseImage(page, work); return true;
    case IDC_ENVWINDOW_EDIT_BACK_IMAGE: return true;
    }
    return false;
}

bool OnDrawItem(const DRAWITEMSTRUCT* item)
{
    const EnvData* work = SettingsWorkingCopy();
    if (!work)
        return false;
    switch (item->CtlID) {
    case IDC_ENVWINDOW_BTN_BACK_COLOR: DrawColorButton(item, work->BackColor); return true;
    case IDC_ENVWINDOW_BTN_FRAME_COLOR1: DrawColorButton(item, work->FrameColor1); return true;
    case IDC_ENVWINDOW_BTN_FRAME_COLOR2: DrawColorButton(item, work->FrameColor2); return true;
    }
    return false;
}

}  // namespace

INT_PTR CALLBACK EnvWindowProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DRAWITEM && OnDrawItem((const DRAWITEMSTRUCT*)lParam))
        return TRUE;
    return DispatchPageMessage(page, message, wParam, &s_flags, OnInitDialog, OnCommand);
}

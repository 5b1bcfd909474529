#include "PopupViewSetDialog.h"

#include "AppInfo.h"
#include "CaptionButton.h"
#include "Choosers.h"
#include "PopupViewIds.h"
#include "PopupViewState.h"
#include "UpDownControl.h"

namespace {

const char kHelpTopic[] = "_RESOURCE/Help-howtouse.html";
const BYTE kShiftJisCharSet = 128;
// The engraving under the caption keeps a light colour readable on the light face.
const COLORREF kEngraveColor = 0x808080;

// The working copy of what the dialog changes before OK.
struct PopupSetDialogData {
    COLORREF BackColor;
    COLORREF ForeColor;
    COLORREF FrameColor;
    COLORREF ShadowColor;
    BYTE CloseType;
    LOGFONTA Font;
};

struct DirectionRadio {
    int Id;
    int Direction;
};

const DirectionRadio kDirections[] = {
    {IDC_POPUPSET_RADIO_UP_RIGHT, 2}, {IDC_POPUPSET_RADIO_DOWN_RIGHT, 4}, {IDC_POPUPSET_RADIO_DOWN_LEFT, 6},
    {IDC_POPUPSET_RADIO_UP_LEFT, 8},  {IDC_POPUPSET_RADIO_OUTLINE, 255},
};

struct CheckBox {
    int Id;
    int PopupViewSettings::*Field;
};

const CheckBox kChecks[] = {
    {IDC_POPUPSET_CHECK_GRADATION, &PopupViewSettings::Gradation},
    {IDC_POPUPSET_CHECK_AUTO_SIZE, &PopupViewSettings::AutoSize},
    {IDC_POPUPSET_CHECK_FIX_POS, &PopupViewSettings::FixPos},
    {IDC_POPUPSET_CHECK_FIX_SIZE, &PopupViewSettings::FixSize},
    {IDC_POPUPSET_CHECK_SHOW_CLOSE, &PopupViewSettings::ShowClose},
    {IDC_POPUPSET_CHECK_SHOW_ALPHA, &PopupViewSettings::ShowAlpha},
};

// An edit with its up-down and the range both keep.
struct NumberBox {
    int Edit;
    int Spin;
    int Low;
    int High;
};

const NumberBox kFrameWidth = {IDC_POPUPSET_EDIT_FRAME_WIDTH, IDC_POPUPSET_SPIN_FRAME_WIDTH, POPUPVIEW_FRAME_WIDTH_MIN,
                               POPUPVIEW_FRAME_WIDTH_MAX};
const NumberBox kRoundWidth = {IDC_POPUPSET_EDIT_ROUND_WIDTH, IDC_POPUPSET_SPIN_ROUND_WIDTH, 0,
                               POPUPVIEW_ROUND_WIDTH_MAX};
const NumberBox kShadowWidth = {IDC_POPUPSET_EDIT_SHADOW_WIDTH, IDC_POPUPSET_SPIN_SHADOW_WIDTH, 0,
                                POPUPVIEW_SHADOW_WIDTH_MAX};
const NumberBox kSpeed = {IDC_POPUPSET_EDIT_SPEED, IDC_POPUPSET_SPIN_SPEED, POPUPVIEW_SPEED_MIN, POPUPVIEW_SPEED_MAX};
const NumberBox kCloseTime = {IDC_POPUPSET_EDIT_CLOSE_TIME, IDC_POPUPSET_SPIN_CLOSE_TIME, 0,
                              POPUPVIEW_CLOSE_TIME_MAX};

// A copy: the popup on the memo watcher's thread may change its place or flags while the dialog is open.
PopupViewSettings Settings()
{
    return CopyPopupViewSettings();
}

PopupSetDialogData* Data(HWND dialog)
{
    return (PopupSetDialogData*)GetWindowLongPtrA(dialog, DWLP_USER);
}

void SetNumberBox(HWND dialog, const NumberBox& box, int value)
{
    SetUpDownItem(dialog, box.Spin, box.Low, box.High, ClampDialogValue(value, box.Low, box.High));
}

// The number in the edit, 0 when it cannot be read, held to the box's range.
int ReadNumberBox(HWND dialog, const NumberBox& box)
{
    BOOL ok = FALSE;
    int value = (int)GetDlgItemInt(dialog, box.Edit, &ok, TRUE);
    return ClampDialogValue(ok ? value : 0, box.Low, box.High);
}

void EnableCloseTime(HWND dialog, int closeType)
{
    EnableWindow(GetDlgItem(dialog, kCloseTime.Edit), closeType == POPUPVIEW_AUTO_CLOSE);
    EnableWindow(GetDlgItem(dialog, kCloseTime.Spin), closeType == POPUPVIEW_AUTO_CLOSE);
}

BOOL OnInitDialog(HWND dialog, PopupSetDialogData* data)
{
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)data);
    PopupViewState* state = PopupView();
    PopupViewSettings s = Settings();
    if (state->Info)
        state->Info->SetWindowIcons(dialog, state->BigIcon, state->SmallIcon);
    data->BackColor = s.BackColor;
    data->ForeColor = s.ForeColor;
    data->FrameColor = s.FrameColor;
    data->ShadowColor = s.ShadowColor;
    data->CloseType = s.CloseType == POPUPVIEW_AUTO_CLOSE ? POPUPVIEW_AUTO_CLOSE : POPUPVIEW_STAY_OPEN;
    data->Font = s.Font;
    SetNumberBox(dialog, kFrameWidth, s.FrameWidth);
    SetNumberBox(dialog, kRoundWidth, s.RoundWidth);
    SetNumberBox(dialog, kShadowWidth, s.ShadowWidth);
    SetNumberBox(dialog, kSpeed, s.PopupSpeed);
    SetNumberBox(dialog, kCloseTime, s.CloseTime);
    int direction = DialogShadowDirection(s.ShadowDirection);
    for (const DirectionRadio& radio : kDirections)
        CheckDlgButton(dialog, radio.Id, radio.Direction == direction ? BST_CHECKED : BST_UNCHECKED);
    for (const CheckBox& check : kChecks)
        CheckDlgButton(dialog, check.Id, s.*check.Field ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(dialog, IDC_POPUPSET_RADIO_STAY_OPEN, IDC_POPUPSET_RADIO_AUTO_CLOSE,
                     data->CloseType == POPUPVIEW_AUTO_CLOSE ? IDC_POPUPSET_RADIO_AUTO_CLOSE
                                                             : IDC_POPUPSET_RADIO_STAY_OPEN);
    EnableCloseTime(dialog, data->CloseType);
    return TRUE;
}

void OnDrawItem(HWND dialog, const DRAWITEMSTRUCT* item)
{
    PopupSetDialogData* data = Data(dialog);
    if (!data)
        return;
    char text[64] = "";
    GetDlgItemTextA(dialog, (int)item->CtlID, text, sizeof(text));
    COLORREF color = 0;
    const LOGFONTA* font = nullptr;
    switch (item->CtlID) {
    case IDC_POPUPSET_BTN_BACK_COLOR: color = data->BackColor; break;
    case IDC_POPUPSET_BTN_FORE_COLOR: color = data->ForeColor; break;
    case IDC_POPUPSET_BTN_FRAME_COLOR: color = data->FrameColor; break;
    case IDC_POPUPSET_BTN_SHADOW_COLOR: color = data->ShadowColor; break;
    case IDC_POPUPSET_BTN_FONT:
        font = &data->Font;
        lstrcpynA(text, font->lfCharSet == kShiftJisCharSet ? "フォント" : "Font", sizeof(text));
        break;
    default:
        return;
    }
    DrawCaptionButton(item, text, font, BUTTON_SHAPE_SQUARE, 1, color, kEngraveColor, CAPTION_BUTTON_LIGHT,
                      CAPTION_BUTTON_LIGHT, CAPTION_BUTTON_DARK);
}

void ChooseColor(HWND dialog, int id, COLORREF* color)
{
    if (ChooseColorDialog(dialog, color, PopupView()->CustomColors))
        InvalidateRect(GetDlgItem(dialog, id), nullptr, TRUE);
}

void OnOk(HWND dialog, PopupSetDialogData* data)
{
    PopupViewState* state = PopupView();
    PopupViewSettings s = Settings();
    s.Font = data->Font;
    s.BackColor = data->BackColor;
    s.ForeColor = data->ForeColor;
    s.FrameColor = data->FrameColor;
    s.ShadowColor = data->ShadowColor;
    s.FrameWidth = (BYTE)ReadNumberBox(dialog, kFrameWidth);
    s.RoundWidth = (BYTE)ReadNumberBox(dialog, kRoundWidth);
    s.ShadowWidth = (BYTE)ReadNumberBox(dialog, kShadowWidth);
    s.ShadowDirection = 4;
    for (const DirectionRadio& radio : kDirections) {
        if (IsDlgButtonChecked(dialog, radio.Id) == BST_CHECKED)
            s.ShadowDirection = (BYTE)radio.Direction;
    }
    for (const CheckBox& check : kChecks)
        s.*check.Field = IsDlgButtonChecked(dialog, check.Id) == BST_CHECKED ? 1 : 0;
    s.PopupSpeed = ReadNumberBox(dialog, kSpeed);
    s.CloseType = data->CloseType;
    s.CloseTime = ReadNumberBox(dialog, kCloseTime);
    SetPopupViewSettingsButPlace(s);
    SavePopupViewSetting();
    HWND popup = state->Popup;
    if (popup)
        PostMessageA(popup, WM_COMMAND, IDM_POPUPVIEW_REDRAW, 0);
    EndDialog(dialog, IDOK);
}

void OnCommand(HWND dialog, int id)
{
    PopupSetDialogData* data = Data(dialog);
    // Cancelled before it took its data (the popup that opened it is closing): nothing was changed yet.
    if (!data) {
        if (id == IDCANCEL)
            EndDialog(dialog, IDCANCEL);
        return;
    }
    switch (id) {
    case IDC_POPUPSET_BTN_BACK_COLOR: ChooseColor(dialog, id, &data->BackColor); break;
    case IDC_POPUPSET_BTN_FORE_COLOR: ChooseColor(dialog, id, &data->ForeColor); break;
    case IDC_POPUPSET_BTN_FRAME_COLOR: ChooseColor(dialog, id, &data->FrameColor); break;
    case IDC_POPUPSET_BTN_SHADOW_COLOR: ChooseColor(dialog, id, &data->ShadowColor); break;
    case IDC_POPUPSET_BTN_FONT:
        if (ChooseFontDialog(dialog, &data->Font, 0, nullptr))
            InvalidateRect(GetDlgItem(dialog, id), nullptr, TRUE);
        break;
    case IDC_POPUPSET_RADIO_STAY_OPEN:
    case IDC_POPUPSET_RADIO_AUTO_CLOSE:
        data->CloseType = id == IDC_POPUPSET_RADIO_AUTO_CLOSE ? POPUPVIEW_AUTO_CLOSE : POPUPVIEW_STAY_OPEN;
        EnableCloseTime(dialog, data->CloseType);
        break;
    case IDC_POPUPSET_BTN_VERSION: ShowPopupViewAbout(dialog); break;
    case IDC_POPUPSET_BTN_HELP: ShowPopupViewHelp(dialog, kHelpTopic); break;
    case IDOK: OnOk(dialog, data); break;
    case IDCANCEL:
        // A font chosen in a cancelled dialog was never kept.
        EndDialog(dialog, IDCANCEL);
        break;
    }
}

INT_PTR CALLBACK PopupViewSetDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, (PopupSetDialogData*)lParam);
    case WM_DRAWITEM: OnDrawItem(dialog, (const DRAWITEMSTRUCT*)lParam); return TRUE;
    case WM_COMMAND: OnCommand(dialog, LOWORD(wParam)); return TRUE;
    }
    return FALSE;
}

}  // namespace

int ClampDialogValue(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

int DialogShadowDirection(int stored)
{
    switch (stored) {
    case 2: case 4: case 6: case 8: case 255:
        return stored;
    default:
        return 4;
    }
}

int RunPopupViewSettings(HWND owner)
{
    PopupViewState* state = PopupView();
    if (InterlockedCompareExchange(&state->SettingsOpen, 1, 0) != 0)
        return 1;
    // Readied once the dialog counts as open, so that a close on another thread leaves it what it uses.
    EnsurePopupViewPlugIn();
    PopupSetDialogData data = {};
    DialogBoxParamA(state->Module, MAKEINTRESOURCEA(IDD_POPUPVIEW_SETTINGS), owner, PopupViewSetDlgProc,
                    (LPARAM)&data);
    InterlockedExchange(&state->SettingsOpen, 0);
    return 1;
}

// The mark dialogs. Both templates share one working block and one set of handlers; the form with user marks adds
// the choice between the individual mark (the controls on the right) and a user mark (the list under the preview).
#include "MarkDialog.h"

#include <string.h>

#include "AppInfo.h"
#include "CaptionButton.h"
#include "Choosers.h"
#include "DayMark.h"
#include "EngineDialogIds.h"
#include "EngineMain.h"
#include "EnvData.h"
#include "FontUtil.h"
#include "LanguageResources.h"
#include "MarkDialogRules.h"
#include "StrUtil.h"
#include "TextDraw.h"
#include "Trace.h"
#include "UpDownControl.h"

namespace {

const char kDefaultName[] = "マーク設定";
const char* const kKindNames[MARK_KIND_COUNT] = {
    "マークなし", "縁取り 1", "縁取り 2", "縁取り 3", "丸",   "丸枠",     "菱形",     "菱形枠", "四角形", "四角枠",
    "三角形",     "三角枠",   "逆三角形", "逆三角枠", "八角形", "八角枠", "下線", "二重下線", "×印",   "レ印"};

struct DirectionRadio {
    int Id;
    int Direction;
};
const DirectionRadio kDirectionRadios[] = {{IDC_MARK_RADIO_UPRIGHT, SHADOW_UP_RIGHT},
                                           {IDC_MARK_RADIO_DOWNRIGHT, SHADOW_DOWN_RIGHT},
                                           {IDC_MARK_RADIO_DOWNLEFT, SHADOW_DOWN_LEFT},
                                           {IDC_MARK_RADIO_UPLEFT, SHADOW_UP_LEFT},
                                           {IDC_MARK_RADIO_OUTLINE, SHADOW_OUTLINE}};
const int kDecorationIds[] = {IDC_MARK_BTN_SHADOWCOLOR, IDC_MARK_EDIT_WIDTH,     IDC_MARK_SPIN_WIDTH,
                              IDC_MARK_RADIO_UPRIGHT,   IDC_MARK_RADIO_DOWNRIGHT, IDC_MARK_RADIO_DOWNLEFT,
                              IDC_MARK_RADIO_UPLEFT,    IDC_MARK_RADIO_OUTLINE,   IDC_MARK_CHECK_GRADATION};
// The owner-drawn buttons, which show the style's colours.
const int kColorButtonIds[] = {IDC_MARK_BTN_MARKCOLOR, IDC_MARK_BTN_FONT, IDC_MARK_BTN_TEXTCOLOR,
                               IDC_MARK_BTN_SHADOWCOLOR};
const COLORREF kUnchangedTextColor = RGB(0, 0, 0);
const int kShortTextSize = 16;

// One mark dialog at a time: the working block belongs to the open one.
bool s_markDialogOpen = false;

MarkDlgState* DialogState(HWND dialog)
{
    return (MarkDlgState*)GetWindowLongPtrA(dialog, DWLP_USER);
}

bool Checked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

int Selection(HWND dialog, int id)
{
    return (int)SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
}

void Enable(HWND dialog, int id, bool enable)
{
    EnableWindow(GetDlgItem(dialog, id), enable);
}

// The kind whose drawing the preview places: a user mark's own kind.
int PreviewKind(const FontStyle& style, const EnvData* env)
{
    int index = style.MarkType - MARK_KIND_USER_BASE;
    if (index < 0 || !env->UserMarks || index >= env->UserStyleMax)
        return style.MarkType;
    return env->UserMarks[index].Style.MarkType;
}

HFONT PreviewFont(MarkDlgState* state, const RECT& client)
{
    LOGFONTA font = state->Work.Style.Font;
    font.lfHeight = MarkPreviewFontHeight(client);
    if (state->PreviewFont && memcmp(&font, &state->PreviewFontOf, sizeof(font)) == 0)
        return state->PreviewFont;
    if (state->PreviewFont)
        DeleteObject(state->PreviewFont);
    state->PreviewFont = CreateFontIndirectA(&font);
    state->PreviewFontOf = font;
    return state->PreviewFont;
}

void OnPreviewPaint(HWND control, MarkDlgState* state)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(control, &paint);
    RECT client;
    GetClientRect(control, &client);
    char text[kShortTextSize] = "";
    GetWindowTextA(control, text, sizeof(text));
    HFONT font = PreviewFont(state, client);
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    PaintMarkPreview(dc, client, text, state->Work.Style, state->Env);
    if (oldFont)
        SelectObject(dc, oldFont);
    EndPaint(control, &paint);
}

void Repaint(HWND dialog)
{
    InvalidateRect(GetDlgItem(dialog, IDC_MARK_PREVIEW), nullptr, FALSE);
    for (int id : kColorButtonIds)
        InvalidateRect(GetDlgItem(dialog, id), nullptr, FALSE);
}

void SubclassPreview(HWND dialog, MarkDlgState* state)
{
    HWND preview = GetDlgItem(dialog, IDC_MARK_PREVIEW);
    if (!preview)
        return;
    SetWindowLongPtrA(preview, GWLP_USERDATA, (LONG_PTR)state);
    state->OldPreviewProc = (WNDPROC)SetWindowLongPtrA(preview, GWLP_WNDPROC, (LONG_PTR)MarkPreviewProc);
}

void RestorePreview(HWND dialog, MarkDlgState* state)
{
    HWND preview = GetDlgItem(dialog, IDC_MARK_PREVIEW);
    if (!state || !state->OldPreviewProc || !preview)
        return;
    SetWindowLongPtrA(preview, GWLP_WNDPROC, (LONG_PTR)state->OldPreviewProc);
    SetWindowLongPtrA(preview, GWLP_USERDATA, 0);
    state->OldPreviewProc = nullptr;
}

bool IndividualChosen(HWND dialog, const MarkDlgState* state)
{
    return !state->WithUserMarks || Checked(dialog, IDC_MARK_RADIO_INDIVIDUAL);
}

int UserMarkCount(const MarkDlgState* state)
{
    return state->Env->UserMarks ? state->Env->UserStyleMax : 0;
}

// The mark kind of the chosen side (the mark box, or the list of user marks).
void TakeChosenMark(HWND dialog, MarkDlgState* state)
{
    BYTE& type = state->Work.Style.MarkType;
    type = (BYTE)ChosenMarkType(IndividualChosen(dialog, state), Selection(dialog, IDC_MARK_COMBO_KIND),
                                Selection(dialog, IDC_MARK_COMBO_USERMARK), UserMarkCount(state), type);
}

void ApplyControlStates(HWND dialog, const MarkDlgState* state)
{
    MarkControlStates states =
        MarkControlStatesOf(state->Work, state->WithUserMarks, IndividualChosen(dialog, state));
    Enable(dialog, IDC_MARK_COMBO_KIND, states.MarkKind);
    Enable(dialog, IDC_MARK_BTN_MARKCOLOR, states.MarkKind);
    Enable(dialog, IDC_MARK_BTN_FONT, states.Font);
    Enable(dialog, IDC_MARK_BTN_TEXTCOLOR, states.TextColor);
    Enable(dialog, IDC_MARK_CHECK_PLAINCOLOR, states.PlainColor);
    for (int id : kDecorationIds)
        Enable(dialog, id, states.Decoration);
    if (!state->WithUserMarks)
        return;
    Enable(dialog, IDC_MARK_RADIO_INDIVIDUAL, states.Choice);
    Enable(dialog, IDC_MARK_RADIO_USERMARK, states.Choice);
    Enable(dialog, IDC_MARK_COMBO_USERMARK, states.UserMark);
}

void FillUserMarks(HWND dialog, const MarkDlgState* state, int individual)
{
    HWND list = GetDlgItem(dialog, IDC_MARK_COMBO_USERMARK);
    for (int i = 0; i < UserMarkCount(state); i++) {
        char name[USER_MARK_NAME_SIZE];
        SafeStrCpy(name, sizeof(name), state->Env->UserMarks[i].Name);
        SendMessageA(list, CB_ADDSTRING, 0, (LPARAM)name);
    }
    int type = state->Work.Style.MarkType;
    SendMessageA(list, CB_SETCURSEL, (WPARAM)(individual ? 0 : type - MARK_KIND_USER_BASE), 0);
    CheckRadioButton(dialog, IDC_MARK_RADIO_INDIVIDUAL, IDC_MARK_RADIO_USERMARK,
                     individual ? IDC_MARK_RADIO_INDIVIDUAL : IDC_MARK_RADIO_USERMARK);
}

void FillMarkKinds(HWND dialog, const MarkDlgState* state)
{
    HWND box = GetDlgItem(dialog, IDC_MARK_COMBO_KIND);
    if (state->Work.EditMark == 1) {
        for (const char* name : kKindNames)
            SendMessageA(box, CB_ADDSTRING, 0, (LPARAM)name);
    }
    int type = state->Work.Style.MarkType;
    int individual = type < MARK_KIND_USER_BASE;
    SendMessageA(box, CB_SETCURSEL, (WPARAM)(state->WithUserMarks && !individual ? 0 : type), 0);
    if (state->WithUserMarks)
        FillUserMarks(dialog, state, individual);
}

void SetDecoration(HWND dialog, const MarkDlgState* state)
{
    const FontStyle& style = state->Work.Style;
    if (state->Work.EditPlainColor == 1)
        CheckDlgButton(dialog, IDC_MARK_CHECK_PLAINCOLOR, style.NoUseStrColor == 1 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_MARK_CHECK_GRADATION, style.Gradation == 1 ? BST_CHECKED : BST_UNCHECKED);
    SetUpDownItem(dialog, IDC_MARK_SPIN_WIDTH, 0, MARK_SHADOW_WIDTH_MAX, style.ShadowWidth);
    for (const DirectionRadio& radio : kDirectionRadios) {
        if (radio.Direction == style.ShadowDirection)
            CheckRadioButton(dialog, IDC_MARK_RADIO_UPRIGHT, IDC_MARK_RADIO_OUTLINE, radio.Id);
    }
}

INT_PTR OnInitDialog(HWND dialog, MarkDlgState* state)
{
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)state);
    if (!state)
        return TRUE;
    AppInfo::SetWindowIcons(dialog, EngineIcon(PROGRAM_ICON_LARGE), EngineIcon(PROGRAM_ICON_SMALL));
    SetDlgItemTextA(dialog, IDC_MARK_LABEL_NAME, state->Work.Name[0] ? state->Work.Name : kDefaultName);
    FillMarkKinds(dialog, state);
    SetDecoration(dialog, state);
    SubclassPreview(dialog, state);
    ApplyControlStates(dialog, state);
    state->Open = 1;
    return TRUE;
}

void PickColor(HWND dialog, MarkDlgState* state, COLORREF* color)
{
    if (ChooseColorDialog(dialog, color, state->CustomColors))
        Repaint(dialog);
}

void PickFont(HWND dialog, MarkDlgState* state)
{
    if (ChooseFontDialog(dialog, &state->Work.Style.Font, 0, nullptr))
        Repaint(dialog);
}

void StoreWidth(HWND dialog, MarkDlgState* state)
{
    char text[kShortTextSize] = "";
    GetDlgItemTextA(dialog, IDC_MARK_EDIT_WIDTH, text, sizeof(text));
    int width = 0;
    if (!ParseShadowWidth(text, &width) || width == state->Work.Style.ShadowWidth)
        return;
    state->Work.Style.ShadowWidth = (BYTE)width;
    Repaint(dialog);
}

void StoreDirection(HWND dialog, MarkDlgState* state, int id)
{
    for (const DirectionRadio& radio : kDirectionRadios) {
        if (radio.Id == id)
            state->Work.Style.ShadowDirection = (BYTE)radio.Direction;
    }
    Repaint(dialog);
}

void ChooseSide(HWND dialog, MarkDlgState* state)
{
    ApplyControlStates(dialog, state);
    TakeChosenMark(dialog, state);
    Repaint(dialog);
}

void Close(HWND dialog, MarkDlgState* state, int result)
{
    if (result == IDOK) {
        if (state->WithUserMarks)
            TakeChosenMark(dialog, state);
        *state->Caller = state->Work;
    }
    RestorePreview(dialog, state);
    EndDialog(dialog, result);
}

// Check boxes and radios answer their clicks, lists their selection changes, the width box its text changes.
INT_PTR OnCommand(HWND dialog, WORD id, WORD code)
{
    MarkDlgState* state = DialogState(dialog);
    if (!state)
        return FALSE;
    FontStyle& style = state->Work.Style;
    switch (id) {
    case IDC_MARK_COMBO_KIND:
    case IDC_MARK_COMBO_USERMARK:
        if (code == CBN_SELCHANGE)
            ChooseSide(dialog, state);
        return TRUE;
    case IDC_MARK_RADIO_INDIVIDUAL:
    case IDC_MARK_RADIO_USERMARK:
        if (code == BN_CLICKED)
            ChooseSide(dialog, state);
        return TRUE;
    case IDC_MARK_BTN_MARKCOLOR: PickColor(dialog, state, &style.MarkColor); return TRUE;
    case IDC_MARK_BTN_TEXTCOLOR: PickColor(dialog, state, &style.StrColor); return TRUE;
    case IDC_MARK_BTN_SHADOWCOLOR: PickColor(dialog, state, &style.ShadowColor); return TRUE;
    case IDC_MARK_BTN_FONT: PickFont(dialog, state); return TRUE;
    case IDC_MARK_CHECK_PLAINCOLOR:
        style.NoUseStrColor = Checked(dialog, id) ? 1 : 0;
        Repaint(dialog);
        return TRUE;
    case IDC_MARK_CHECK_GRADATION:
        style.Gradation = Checked(dialog, id) ? 1 : 0;
        Repaint(dialog);
        return TRUE;
    case IDC_MARK_EDIT_WIDTH:
        if (code == EN_CHANGE && state->Open)
            StoreWidth(dialog, state);
        return TRUE;
    case IDC_MARK_RADIO_UPRIGHT:
    case IDC_MARK_RADIO_DOWNRIGHT:
    case IDC_MARK_RADIO_DOWNLEFT:
    case IDC_MARK_RADIO_UPLEFT:
    case IDC_MARK_RADIO_OUTLINE:
        if (code == BN_CLICKED)
            StoreDirection(dialog, state, id);
        return TRUE;
    case IDOK:
    case IDCANCEL: Close(dialog, state, id); return TRUE;
    }
    return FALSE;
}

INT_PTR OnDrawItem(HWND dialog, const DRAWITEMSTRUCT* item)
{
    MarkDlgState* state = DialogState(dialog);
    if (!state)
        return FALSE;
    const FontStyle& style = state->Work.Style;
    const char* text = nullptr;
    const LOGFONTA* font = nullptr;
    COLORREF color = style.StrColor;
    switch (item->CtlID) {
    case IDC_MARK_BTN_MARKCOLOR:
        text = "マーク色";
        color = style.MarkColor;
        break;
    case IDC_MARK_BTN_FONT:
        text = style.Font.lfCharSet == SHIFTJIS_CHARSET ? "フォント" : "Font";
        font = &style.Font;
        break;
    case IDC_MARK_BTN_TEXTCOLOR: text = "文字色"; break;
    case IDC_MARK_BTN_SHADOWCOLOR:
        text = "装飾色";
        color = style.ShadowColor;
        break;
    default: return FALSE;
    }
    DrawCaptionButton(item, text, font, state->Env->ButtonStyle, 1, color, style.ShadowColor, GetSysColor(COLOR_MENU),
                      CAPTION_BUTTON_LIGHT, CAPTION_BUTTON_DARK);
    return TRUE;
}

void OnDestroy(HWND dialog)
{
    RestorePreview(dialog, DialogState(dialog));
}

INT_PTR MarkDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, (MarkDlgState*)lParam);
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_DRAWITEM: return OnDrawItem(dialog, (const DRAWITEMSTRUCT*)lParam);
    case WM_DESTROY: OnDestroy(dialog); return FALSE;
    }
    return FALSE;
}

}  // namespace

void PaintMarkPreview(HDC dc, const RECT& client, const char* text, const FontStyle& style, EnvData* env)
{
    if (!dc || !text || !env)
        return;
    SetDCBrushColor(dc, env->BackColor);
    FillRect(dc, &client, (HBRUSH)GetStockObject(DC_BRUSH));
    SIZE size = {};
    GetTextSizeOnDC(dc, text, &size);
    LOGFONTA font = {};
    GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof(font), &font);
    MarkPreviewPlace place =
        PlaceMarkPreview(client, size, PreviewKind(style, env), font.lfHeight, font.lfItalic != 0);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    FontStyle shown = style;
    if (shown.MarkType != MARK_NONE)
        DrawDayMark(dc, &place.MarkBox, 0, text, &shown, env);
    if (shown.NoUseStrColor == 1)
        shown.StrColor = kUnchangedTextColor;
    DrawStyledText(dc, place.Text.x, place.Text.y, text, &shown);
    SetBkMode(dc, oldMode);
}

INT_PTR CALLBACK MarkDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return MarkDialogMessage(dialog, message, wParam, lParam);
}

INT_PTR CALLBACK MarkDlgExProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return MarkDialogMessage(dialog, message, wParam, lParam);
}

LRESULT CALLBACK MarkPreviewProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    MarkDlgState* state = (MarkDlgState*)GetWindowLongPtrA(control, GWLP_USERDATA);
    if (!state || !state->OldPreviewProc)
        return DefWindowProcA(control, message, wParam, lParam);
    if (message == WM_PAINT) {
        OnPreviewPaint(control, state);
        return 0;
    }
    return CallWindowProcA(state->OldPreviewProc, control, message, wParam, lParam);
}

extern "C" int SetMarkDlg(HWND owner, EnvData* env, MarkDlgData* block, int variant)
{
    if (!env || !block)
        return 0;
    if (s_markDialogOpen)
        return IDCANCEL;
    MarkDlgState state = {};
    state.Work = *block;
    state.Work.Name[sizeof(state.Work.Name) - 1] = '\0';
    OpenMarkBlock(&state.Work);
    state.Caller = block;
    state.Env = env;
    state.WithUserMarks = variant == MARK_DIALOG_USER_MARKS;
    for (int i = 0; i < CUSTOM_COLOR_COUNT; i++)
        state.CustomColors[i] = env->CustomColors ? env->CustomColors[i] : COLOR_CHOOSER_DEFAULT_COLOR;
    s_markDialogOpen = true;
    INT_PTR result = DialogBoxParamA(EngineInstance(), MAKEINTRESOURCEA(state.WithUserMarks ? IDD_MARK_EX : IDD_MARK),
                                     owner, state.WithUserMarks ? MarkDlgExProc : MarkDlgProc, (LPARAM)&state);
    s_markDialogOpen = false;
    if (state.PreviewFont)
        DeleteObject(state.PreviewFont);
    if (result != IDOK && result != IDCANCEL) {
        Trace("the mark dialog could not be made (%d)", (int)result);
        return 0;
    }
    return (int)result;
}

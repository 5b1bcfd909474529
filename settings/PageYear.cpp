// Page " 年 ": where the year and month caption stands, the year style, and the year's tooltip.
#include "SettingsDialog.h"

#include <string.h>

#include "EnvData.h"
#include "SettingsDialogIds.h"
#include "SettingsKeys.h"
#include "SettingsPage.h"
#include "SettingsRules.h"
#include "StrUtil.h"

namespace {

PageFlags s_flags;

struct CheckField {
    int Id;
    int EnvData::*Field;
    int Preview;  // the year's tooltip is not drawn, so the preview stays
};

const CheckField kChecks[] = {
    {IDC_ENVYEAR_CHECK_SWAP, &EnvData::DisplayYMChange, 1},
    {IDC_ENVYEAR_CHECK_LINK, &EnvData::YMLink, 1},
    {IDC_ENVYEAR_CHECK_FEW, &EnvData::DisplayFewYear, 1},
    {IDC_ENVYEAR_CHECK_TOOLTIP, &EnvData::ShowYearTip, 0},
};

void FillStyles(HWND page, int selected)
{
    HWND combo = GetDlgItem(page, IDC_ENVYEAR_COMBO_STYLE);
    for (const char* name : YearStyleNames)
        SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)name);
    SendMessageA(combo, CB_SETCURSEL, (WPARAM)selected, 0);
}

INT_PTR OnInitDialog(HWND page)
{
    BeginPage(page, &s_flags);
    const EnvData* work = SettingsWorkingCopy();
    if (!work)
        return TRUE;
    CheckRadioIndex(page, IDC_ENVYEAR_RADIO_LEFT, IDC_ENVYEAR_RADIO_BOTH_ENDS, work->DisplayYMStyle);
    for (const CheckField& check : kChecks)
        SetCheck(page, check.Id, work->*check.Field);
    SendDlgItemMessageA(page, IDC_ENVYEAR_EDIT_LINK, EM_LIMITTEXT, YM_LINK_TEXT_MAX, 0);
    SetDlgItemTextA(page, IDC_ENVYEAR_EDIT_LINK, work->YMLinkString);
    EnableItem(page, IDC_ENVYEAR_EDIT_LINK, work->YMLink == 1);
    FillStyles(page, work->YearType);
    s_flags.Initialised = 1;
    return TRUE;
}

bool OnCheck(HWND page, EnvData* work, int id)
{
    for (const CheckField& check : kChecks) {
        if (check.Id != id)
            continue;
        work->*check.Field = IsChecked(page, id);
        if (id == IDC_ENVYEAR_CHECK_LINK)
            EnableItem(page, IDC_ENVYEAR_EDIT_LINK, work->YMLink == 1);
        MarkPageChanged(&s_flags, check.Preview);
        return true;
    }
    return false;
}

void OnLinkChange(HWND page, EnvData* work)
{
    char text[64] = "";
    GetDlgItemTextA(page, IDC_ENVYEAR_EDIT_LINK, text, sizeof(text));
    char link[YM_LINK_STRING_SIZE];
    SafeStrCpy(link, sizeof(link), text);
    if (StrEqual(link, work->YMLinkString, 0))
        return;
    SafeStrCpy(work->YMLinkString, sizeof(work->YMLinkString), link);
    MarkPageChanged(&s_flags, 1);
}

void OnStyleChange(HWND page, EnvData* work)
{
    LRESULT selected = SendDlgItemMessageA(page, IDC_ENVYEAR_COMBO_STYLE, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR)
        return;
    work->YearType = (BYTE)selected;
    MarkPageChanged(&s_flags, 1);
}

bool OnControl(HWND page, EnvData* work, int id, int code)
{
    if (id >= IDC_ENVYEAR_RADIO_LEFT && id <= IDC_ENVYEAR_RADIO_BOTH_ENDS) {
        if (code == BN_CLICKED) {
            work->DisplayYMStyle = (BYTE)(id - IDC_ENVYEAR_RADIO_LEFT);
            MarkPageChanged(&s_flags, 1);
        }
        return true;
    }
    if (id == IDC_ENVYEAR_EDIT_LINK) {
        if (code == EN_CHANGE && s_flags.Initialised)
            OnLinkChange(page, work);
        return true;
    }
    if (id == IDC_ENVYEAR_COMBO_STYLE) {
        if (code == CBN_SELCHANGE)
            OnStyleChange(page, work);
        return true;
    }
    return code == BN_CLICKED && OnCheck(page, work, id);
}

bool OnCommand(HWND page, int id, int code)
{
    switch (id) {
    case SETTINGS_PAGE_STORE: s_flags.Changed = 0; return true;
    }
    EnvData* work = SettingsWorkingCopy();
    return work && OnControl(page, work, id, code);
}

}  // namespace

INT_PTR CALLBACK EnvYearProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    return DispatchPageMessage(page, message, wParam, &s_flags, OnInitDialog, OnCommand);
}

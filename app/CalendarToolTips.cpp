// Every refresh registers one tool per shown day and heading. Making the control anew costs far more than the
// tools themselves (a new window, under Wine tens of milliseconds), so a control that still fits is kept and only
// emptied. The tools carry no TTF_SUBCLASS: comctl32's subclass costs a window-property look-up for every tool
// added or removed and for every message of the calendar window, which made a refresh of a year of months several
// times slower than drawing it. The window relays its mouse messages instead, as the subclass would.
#include "CalendarToolTips.h"

#include <commctrl.h>
#include <string.h>

#include "ControlToolTip.h"
#include "EnvData.h"
#include "ModuleBinding.h"
#include "Program.h"

namespace {

// Whether the control was made for this window with the record's balloon style and width.
bool ToolTipFits(const EnvData* env)
{
    HWND tip = env->ToolTipWindow;
    if (!tip || !IsWindow(tip) || GetWindow(tip, GW_OWNER) != env->MainWindow)
        return false;
    LONG_PTR balloon = GetWindowLongPtrA(tip, GWL_STYLE) & TTS_BALLOON;
    if (balloon != (env->BalloonTip == 1 ? TTS_BALLOON : 0))
        return false;
    return SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0) == env->ToolTipWidth;
}

void ForgetToolIds(EnvData* env)
{
    env->ToolCount = 0;
    memset(env->ToolIds, 0, sizeof(env->ToolIds));
}

// Deletes the tools the control holds, also those beyond the id table.
void RemoveTools(EnvData* env)
{
    HWND tip = env->ToolTipWindow;
    for (LRESULT count = tip ? SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0) : 0; count > 0; count--) {
        TOOLINFOA tool = {};
        tool.cbSize = sizeof(tool);
        if (!SendMessageA(tip, TTM_ENUMTOOLSA, (WPARAM)(count - 1), (LPARAM)&tool))
            break;
        SendMessageA(tip, TTM_DELTOOLA, 0, (LPARAM)&tool);
    }
    ForgetToolIds(env);
}

}  // namespace

void BeginToolTipPass(EnvData* env)
{
    if (!ToolTipFits(env)) {
        auto createToolTip = LanguageProc(LanguageModule::kCreateToolTip);
        if (createToolTip) {
            createToolTip(env);
            return;
        }
    }
    RemoveTools(env);
}

void DropToolTips(EnvData* env)
{
    if (env->ToolTipWindow)
        DestroyWindow(env->ToolTipWindow);
    env->ToolTipWindow = nullptr;
    ForgetToolIds(env);
}

void RelayToolTipMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    EnvData* env = g_program.Env;
    if (env && window == env->MainWindow)
        RelayWindowToolTip(env->ToolTipWindow, window, message, wParam, lParam);
}

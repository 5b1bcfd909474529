#include "Choosers.h"

#include <stdio.h>
#include <string.h>

#include "CommonDialogLibrary.h"
#include "StrUtil.h"
#include "UserMessage.h"

extern "C" {

void SetUpFontChooser(CHOOSEFONTA* chooser, HWND owner, LOGFONTA* font, DWORD flags, const COLORREF* color)
{
    memset(chooser, 0, sizeof(*chooser));
    chooser->lStructSize = sizeof(*chooser);
    chooser->hwndOwner = owner;
    chooser->lpLogFont = font;
    chooser->Flags = flags ? flags : FONT_CHOOSER_DEFAULT_FLAGS;
    chooser->rgbColors = color ? *color : 0;
    chooser->nFontType = SCREEN_FONTTYPE;
}

void SetUpColorChooser(CHOOSECOLORA* chooser, HWND owner, const COLORREF* color, COLORREF* customColors)
{
    memset(chooser, 0, sizeof(*chooser));
    chooser->lStructSize = sizeof(*chooser);
    chooser->hwndOwner = owner;
    chooser->rgbResult = color ? *color : COLOR_CHOOSER_DEFAULT_COLOR;
    chooser->lpCustColors = customColors;
    chooser->Flags = CC_RGBINIT;
}

int ChooseFontDialog(HWND owner, LOGFONTA* font, DWORD flags, COLORREF* color)
{
    if (!font)
        return 0;
    // The chooser works on a copy, so that cancelling leaves the caller's record alone.
    LOGFONTA work = *font;
    CHOOSEFONTA chooser;
    SetUpFontChooser(&chooser, owner, &work, flags, color);
    auto chooseFont = CommonDialogProc<BOOL(WINAPI*)(CHOOSEFONTA*)>("ChooseFontA");
    if (!chooseFont || !chooseFont(&chooser))
        return 0;
    *font = work;
    if (color)
        *color = chooser.rgbColors;
    return 1;
}

int ChooseColorDialog(HWND owner, COLORREF* color, COLORREF* customColors)
{
    // The chooser reads and writes all 16 custom colours.
    if (!customColors)
        return 0;
    CHOOSECOLORA chooser;
    SetUpColorChooser(&chooser, owner, color, customColors);
    auto chooseColor = CommonDialogProc<BOOL(WINAPI*)(CHOOSECOLORA*)>("ChooseColorA");
    if (!chooseColor || !chooseColor(&chooser))
        return 0;
    if (color)
        *color = chooser.rgbResult;
    return 1;
}

int ShowBuildInfoOnDebug(void)
{
    if (!FindStr(GetCommandLineA(), " --debug"))
        return 1;
    // The module that holds this code: each deliverable builds the library in.
    char path[MAX_PATH] = "";
    HMODULE module = nullptr;
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           (LPCSTR)&ShowBuildInfoOnDebug, &module))
        GetModuleFileNameA(module, path, sizeof(path));
    path[sizeof(path) - 1] = '\0';
    char message[MAX_PATH + 128];
    snprintf(message, sizeof(message), "This application (%s)\r\n was compiled at %s %s.\n", path, __TIME__, __DATE__);
    TellUserWithCaption(nullptr, message, "Velmora Debug Info", MB_OK);
    return 0;
}

}  // extern "C"

#include "PageButtons.h"

#include <limits.h>
#include <string.h>

#include "CaptionButton.h"
#include "Choosers.h"
#include "EnvData.h"
#include "ModuleBinding.h"
#include "SettingsDialog.h"

namespace {

const char kColorText[] = "色変更";
const COLORREF kSampleShade = RGB(0x80, 0x80, 0x80);

int ButtonShape()
{
    const EnvData* work = SettingsWorkingCopy();
    return work ? (int)work->ButtonStyle : (int)BUTTON_SHAPE_SQUARE;
}

}  // namespace

void DrawColorButton(const DRAWITEMSTRUCT* item, COLORREF color)
{
    DrawCaptionButton(item, kColorText, nullptr, ButtonShape(), 1, color, kSampleShade, GetSysColor(COLOR_MENU),
                      CAPTION_BUTTON_LIGHT, CAPTION_BUTTON_DARK);
}

void DrawStyleButton(const DRAWITEMSTRUCT* item, const char* text, const LOGFONTA* font, COLORREF textColor,
                     COLORREF shadowColor)
{
    DrawCaptionButton(item, text, font, ButtonShape(), 1, textColor, shadowColor, GetSysColor(COLOR_MENU),
                      CAPTION_BUTTON_LIGHT, CAPTION_BUTTON_DARK);
}

const char* FontButtonText(const LOGFONTA* font)
{
    return font && font->lfCharSet == SHIFTJIS_CHARSET ? "フォント" : "Font";
}

int PickColor(HWND page, COLORREF* color)
{
    EnvData* work = SettingsWorkingCopy();
    if (!work)
        return 0;
    return ChooseColorDialog(page, color, work->CustomColors);
}

int RunMarkDialog(HWND page, const FontStyle* model, const char* name, int editPlainColor, int editMark,
                  int editFont)
{
    EnvData* work = SettingsWorkingCopy();
    auto setMarkDlg = LanguageProc(LanguageModule::kSetMarkDlg);
    if (!work || !setMarkDlg)
        return 0;
    MarkDlgData* block = &work->MarkDialogData;
    block->Style = *model;
    block->EditPlainColor = editPlainColor;
    block->EditMark = editMark;
    block->EditFont = editFont;
    strncpy(block->Name, name, sizeof(block->Name) - 1);
    block->Name[sizeof(block->Name) - 1] = '\0';
    return setMarkDlg(page, work, block, MARK_DIALOG_PLAIN) == 1 ? 1 : 0;
}

int UnsignedToInt(unsigned int number)
{
    return number > (unsigned int)INT_MAX ? INT_MAX : (int)number;
}

int ReadEditCount(HWND page, int editId, int* value)
{
    BOOL number = FALSE;
    UINT read = GetDlgItemInt(page, editId, &number, FALSE);
    if (!number)
        return 0;
    *value = UnsignedToInt(read);
    return 1;
}

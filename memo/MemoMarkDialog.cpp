#include "MemoMarkDialog.h"

#include "EnvData.h"
#include "LanguageModule.h"
#include "StrUtil.h"

int ShowMemoMarkDialog(HWND owner, HMODULE language, EnvData* env, FontStyle* style, const char* title)
{
    if (!env || !style)
        return 0;
    auto setMarkDlg = FindExport(language, LanguageModule::kSetMarkDlg);
    if (!setMarkDlg)
        return 0;
    MarkDlgData* block = &env->MarkDialogData;
    block->Style = *style;
    block->Name[0] = '\0';
    SafeStrCpy(block->Name, sizeof(block->Name), title);
    block->EditPlainColor = 1;
    block->EditMark = 1;
    block->EditFont = 0;
    if (setMarkDlg(owner, env, block, MARK_DIALOG_PLAIN) != IDOK)
        return 0;
    *style = block->Style;
    return 1;
}

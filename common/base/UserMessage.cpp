#include "UserMessage.h"

#include <stdio.h>

#include "StrUtil.h"

namespace {

const char kDefaultCaption[] = "Velmora";
const char kSettingsNotSaved[] = "設定ファイルを保存できません\r\n%s";
const char kToldFlagName[] = "DaylensSettingsNotSaved-%lx";
char g_caption[64] = "Velmora";
MessageBoxHook g_hook;

}  // namespace

extern "C" {

void SetMessageCaption(const char* programName)
{
    SafeStrCpy(g_caption, sizeof(g_caption), programName && *programName ? programName : kDefaultCaption);
}

const char* MessageCaption(void)
{
    return g_caption;
}

int TellUser(HWND owner, const char* text, UINT flags)
{
    return TellUserWithCaption(owner, text, g_caption, flags);
}

int TellUserWithCaption(HWND owner, const char* text, const char* caption, UINT flags)
{
    if (g_hook)
        return g_hook(owner, NonNullStr(text), NonNullStr(caption), flags);
    return MessageBoxA(owner, NonNullStr(text), NonNullStr(caption), flags);
}

int TellSettingsNotSaved(HWND owner, const char* path)
{
    // The flag is an event named after the process, seen by every module; its handle stays open for the run.
    char name[64];
    snprintf(name, sizeof(name), kToldFlagName, (unsigned long)GetCurrentProcessId());
    HANDLE flag = CreateEventA(nullptr, TRUE, FALSE, name);
    if (!flag)
        return 0;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(flag);
        return 0;
    }
    char text[MAX_PATH * 2];
    snprintf(text, sizeof(text), kSettingsNotSaved, NonNullStr(path));
    TellUser(owner && IsWindow(owner) ? owner : nullptr, text, MB_OK | MB_ICONWARNING);
    return 1;
}

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook)
{
    MessageBoxHook previous = g_hook;
    g_hook = hook;
    return previous;
}

}  // extern "C"

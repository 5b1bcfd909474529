#include "UserMessage.h"

#include "StrUtil.h"

namespace {

const char kDefaultCaption[] = "Velmora";
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

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook)
{
    MessageBoxHook previous = g_hook;
    g_hook = hook;
    return previous;
}

}  // extern "C"

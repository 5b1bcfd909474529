#include "ThreadWait.h"

namespace {

// How often a wait for a window looks again.
const DWORD kWindowPollMs = 10;

void AnswerSends()
{
    // Peeking answers the sent messages; nothing posted is taken.
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

}  // namespace

BOOL WaitAnsweringSends(HANDLE object, DWORD timeoutMs)
{
    if (!object)
        return FALSE;
    DWORD start = GetTickCount();
    for (;;) {
        DWORD spent = GetTickCount() - start;
        DWORD left = spent < timeoutMs ? timeoutMs - spent : 0;
        DWORD result = MsgWaitForMultipleObjects(1, &object, FALSE, left, QS_SENDMESSAGE);
        if (result == WAIT_OBJECT_0)
            return TRUE;
        if (result != WAIT_OBJECT_0 + 1 || left == 0)
            return FALSE;
        AnswerSends();
    }
}

BOOL WaitForWindowGone(HWND window, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start >= timeoutMs)
            return FALSE;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kWindowPollMs, QS_SENDMESSAGE);
        AnswerSends();
    }
    return TRUE;
}

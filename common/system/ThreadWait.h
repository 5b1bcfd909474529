// Waiting for another thread from a thread that owns windows: a window thread that is ending may send this thread a
// message (activation, an owner's notice) and would wait for the answer while this thread waits for it.
#pragma once

#include <windows.h>

// Waits up to timeoutMs for object (a thread or an event) while answering the messages other threads send to this
// one; posted messages stay queued. TRUE when the object was signalled in time.
BOOL WaitAnsweringSends(HANDLE object, DWORD timeoutMs);
// Waits up to timeoutMs, answering sent messages the same way, until window (of another thread) is destroyed. TRUE
// when it was in time.
BOOL WaitForWindowGone(HWND window, DWORD timeoutMs);

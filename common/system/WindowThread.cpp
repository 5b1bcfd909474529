#include "WindowThread.h"

#include "HeapUtil.h"
#include "ThreadWait.h"
#include "Trace.h"

namespace {

// What the new thread takes over: it frees the block and, as it ends, the module it holds.
struct StartBlock {
    WindowThread* Thread;
    WindowThreadRoutine Routine;
    void* Argument;
    HMODULE Module;
};

DWORD WINAPI WindowThreadProc(void* parameter)
{
    StartBlock block = *(StartBlock*)parameter;
    HeapFree(GetProcessHeap(), 0, parameter);
    block.Routine(block.Thread, block.Argument);
    InterlockedExchangePointer((void* volatile*)&block.Thread->Window, nullptr);
    InterlockedExchange(&block.Thread->Running, 0);
    FreeLibraryAndExitThread(block.Module, 0);
    return 0;
}

HWND WindowOf(const WindowThread* thread)
{
    return (HWND)InterlockedCompareExchangePointer((void* volatile*)&thread->Window, nullptr, nullptr);
}

bool IsToRun(const WindowThread* thread)
{
    return InterlockedCompareExchange((volatile LONG*)&thread->Running, 0, 0) != 0;
}

}  // namespace

bool StartWindowThread(WindowThread* thread, WindowThreadRoutine routine, void* argument, DWORD timeoutMs)
{
    if (!thread || !routine)
        return false;
    if (WindowThreadRuns(thread))
        return true;
    // Two threads would share the one window's state.
    if (thread->Thread && !LetGoOfWindowThread(thread, timeoutMs))
        return false;
    StartBlock* block = (StartBlock*)AllocZeroed(sizeof(StartBlock));
    HMODULE module = nullptr;
    if (!block || !GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, (LPCSTR)(void*)&WindowThreadProc,
                                      &module)) {
        if (block)
            HeapFree(GetProcessHeap(), 0, block);
        return false;
    }
    *block = {thread, routine, argument, module};
    InterlockedExchangePointer((void* volatile*)&thread->Window, nullptr);
    InterlockedExchange(&thread->Running, 1);
    DWORD id = 0;
    HANDLE handle = CreateThread(nullptr, 0, WindowThreadProc, block, CREATE_SUSPENDED, &id);
    if (!handle) {
        InterlockedExchange(&thread->Running, 0);
        HeapFree(GetProcessHeap(), 0, block);
        FreeLibrary(module);
        return false;
    }
    // Known before the thread runs, so that it finds itself in OnWindowThread.
    thread->ThreadId = id;
    thread->Thread = handle;
    ResumeThread(handle);
    return true;
}

bool WindowThreadRuns(const WindowThread* thread)
{
    return thread && thread->Thread && IsToRun(thread) && WaitForSingleObject(thread->Thread, 0) == WAIT_TIMEOUT;
}

bool OnWindowThread(const WindowThread* thread)
{
    return thread && thread->Thread && GetCurrentThreadId() == thread->ThreadId;
}

// The window is kept before the flag is read, and a close clears the flag before it reads the window: one of the
// two always sees the other.
bool KeepThreadWindow(WindowThread* thread, HWND window)
{
    InterlockedExchangePointer((void* volatile*)&thread->Window, window);
    if (IsToRun(thread))
        return true;
    InterlockedExchangePointer((void* volatile*)&thread->Window, nullptr);
    return false;
}

void RunWindowThreadLoop(WindowThread* thread)
{
    MSG message;
    for (;;) {
        HWND window = WindowOf(thread);
        if (!window || !IsWindow(window) || GetMessageA(&message, nullptr, 0, 0) <= 0)
            break;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void ForgetThreadWindow(WindowThread* thread)
{
    InterlockedExchange(&thread->Running, 0);
    InterlockedExchangePointer((void* volatile*)&thread->Window, nullptr);
}

bool CloseWindowThread(WindowThread* thread, WORD closeCommand, DWORD timeoutMs)
{
    if (!thread)
        return true;
    InterlockedExchange(&thread->Running, 0);
    DWORD start = GetTickCount();
    HWND window = WindowOf(thread);
    if (window && IsWindow(window)) {
        if (OnWindowThread(thread))
            SendMessageA(window, WM_COMMAND, closeCommand, 0);
        else
            SendMessageTimeoutA(window, WM_COMMAND, closeCommand, 0, SMTO_NORMAL, timeoutMs, nullptr);
    }
    if (OnWindowThread(thread))
        return false;
    DWORD spent = GetTickCount() - start;
    return LetGoOfWindowThread(thread, spent < timeoutMs ? timeoutMs - spent : 0);
}

bool LetGoOfWindowThread(WindowThread* thread, DWORD timeoutMs)
{
    if (!thread || !thread->Thread)
        return true;
    if (OnWindowThread(thread))
        return false;
    if (!WaitAnsweringSends(thread->Thread, timeoutMs)) {
        Trace("window thread %lu did not end within %lu ms", thread->ThreadId, timeoutMs);
        return false;
    }
    CloseHandle(thread->Thread);
    thread->Thread = nullptr;
    thread->ThreadId = 0;
    InterlockedExchangePointer((void* volatile*)&thread->Window, nullptr);
    return true;
}

#include "SingleInstance.h"

#include "Trace.h"

extern "C" {

int CreateSingleInstanceMutex(const char* name, HANDLE* mutex)
{
    *mutex = CreateMutexA(nullptr, FALSE, name);
    if (!*mutex) {
        // Say why (the name taken by another kind of object, no access): the caller runs without a mutex.
        Trace("cannot make the single-instance mutex \"%s\" (error %lu)", name ? name : "", GetLastError());
        return SINGLE_INSTANCE_NO_MUTEX;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        // Our own handle would keep the name alive after the other instance has gone.
        CloseHandle(*mutex);
        *mutex = nullptr;
        return SINGLE_INSTANCE_OTHER;
    }
    return SINGLE_INSTANCE_TAKEN;
}

int CloseSingleInstanceMutex(HANDLE mutex)
{
    if (!mutex)
        return 0;
    ReleaseMutex(mutex);
    CloseHandle(mutex);
    return 1;
}

}  // extern "C"

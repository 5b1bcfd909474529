#include "SingleInstance.h"

extern "C" {

HANDLE CreateSingleInstanceMutex(const char* name)
{
    HANDLE mutex = CreateMutexA(nullptr, FALSE, name);
    if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return nullptr;
    }
    return mutex;
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

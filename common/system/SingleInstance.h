// One running instance per name, told by a named mutex.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// A new (not owned) mutex of the name; null when one of that name already exists (another instance runs)
// or it cannot be made. Close it with CloseSingleInstanceMutex.
HANDLE CreateSingleInstanceMutex(const char* name);
// Releases and closes the mutex; 0 for null, else 1.
int CloseSingleInstanceMutex(HANDLE mutex);

#ifdef __cplusplus
}
#endif

// One running instance per name, told by a named mutex.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// What a try to take the single-instance name found.
enum SingleInstanceResult {
    SINGLE_INSTANCE_TAKEN = 0,     // the name was free and the new mutex holds it
    SINGLE_INSTANCE_OTHER = 1,     // another instance holds the name
    SINGLE_INSTANCE_NO_MUTEX = 2,  // no mutex of the name can be made (traced); nothing tells other instances apart
};

// Tries to take name with a new (not owned) mutex, into *mutex for SINGLE_INSTANCE_TAKEN and null otherwise; the
// result says which. Close the mutex with CloseSingleInstanceMutex.
int CreateSingleInstanceMutex(const char* name, HANDLE* mutex);
// Releases and closes the mutex; 0 for null, else 1.
int CloseSingleInstanceMutex(HANDLE mutex);

#ifdef __cplusplus
}
#endif

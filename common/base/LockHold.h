// A slim reader/writer lock held for a scope, shared by readers or exclusive for the one who replaces what it guards.
#pragma once

#include <windows.h>

class LockHold {
public:
    LockHold(SRWLOCK* lock, bool exclusive) : Lock(lock), Exclusive(exclusive)
    {
        if (Exclusive)
            AcquireSRWLockExclusive(Lock);
        else
            AcquireSRWLockShared(Lock);
    }
    ~LockHold()
    {
        if (Exclusive)
            ReleaseSRWLockExclusive(Lock);
        else
            ReleaseSRWLockShared(Lock);
    }
    LockHold(const LockHold&) = delete;
    LockHold& operator=(const LockHold&) = delete;

private:
    SRWLOCK* Lock;
    bool Exclusive;
};

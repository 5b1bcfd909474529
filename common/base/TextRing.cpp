#include "TextRing.h"

#include <windows.h>

#include "HeapUtil.h"

namespace {

const LONG kSlots = 256;

void* g_slots[kSlots];
LONG g_next = -1;

// Stores block in the next slot, freeing the copy made kSlots calls ago.
void* Keep(void* block)
{
    LONG slot = (LONG)((ULONG)InterlockedIncrement(&g_next) % kSlots);
    void* old = InterlockedExchangePointer(&g_slots[slot], block);
    if (old)
        HeapFree(GetProcessHeap(), 0, old);
    return block;
}

}  // namespace

extern "C" {

// The ANSI code page rather than the C runtime's locale, which a module may not have set.
wchar_t* ToWideRing(const char* text)
{
    if (!text)
        return nullptr;
    int count = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (count <= 0)
        return nullptr;
    auto wide = (wchar_t*)AllocZeroed((size_t)count * sizeof(wchar_t));
    if (!wide)
        return nullptr;
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide, count);
    return (wchar_t*)Keep(wide);
}

char* ToAnsiRing(const wchar_t* text)
{
    if (!text)
        return nullptr;
    int count = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (count <= 0)
        return nullptr;
    auto ansi = (char*)AllocZeroed((size_t)count);
    if (!ansi)
        return nullptr;
    WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, count, nullptr, nullptr);
    return (char*)Keep(ansi);
}

}  // extern "C"

#include "PopupViewEntries.h"

#include <windows.h>

#include "HeapUtil.h"

namespace {

const char kMemoHeading[] = "今日のメモ";
const char kMemorialHeading[] = "今日は何の日？";

bool IsEmpty(const char* text)
{
    return !text || !*text;
}

void AppendWithDefault(PopupViewEntries* entries, const char* heading, const char* fallback, const char* body)
{
    if (!IsEmpty(body))
        AppendPopupEntry(entries, IsEmpty(heading) ? fallback : heading, body);
}

}  // namespace

void ClearPopupEntries(PopupViewEntries* entries)
{
    if (!entries)
        return;
    int count = entries->Count;
    entries->Count = 0;
    for (int i = 0; i < count && i < POPUPVIEW_MAX_ENTRIES; i++) {
        if (entries->Headings[i])
            HeapFree(GetProcessHeap(), 0, entries->Headings[i]);
        if (entries->Bodies[i])
            HeapFree(GetProcessHeap(), 0, entries->Bodies[i]);
        entries->Headings[i] = nullptr;
        entries->Bodies[i] = nullptr;
    }
}

int AppendPopupEntry(PopupViewEntries* entries, const char* heading, const char* body)
{
    if (!entries || !body || entries->Count >= POPUPVIEW_MAX_ENTRIES)
        return 0;
    int index = entries->Count;
    entries->Headings[index] = StrDupHeap(heading);
    entries->Bodies[index] = StrDupHeap(body);
    // The count grows only after the texts stand: a popup painting on another thread never sees a half entry.
    MemoryBarrier();
    entries->Count = index + 1;
    return 1;
}

int SetOpeningPopupEntries(PopupViewEntries* entries, const char* heading1, const char* body1, const char* heading2,
                           const char* body2)
{
    if (!entries)
        return 0;
    ClearPopupEntries(entries);
    AppendWithDefault(entries, heading1, kMemoHeading, body1);
    AppendWithDefault(entries, heading2, kMemorialHeading, body2);
    return entries->Count;
}

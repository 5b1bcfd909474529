#include "EnvData.h"

#include <string.h>

#include <type_traits>

#include "HeapUtil.h"
#include "StrUtil.h"

// The constructor zeroes the whole record, and field offsets must stay usable (offsetof).
static_assert(std::is_standard_layout<EnvData>::value, "EnvData must stay a plain record");

namespace {

template <typename T>
void FreeHeapBlock(T*& block)
{
    if (block) {
        HeapFree(GetProcessHeap(), 0, block);
        block = nullptr;
    }
}

// Zeroed heap copy of size bytes of source; null when source is null or memory is short.
// The caller frees it with HeapFree.
void* DuplicateBlock(const void* source, size_t size)
{
    if (!source || size == 0)
        return nullptr;
    void* copy = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size);
    if (copy)
        memcpy(copy, source, size);
    return copy;
}

// True when a source block was lost in the copy.
bool LostCopy(const void* source, const void* copy)
{
    return source && !copy;
}

// True when a text was lost in the copy; an empty text has no copy (StrDupHeap), and "" and null both mean none.
bool LostText(const char* source, const char* copy)
{
    return SafeStrLen(source) > 0 && !copy;
}

void ReleaseOwned(EnvData* env)
{
    FreeHeapBlock(env->DayCells);
    FreeHeapBlock(env->PreWallPaper);
    FreeHeapBlock(env->HourAlarm);
    FreeHeapBlock(env->UserMarks);
    FreeHeapBlock(env->MonthUserStr);
    FreeHeapBlock(env->WeekUserStr);
    delete env->BackPicture;
    env->BackPicture = nullptr;
}

}  // namespace

int IsEnglishLanguage(const char* language)
{
    static const char* const kEnglish[] = {"English", "english", "Eng", "eng"};
    for (const char* word : kEnglish) {
        if (language && strcmp(language, word) == 0)
            return 1;
    }
    return 0;
}

EnvData::EnvData()
{
    // Every member is a plain C type, for which all-zero bytes are the empty value.
    memset(static_cast<void*>(this), 0, sizeof(*this));
    GetLocalTime(&Today);
    ShownMonth = Today;
}

EnvData::~EnvData()
{
    ReleaseOwned(this);
}

int EnvData::CopyFrom(const EnvData* source)
{
    if (!source)
        return 0;
    if (source == this)
        return 1;
    ReleaseOwned(this);
    int busy = Busy;
    memcpy(static_cast<void*>(this), source, sizeof(*this));
    Busy = busy;

    // The pointers just copied still belong to source: take copies of our own.
    // The picture is not taken over; the next redraw loads one.
    BackPicture = nullptr;
    DayCells = (DayCell*)DuplicateBlock(source->DayCells, DAY_CELL_MAX * sizeof(DayCell));
    PreWallPaper = StrDupHeap(source->PreWallPaper);
    HourAlarm = StrDupHeap(source->HourAlarm);
    MonthUserStr = StrDupHeap(source->MonthUserStr);
    WeekUserStr = StrDupHeap(source->WeekUserStr);
    UserMarks = nullptr;
    if (UserStyleMax > 0)
        UserMarks = (UserMark*)DuplicateBlock(source->UserMarks, (size_t)UserStyleMax * sizeof(UserMark));

    // Counts never describe a table that is not there.
    if (!DayCells)
        DayCellCount = 0;
    if (!UserMarks)
        UserStyleMax = 0;

    bool lost = LostCopy(source->DayCells, DayCells) || LostText(source->PreWallPaper, PreWallPaper) ||
                LostText(source->HourAlarm, HourAlarm) || LostText(source->MonthUserStr, MonthUserStr) ||
                LostText(source->WeekUserStr, WeekUserStr) ||
                (source->UserStyleMax > 0 && LostCopy(source->UserMarks, UserMarks));
    return lost ? 0 : 1;
}

int EnvData::BeginBusy()
{
    if (Busy)
        return 0;
    Busy = 1;
    return 1;
}

int EnvData::EndBusy()
{
    Busy = 0;
    return 1;
}

#include "SettingsRules.h"

#include <stddef.h>
#include <stdio.h>
#include <string.h>

#include <new>

#include "EnvData.h"
#include "HeapUtil.h"
#include "NameSets.h"
#include "StrUtil.h"

namespace {

// The settings part of the record runs from DisplayType to its end; the two name lists lie inside it.
const size_t kSettingsStart = offsetof(EnvData, DisplayType);
static_assert(offsetof(EnvData, MonthUserStr) > offsetof(EnvData, DisplayType), "the name lists are settings");
static_assert(offsetof(EnvData, WeekUserStr) > offsetof(EnvData, DisplayType), "the name lists are settings");
static_assert(offsetof(EnvData, PreviewWindow) < offsetof(EnvData, DisplayType), "the preview handle is run time");

const int kHelpTabs = 9;
const char kHelpTopicOfTab[] = "_RESOURCE/Help-howtouse04.html#tab%02ld";
const char kHelpTopic[] = "_RESOURCE/Help-howtouse04.html";

// The blocks Apply hands over, made before anything of the target is touched.
struct PersistedBlocks {
    char* MonthUserStr;
    char* WeekUserStr;
    char* HourAlarm;
    UserMark* UserMarks;
    int UserStyleMax;
};

void FreeBlocks(PersistedBlocks* blocks)
{
    HANDLE heap = GetProcessHeap();
    if (blocks->MonthUserStr)
        HeapFree(heap, 0, blocks->MonthUserStr);
    if (blocks->WeekUserStr)
        HeapFree(heap, 0, blocks->WeekUserStr);
    if (blocks->HourAlarm)
        HeapFree(heap, 0, blocks->HourAlarm);
    if (blocks->UserMarks)
        HeapFree(heap, 0, blocks->UserMarks);
    memset(blocks, 0, sizeof(*blocks));
}

bool LostText(const char* source, const char* copy)
{
    return SafeStrLen(source) > 0 && !copy;
}

bool DuplicateBlocks(const EnvData* source, PersistedBlocks* blocks)
{
    memset(blocks, 0, sizeof(*blocks));
    blocks->MonthUserStr = StrDupHeap(source->MonthUserStr);
    blocks->WeekUserStr = StrDupHeap(source->WeekUserStr);
    blocks->HourAlarm = StrDupHeap(source->HourAlarm);
    if (source->UserMarks && source->UserStyleMax > 0) {
        size_t size = (size_t)source->UserStyleMax * sizeof(UserMark);
        blocks->UserMarks = (UserMark*)AllocZeroed(size);
        if (blocks->UserMarks) {
            memcpy(blocks->UserMarks, source->UserMarks, size);
            blocks->UserStyleMax = source->UserStyleMax;
        }
    }
    bool lost = LostText(source->MonthUserStr, blocks->MonthUserStr) ||
                LostText(source->WeekUserStr, blocks->WeekUserStr) || LostText(source->HourAlarm, blocks->HourAlarm) ||
                (source->UserMarks && source->UserStyleMax > 0 && !blocks->UserMarks);
    if (lost)
        FreeBlocks(blocks);
    return !lost;
}

// Run-time values that live inside the settings part of the record.
struct RunTimeSettings {
    int WindowWidth;
    int WindowHeight;
    BYTE Alpha;
    COLORREF KeyColor;
    int DisplayPreYear;
    int DisplayPreMonth;
};

RunTimeSettings TakeRunTime(const EnvData* env)
{
    return {env->WindowWidth, env->WindowHeight, env->Transparency.Alpha, env->Transparency.KeyColor,
            env->DisplayPreYear, env->DisplayPreMonth};
}

void PutRunTime(EnvData* env, const RunTimeSettings& kept)
{
    env->WindowWidth = kept.WindowWidth;
    env->WindowHeight = kept.WindowHeight;
    env->Transparency.Alpha = kept.Alpha;
    env->Transparency.KeyColor = kept.KeyColor;
    env->DisplayPreYear = kept.DisplayPreYear;
    env->DisplayPreMonth = kept.DisplayPreMonth;
}

}  // namespace

int CopyPersistedSettings(EnvData* target, const EnvData* source)
{
    if (!target || !source)
        return 0;
    if (target == source)
        return 1;
    PersistedBlocks blocks;
    if (!DuplicateBlocks(source, &blocks))
        return 0;
    PersistedBlocks old = {target->MonthUserStr, target->WeekUserStr, target->HourAlarm, target->UserMarks, 0};
    RunTimeSettings kept = TakeRunTime(target);
    memcpy((char*)target + kSettingsStart, (const char*)source + kSettingsStart, sizeof(EnvData) - kSettingsStart);
    PutRunTime(target, kept);
    target->MonthUserStr = blocks.MonthUserStr;
    target->WeekUserStr = blocks.WeekUserStr;
    target->HourAlarm = blocks.HourAlarm;
    target->UserMarks = blocks.UserMarks;
    target->UserStyleMax = blocks.UserStyleMax;
    FreeBlocks(&old);
    return 1;
}

EnvData* NewWorkingCopy(const EnvData* live)
{
    if (!live)
        return nullptr;
    EnvData* work = new (std::nothrow) EnvData();
    if (!work)
        return nullptr;
    if (!work->CopyFrom(live)) {
        delete work;
        return nullptr;
    }
    // What the drawing of the copy may create or destroy must never be the live calendar's.
    work->PreviewWindow = nullptr;
    work->ToolTipWindow = nullptr;
    memset(&work->ToolInfo, 0, sizeof(work->ToolInfo));
    memset(work->ToolIds, 0, sizeof(work->ToolIds));
    work->ToolCount = 0;
    work->MemoryDC = nullptr;
    work->BackBitmap = nullptr;
    work->WindowRegion = nullptr;
    work->ContextMenu = work->ToolsMenu = work->OptionsMenu = nullptr;
    work->PowerMenu = work->PlugInMenu = work->TrayMenu = nullptr;
    return work;
}

void DeleteWorkingCopy(EnvData* work)
{
    delete work;
}

BYTE LimitCountByte(unsigned int number, int upper)
{
    int value = (BYTE)number;
    if (value > upper)
        value = upper;
    return (BYTE)(value == 0 ? 1 : value);
}

int LimitInt(int value, int minimum, int maximum)
{
    return value < minimum ? minimum : value > maximum ? maximum : value;
}

int ShownPageSlot(int tab, const HWND* slots)
{
    if (tab < 0 || tab >= SETTINGS_PAGE_SLOTS || !slots || !slots[tab])
        return 0;
    return tab;
}

void SettingsHelpTopic(int tab, char* topic, size_t size)
{
    if (!topic || size == 0)
        return;
    if (tab >= 0 && tab < kHelpTabs)
        snprintf(topic, size, kHelpTopicOfTab, (long)(tab + 1));
    else
        SafeStrCpy(topic, size, kHelpTopic);
}

char* ReplaceNameList(char* old, const char* text)
{
    char list[USER_NAME_LIST_MAX];
    SafeStrCpy(list, sizeof(list), NonNullStr(text));
    return StrReplaceHeap(old, list);
}

void RefillNameRow(char** row, int count, const char* list)
{
    if (!row || count <= 0)
        return;
    FreeUserNames(row, count);
    CutUserNames(list, row, count);
}

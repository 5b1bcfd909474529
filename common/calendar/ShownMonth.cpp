#include "ShownMonth.h"

#include "EnvData.h"
#include "SettingsTypes.h"

namespace {

int CountInRange(int value)
{
    if (value < 1)
        return 1;
    return value > DISPLAY_COUNT_MAX ? DISPLAY_COUNT_MAX : value;
}

}  // namespace

void NormalizeMonth(int* year, int* month)
{
    long long index = (long long)*year * 12 + (*month - 1);
    long long rest = index % 12;
    if (rest < 0)
        rest += 12;
    *year = (int)((index - rest) / 12);
    *month = (int)rest + 1;
}

void FirstShownMonth(const EnvData& env, int* year, int* month)
{
    NormalizeMonth(year, month);
    switch (env.DisplayStart) {
    case 1:
        --*month;
        break;
    case 2:
        *month = 1;
        break;
    case 3:
        if (*month < 4)
            --*year;
        *month = 4;
        break;
    case 4:
        if (env.Today.wDay <= env.DisplaySepDate)
            --*month;
        break;
    case 5:
        *month += env.DisplayOffSet;
        break;
    default:
        break;
    }
    NormalizeMonth(year, month);
}

int DisplayRowCount(const EnvData& env)
{
    return CountInRange(env.DisplayRows);
}

int DisplayLineCount(const EnvData& env)
{
    return CountInRange(env.DisplayLines);
}

int WeekStartDay(const EnvData& env)
{
    return env.StartDate % 7;
}

bool GridColumnsKeepOwnHeights(const EnvData& env)
{
    bool across = env.DisplayOrder == DISPLAY_ORDER_ACROSS || env.DisplayOrder == DISPLAY_ORDER_ACROSS_FROM_RIGHT;
    bool evenHeights =
        env.DisplayHeight == DISPLAY_HEIGHT_HIGHEST || env.DisplayHeight == DISPLAY_HEIGHT_SIX_WEEKS;
    return !across && !evenHeights;
}

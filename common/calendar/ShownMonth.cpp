#include "ShownMonth.h"

#include "EnvData.h"

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

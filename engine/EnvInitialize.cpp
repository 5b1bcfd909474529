// Language-dependent defaults of a fresh settings record: the four calendar fonts.
// The settings file, read afterwards, replaces them with the saved ones.
#include <windows.h>

#include "EngineMain.h"
#include "EnvData.h"
#include "FontUtil.h"

namespace {

const char kDefaultFace[] = "ＭＳ Ｐゴシック";

void InitCalendarFont(LOGFONTA* font, int height)
{
    InitLogFont(font, kDefaultFace, height, 1, 1, SHIFTJIS_CHARSET, FF_MODERN | VARIABLE_PITCH);
}

}  // namespace

// 1, or 0 for a null record, which is then left alone.
int EnvInitialize(EnvData* env)
{
    if (!env)
        return 0;
    InitCalendarFont(&env->YearStyle.Font, -24);
    InitCalendarFont(&env->MonthStyle.Font, -21);
    InitCalendarFont(&env->WeekFont, -16);
    InitCalendarFont(&env->DayFont, -15);
    return 1;
}

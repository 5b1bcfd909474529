#include "CalendarArrangement.h"

#include "DateUtil.h"
#include "EnvData.h"
#include "ShownMonth.h"

namespace {

const int kNoAlignment = 100;

int Max(int a, int b)
{
    return a > b ? a : b;
}

void ArrangeGrid(const EnvData& env, POINT origin, const MonthBlockSize* sizes, int count, MonthBlockPlace* places)
{
    int across = DisplayRowCount(env);
    int down = DisplayLineCount(env);
    int widest = 0, highest = 0;
    for (int i = 0; i < count; i++) {
        widest = Max(widest, sizes[i].Width);
        highest = Max(highest, sizes[i].Height);
    }
    int space = env.EachMonthSpace;
    int order = env.DisplayOrder;
    bool fromRight = order == DISPLAY_ORDER_DOWN_FROM_RIGHT || order == DISPLAY_ORDER_ACROSS_FROM_RIGHT;
    bool byRows = order == DISPLAY_ORDER_ACROSS || order == DISPLAY_ORDER_ACROSS_FROM_RIGHT;
    bool ownHeights = GridColumnsKeepOwnHeights(env);
    int y = origin.y;
    for (int k = 0; k < count; k++) {
        int column = byRows ? k % across : k / down;
        int row = byRows ? k / across : k % down;
        if (byRows)
            y = origin.y + row * (highest + space);
        else if (row == 0)
            y = origin.y;
        int step = column * (widest + space);
        places[k].X = fromRight ? origin.x + (across - 1) * (widest + space) - step : origin.x + step;
        places[k].Y = y;
        places[k].Width = widest;
        if (!byRows)
            y += (ownHeights ? sizes[k].Height : highest) + space;
    }
}

}  // namespace

int ViewMonthCount(const EnvData& env)
{
    switch (env.DisplayType) {
    case DISPLAY_TYPE_LINE: return DisplayLineCount(env);
    case DISPLAY_TYPE_COLUMN: return DisplayRowCount(env);
    default: return DisplayRowCount(env) * DisplayLineCount(env);
    }
}

void ArrangeMonthBlocks(const EnvData& env, POINT origin, const MonthBlockSize* sizes, int count,
                        MonthBlockPlace* places)
{
    if (env.DisplayType == DISPLAY_TYPE_LINE) {
        int headingWidth = 0;
        for (int i = 0; i < count; i++)
            headingWidth = Max(headingWidth, sizes[i].HeadingWidth);
        for (int i = 0, y = origin.y; i < count; y += sizes[i].Height + env.EachMonthSpace, i++)
            places[i] = {origin.x, y, headingWidth};
    } else if (env.DisplayType == DISPLAY_TYPE_COLUMN) {
        for (int i = 0, x = origin.x; i < count; x += sizes[i].Width + env.EachMonthSpace, i++)
            places[i] = {x, origin.y, sizes[i].Width};
    } else {
        ArrangeGrid(env, origin, sizes, count, places);
    }
}

int AlignmentBase(const EnvData& env, int year, int month, int count)
{
    if (env.WeekInForm != 1)
        return kNoAlignment;
    int base = 7;
    for (int i = 0; i < count; i++) {
        int y = year, m = month + i;
        NormalizeMonth(&y, &m);
        int weekday = DayOfWeek(y, m, 1);
        if (weekday < base)
            base = weekday;
    }
    return base;
}

LineBlockRows PlaceLineRows(const EnvData& env, int y, int headingHeight, int digitHeight)
{
    bool weekdays = env.WeekType != 0;
    int height = Max(headingHeight, digitHeight);
    LineBlockRows rows;
    rows.HeadingY = y + (weekdays && env.WeekPos == WEEK_POS_ABOVE ? env.WeekHeight : 0);
    rows.DayY = rows.HeadingY + height - digitHeight;
    rows.WeekdayY = env.WeekPos == WEEK_POS_ABOVE ? rows.DayY - env.WeekHeight : rows.DayY + env.WeekHeight;
    rows.Height = height + (weekdays ? env.WeekHeight : 0);
    return rows;
}

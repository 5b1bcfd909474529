#include "SettingsKeys.h"

#include <limits.h>

#include <iterator>

#include "EnvData.h"
#include "HeapUtil.h"
#include "ProfileSection.h"
#include "SettingsTypes.h"
#include "ShownMonth.h"

// Rows of the settings record's fields.
#define NUM(name, field, def) NUM_IN(EnvData, name, field, def)
#define FROM(field) FROM_IN(EnvData, field)
#define TEXT_KEY(name, field, text) TEXT_IN(EnvData, name, field, text)
#define HEAP_TEXT(name, field) HEAP_TEXT_IN(EnvData, name, field)
#define ARRAY(name, field, def) ARRAY_IN(EnvData, name, field, def)
#define FONT(prefix, field, size) FONT_IN(EnvData, prefix, field, size)
#define STYLE(name, field, text, list) STYLE_IN(EnvData, name, field, text, list)
#define CUSTOM(name, kind, field, def) setting_rows::CustomRow(name, kind, offsetof(EnvData, field), def)
// The ranges the settings dialog keeps numbers to: no spacing, margin or frame below 0, spacings up to
// LAYOUT_SPACE_MAX, margins up to WINDOW_MARGIN_MAX and shadows up to SHADOW_WIDTH_MAX. A size below 0 in a file
// would shrink the window to nothing, a huge margin push the calendar out of its window, and a wider shadow would
// cover the calendar.
#define SPACE_RANGE Range(0, LAYOUT_SPACE_MAX)
#define MARGIN_RANGE Range(0, WINDOW_MARGIN_MAX)
#define SHADOW_RANGE Range(0, SHADOW_WIDTH_MAX)
#define NOT_NEGATIVE Range(0, INT_MAX)

const char* const YearStyleNames[YEAR_STYLE_COUNT] = {
    "年表示なし", "和暦0年", "(和暦)0年", "(和暦)0", "和暦〇年", "(和暦)〇年", "(和暦)〇", "0000年",
    "00年", "0000", "00", "'00", "皇紀0000年", "0000年 和暦0年", "0000年 (和暦)0年",
};
const char* const MonthStyleNames[MONTH_STYLE_COUNT] = {
    "月表示なし", "1月", "一月", "睦月", "Jan", "January", "1桁", "2桁", "User",
};
const char* const WeekStyleNames[WEEK_STYLE_COUNT] = {
    "曜日表示なし", "日", "日曜日", "Sunday", "S", "Su", "Sun", "User",
};

namespace {

#define WEEKDAY_KEYS(prefix, d, color)                                                                           \
    NUM(prefix "Color", WeekStyles[d].StrColor, color),                                                          \
        NUM(prefix "ShadowColor", WeekStyles[d].ShadowColor, 0).FROM(ShadowColor),                               \
        NUM(prefix "ShadowWidth", WeekStyles[d].ShadowWidth, 0).FROM(ShadowWidth).SHADOW_RANGE,                  \
        NUM(prefix "ShadowDirection", WeekStyles[d].ShadowDirection, 0).FROM(ShadowDirection),                   \
        NUM(prefix "Gradation", WeekStyles[d].Gradation, 0).FROM(Gradation),                                     \
        NUM(prefix "MarkColor", WeekStyles[d].MarkColor, 0), NUM(prefix "MarkType", WeekStyles[d].MarkType, 0)

// Holiday, own-holiday and today styles; older files named colours "RGB".
#define DAY_STYLE_KEYS(prefix, style, color)                                                                     \
    NUM(prefix "Color", style.StrColor, color).Old(prefix "RGB"), NUM(prefix "ShadowColor", style.ShadowColor, 0), \
        NUM(prefix "ShadowWidth", style.ShadowWidth, 0).FROM(ShadowWidth).SHADOW_RANGE,                          \
        NUM(prefix "ShadowDirection", style.ShadowDirection, 0).FROM(ShadowDirection),                           \
        NUM(prefix "Gradation", style.Gradation, 0).FROM(Gradation),                                             \
        NUM(prefix "MarkColor", style.MarkColor, 0).Old(prefix "MarkRGB"),                                       \
        NUM(prefix "MarkType", style.MarkType, 0), NUM(prefix "NoUseColor", style.NoUseStrColor, 0).Old(prefix "NoUseRGB")

// Year and month headings: colour, shadow and font.
#define HEADING_KEYS(prefix, style, size)                                                                        \
    NUM(prefix "Color", style.StrColor, 65280).Old(prefix "RGB"),                                                \
        NUM(prefix "ShadowColor", style.ShadowColor, 0).FROM(ShadowColor),                                       \
        NUM(prefix "ShadowWidth", style.ShadowWidth, 0).FROM(ShadowWidth).SHADOW_RANGE,                          \
        NUM(prefix "ShadowDirection", style.ShadowDirection, 0).FROM(ShadowDirection),                           \
        NUM(prefix "Gradation", style.Gradation, 0).FROM(Gradation), FONT(prefix, style.Font, size)

const SettingKey kPlacementKeys[] = {
    setting_rows::CustomRow("Version", SETTING_KIND_VERSION, 0),
    NUM("WindowX", WindowX, 0),
    NUM("WindowY", WindowY, 0),
    NUM("WindowFix", WindowFix, 0),
    NUM("WindowOrder", WindowOrder, 0).Old("WindowAlwaysTop", LEGACY_WINS, 0),
    CUSTOM("PreWallPaper", SETTING_KIND_WALLPAPER, PreWallPaper, 0),
    NUM("DoubleStart", DoubleStart, 0),
};

// The window position kept per desktop size.
const SettingKey kScreenKeys[] = {
    NUM("WindowX", WindowX, 0).FROM(WindowX),
    NUM("WindowY", WindowY, 0).FROM(WindowY),
};

const SettingKey kMainKeys[] = {
    NUM("DisplayType", DisplayType, 0),
    NUM("DisplayStart", DisplayStart, 0),
    NUM("DisplaySepDate", DisplaySepDate, 15),
    NUM("DisplayOffSet", DisplayOffSet, 0).Range(-60, 60),
    NUM("DisplayPreYear", DisplayPreYear, 0),
    NUM("DisplayPreMonth", DisplayPreMonth, 0),
    NUM("DisplayRows", DisplayRows, 1).Range(1, DISPLAY_COUNT_MAX),
    NUM("DisplayLines", DisplayLines, 1).Range(1, DISPLAY_COUNT_MAX),
    NUM("DisplayOrder", DisplayOrder, 0),
    NUM("DisplayHeight", DisplayHeight, 0),
    NUM("BackColor", BackColor, 0xFFFFFF).Old("TransparentRGB"),
    NUM("FrameColor1", FrameColor1, 255),
    NUM("FrameColor2", FrameColor2, 0x80FFFF),
    NUM("FrameShape", FrameShape, 0),
    NUM("FrameWidth", FrameWidth, 0).NOT_NEGATIVE,
    NUM("RoundWidth", RoundWidth, 20).NOT_NEGATIVE,
    NUM("FrameGradation", FrameGradation, 0),
    NUM("AntiAliasing", AntiAliasing, 0),
    NUM("MarginLeft", MarginLeft, 0).MARGIN_RANGE,
    NUM("MarginTop", MarginTop, 0).MARGIN_RANGE,
    NUM("MarginRight", MarginRight, 0).MARGIN_RANGE,
    NUM("MarginBottom", MarginBottom, 0).MARGIN_RANGE,
    TEXT_KEY("BackImage", BackImage, "").With(SETTING_WRITE_IF_SET),
    NUM("ShadowColor", ShadowColor, 0).Old("ShadowRGB"),
    NUM("ShadowWidth", ShadowWidth, 2).Old("Shadow").SHADOW_RANGE,
    NUM("ShadowDirection", ShadowDirection, 4),
    NUM("Gradation", Gradation, 0),
    CUSTOM("UserStyleMax", SETTING_KIND_USER_MARKS, UserStyleMax, USER_STYLE_MIN)
        .Range(USER_STYLE_MIN, USER_STYLE_LIMIT),
    NUM("DisplayYMStyle", DisplayYMStyle, 0).FROM(DisplayYMStyle).Old("DisplayYMCentering", LEGACY_FLAG, 2),
    NUM("DisplayYMChange", DisplayYMChange, 0),
    NUM("DisplayFewYear", DisplayFewYear, 0),
    STYLE("YearType", YearType, "0000年", YearStyleNames),
    NUM("YMLink", YMLink, 0),
    TEXT_KEY("YMLinkString", YMLinkString, "/"),
    HEADING_KEYS("Year", YearStyle, 20),
    STYLE("MonthType", MonthType, "1月", MonthStyleNames),
    HEAP_TEXT("MonthUserStr", MonthUserStr),
    HEADING_KEYS("Month", MonthStyle, 17),
    STYLE("WeekType", WeekType, "日", WeekStyleNames),
    HEAP_TEXT("WeekUserStr", WeekUserStr),
    NUM("WeekKakko", WeekKakko, 0),
    NUM("WeekInForm", WeekInForm, 0),
    NUM("WeekPos", WeekPos, 2),
    NUM("StartDate", StartDate, 0).Old("MondayStart"),
    WEEKDAY_KEYS("Sun", 0, 255),
    WEEKDAY_KEYS("Mon", 1, 0xE0E0E0),
    WEEKDAY_KEYS("Tue", 2, 0xE0E0E0),
    WEEKDAY_KEYS("Wed", 3, 0xE0E0E0),
    WEEKDAY_KEYS("Thu", 4, 0xE0E0E0),
    WEEKDAY_KEYS("Fri", 5, 0xE0E0E0),
    WEEKDAY_KEYS("Sat", 6, 0xFFFF00),
    FONT("Week", WeekFont, 12),
    NUM("DayAlign", DayAlign, 1),
    NUM("FillSpace", FillSpace, 0),
    NUM("FillLightColor", FillLightColor, 0),
    NUM("FillDarkColor", FillDarkColor, 0),
    NUM("ShowWeekNum", ShowWeekNum, 0),
    FONT("Day", DayFont, 11),
    DAY_STYLE_KEYS("Holiday", HolidayStyle, 0xFF00FF),
    DAY_STYLE_KEYS("MyHoliday", MyHolidayStyle, 0xFF00FF),
    DAY_STYLE_KEYS("Today", TodayStyle, 0xFFFF),
    NUM("MoveWithWheel", MoveWithWheel, 1),
    NUM("MoveWithKeyUD", MoveWithKeyUD, 1),
    NUM("MoveWithKeyRL", MoveWithKeyRL, 1),
    NUM("EachMonthSpace", EachMonthSpace, 20).SPACE_RANGE,
    NUM("YMSpace", YMSpace, 5).SPACE_RANGE,
    NUM("MonthHeight", MonthHeight, 30).SPACE_RANGE,
    NUM("WeekHeight", WeekHeight, 20).SPACE_RANGE,
    NUM("DayWidth", DayWidth, 20).SPACE_RANGE,
    NUM("DayHeight", DayHeight, 16).SPACE_RANGE,
    NUM("MyHolidayIndividual", MyHolidayIndividual, 0),
    // The older key held the shape counted from 0.
    NUM("ButtonStyle", ButtonStyle, 1).Old("RoundButton", LEGACY_WINS, 1),
    NUM("DialogFont", DialogFont, 0),
    NUM("ShowToolTip", ShowToolTip, 1).Old("UseToolTip"),
    NUM("ToolTipWidth", ToolTipWidth, 320),
    NUM("BalloonTip", BalloonTip, 0),
    NUM("ShowWeekTip", ShowWeekTip, 1),
    NUM("ShowHolidayTip", ShowHolidayTip, 1),
    NUM("ShowMyHolidayTip", ShowMyHolidayTip, 1),
    NUM("ShowMemoTip", ShowMemoTip, 1),
    NUM("ShowRepeatMemoTip", ShowRepeatMemoTip, 1),
    NUM("ShowMemorialTip", ShowMemorialTip, 1),
    NUM("ShowPassedDays", ShowPassedDays, 0),
    NUM("ShowPassedWeeks", ShowPassedWeeks, 0),
    NUM("ShowRestDays", ShowRestDays, 0),
    NUM("ShowYearTip", ShowYearTip, 1).Old("UseYearTip"),
    NUM("UseTaskTray", UseTaskTray, 1),
    NUM("UseTaskTrayDate", UseTaskTrayDate, 0),
    NUM("UseTaskTrayClick", UseTaskTrayClick, 1),
    NUM("DenyOutOfDesktop", DenyOutOfDesktop, 0),
    NUM("TransMode", Transparency.TransMode, 0).Old("UseNoTrans", LEGACY_FLAG, 2),
    ARRAY("HotSpot%03d", HotSpot, 0),
    NUM("DoubleClick", DoubleClick, 0),
    NUM("TabSelect", TabSelect, 0),
    NUM("DelayedStart", DelayedStart, 0),
    NUM("DelayedStartTime", DelayedStartTime, 0).Range(0, 1800),
    NUM("UseShutdownMenu", UseShutdownMenu, 0),
    NUM("DrawWallPaper", DrawWallPaper, 0),
    HEAP_TEXT("HourAlarm", HourAlarm),
    NUM("HolidayWindowX", HolidayWindowX, -1),
    NUM("HolidayWindowY", HolidayWindowY, -1),
    NUM("HolidayWindowWidth", HolidayWindowWidth, -1),
    NUM("HolidayWindowHeight", HolidayWindowHeight, -1),
    NUM("PlugInWindowX", PlugInWindowX, -1),
    NUM("PlugInWindowY", PlugInWindowY, -1),
    NUM("PlugInWindowWidth", PlugInWindowWidth, -1),
    NUM("PlugInWindowHeight", PlugInWindowHeight, -1),
    NUM("TransparentAlphaMode", Transparency.TransparentAlphaMode, 2),
    NUM("TransparentAlpha", Transparency.TransparentAlpha, 128),
    NUM("TransparentAlphaTime", Transparency.TransparentAlphaTime, 1).Range(0, 30),
    POINTED_ARRAY_IN(EnvData, "CustomColor%02d", CustomColors, CUSTOM_COLOR_COUNT, 0x808080),
    ARRAY("MarkOrder%02d", MarkOrder, 0),
    CUSTOM("PlugIn", SETTING_KIND_PLUGINS, PlugInSlots, 0),
    // Written in the placement section only; an older file kept it here.
    NUM("DoubleStart", DoubleStart, 0).FROM(DoubleStart).With(SETTING_READ_ONLY),
};

const SettingKey kUserMarkKeys[] = {
    TEXT_IN(UserMark, "UserStyleName%02d", Name, USER_MARK_DEFAULT_NAME),
    NUM_IN(UserMark, "UserStyleMarkColor%02d", Style.MarkColor, 65280).Old("UserStyleMarkRGB%02d"),
    NUM_IN(UserMark, "UserStyleMarkType%02d", Style.MarkType, 0),
    NUM_IN(UserMark, "UserStyleNoUseStrColor%02d", Style.NoUseStrColor, 1).Old("UserStyleNoUseStrRGB%02d"),
    NUM_IN(UserMark, "UserStyleStrColor%02d", Style.StrColor, 0).Old("UserStyleStrRGB%02d"),
    NUM_IN(UserMark, "UserStyleShadowColor%02d", Style.ShadowColor, 0).FROM(ShadowColor),
    NUM_IN(UserMark, "UserStyleShadowWidth%02d", Style.ShadowWidth, 0).FROM(ShadowWidth).SHADOW_RANGE,
    NUM_IN(UserMark, "UserStyleShadowDirection%02d", Style.ShadowDirection, 0).FROM(ShadowDirection),
    NUM_IN(UserMark, "UserStyleGradation%02d", Style.Gradation, 0).Range(0, 255),
};

}  // namespace

SettingKeyTable PlacementSettingKeys()
{
    return {kPlacementKeys, (int)std::size(kPlacementKeys)};
}

SettingKeyTable ScreenSettingKeys()
{
    return {kScreenKeys, (int)std::size(kScreenKeys)};
}

SettingKeyTable MainSettingKeys()
{
    return {kMainKeys, (int)std::size(kMainKeys)};
}

SettingKeyTable UserMarkSettingKeys()
{
    return {kUserMarkKeys, (int)std::size(kUserMarkKeys)};
}

void CompleteMarkOrder(int* order)
{
    if (!order)
        return;
    for (int kind = MARK_ORDER_WEEKDAY; kind <= MARK_ORDER_DAY_MEMO; kind++) {
        int free = -1;
        bool present = false;
        for (int i = 0; i < MARK_ORDER_COUNT; i++) {
            present = present || order[i] == kind;
            if (free < 0 && order[i] == MARK_ORDER_END)
                free = i;
        }
        if (!present && free >= 0)
            order[free] = kind;
    }
}

void ReadUserMarkKeys(EnvData* env, const SettingKey& countKey, const SettingSource& display, const char* iniPath,
                      const char* memoSection)
{
    int count = (int)ClampSetting(countKey, ReadSettingNumber(display, countKey.Name, countKey.Default, SETTING_INT));
    if (!env->UserMarks || count != env->UserStyleMax) {
        UserMark* marks = (UserMark*)ReAllocZeroed(env->UserMarks, (size_t)count * sizeof(UserMark));
        if (marks) {
            env->UserMarks = marks;
            env->UserStyleMax = count;
        } else if (!env->UserMarks) {
            env->UserStyleMax = 0;
        }
    }
    char first[SETTING_NAME_SIZE];
    SettingKeyName(first, UserMarkSettingKeys().Keys[0].Name, 1);
    bool here = *ReadSettingText(display, first, "") != '\0';
    ProfileSection* memo = here || !iniPath ? nullptr : ReadProfileSection(iniPath, memoSection);
    SettingSource marks = {here ? display.Section : memo, env, nullptr, nullptr, display.Text};
    for (int n = 1; n <= env->UserStyleMax; n++)
        ReadSettingKeys(marks, &env->UserMarks[n - 1], UserMarkSettingKeys(), n);
    FreeProfileSection(memo);
}

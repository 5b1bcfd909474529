#include "CrashKinds.h"

#include <windows.h>

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "DayMemoStore.h"
#include "EnvData.h"
#include "FileUtil.h"
#include "HeapUtil.h"
#include "Holiday.h"
#include "HolidayDialogRules.h"
#include "IniDocument.h"
#include "MemoSettingsFile.h"
#include "MemoWriter.h"
#include "PlugInSlot.h"
#include "RepeatMemo.h"
#include "SettingsFile.h"

namespace {

const char kAppName[] = "Daylens";
const RECT kDesktop = {0, 0, 1920, 1080};
const char kScreenSection[] = "Daylens1920x1080";
// The day of the day file, and the month of the month file (31 days).
const int kYear = 2024;
const int kMonth = 5;
const int kDay = 17;
const int kMonthDays = 31;
// Pieces of text that change a file's length from one generation to the next; with trail bytes 0x5C and the
// memo escapes.
const char* const kFillers[] = {"会議", "予定表 ソフト 能力", "a&b\tc", "ｱｲｳｴｵ 表示 xyz 0123456789"};
const int kFillerCount = 4;

std::string Format(const char* format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    return text;
}

std::string Filler(uint32_t g, int salt, int pieces)
{
    std::string text;
    for (int i = 0; i < pieces; i++)
        text += kFillers[(g + (uint32_t)salt + (uint32_t)i) % kFillerCount];
    return text;
}

// A colour of its own per generation and use.
COLORREF Color(uint32_t g, uint32_t salt)
{
    return (g * 2654435761u + salt * 40503u) & 0xFFFFFF;
}

// The number after prefix at the start of text; false when text does not start so.
bool LeadingGeneration(const char* text, const char* prefix, uint32_t* g)
{
    size_t length = strlen(prefix);
    if (!text || strncmp(text, prefix, length) != 0 || text[length] < '0' || text[length] > '9')
        return false;
    *g = (uint32_t)strtoul(text + length, nullptr, 10);
    return true;
}

bool Fail(std::string* why, const std::string& what)
{
    *why = what;
    return false;
}

std::string TakeText(char* text)
{
    std::string out = text ? text : "";
    if (text)
        HeapFree(GetProcessHeap(), 0, text);
    return out;
}

// --- Settings: the program's sections through SaveEnv, between sections of a plug-in and of the memo settings.

struct SettingsRecord {
    EnvData Env;
    PlugInSlot Slots[PLUGIN_SLOT_COUNT] = {};
    COLORREF Colors[CUSTOM_COLOR_COUNT] = {};
    SettingsRecord(int marks)
    {
        Env.PlugInSlots = Slots;
        Env.CustomColors = Colors;
        Env.UserStyleMax = marks;
        Env.UserMarks = (UserMark*)AllocZeroed((size_t)marks * sizeof(UserMark));
    }
};

// The settings file of a folder that stands for the program folder as well.
struct SettingsPlace {
    std::string Path;
    std::string ProgramDir;
    SettingsFile File;
    explicit SettingsPlace(const std::string& folder) : Path(folder + "\\Daylens.ini"), ProgramDir(folder + "\\")
    {
        File = {Path.c_str(), kAppName, ProgramDir.c_str(), kDesktop, nullptr, nullptr};
    }
    SettingsPlace(const SettingsPlace&) = delete;
    SettingsPlace& operator=(const SettingsPlace&) = delete;
};

// The reader strips blanks around a value, which the settings writer does not quote: no blank at either end.
std::string HourAlarmText(uint32_t g)
{
    return Format("%u時", g) + Filler(g, 0, (int)(g % 40));
}

void FillSettings(SettingsRecord* r, uint32_t g)
{
    EnvData& e = r->Env;
    e.WindowX = (int)g;
    e.WindowY = (int)(g % 1000);
    e.BackColor = Color(g, 1);
    e.FrameColor1 = Color(g, 2);
    for (int n = 0; n < e.UserStyleMax; n++) {
        snprintf(e.UserMarks[n].Name, sizeof(e.UserMarks[n].Name), "印%u-%d", g, n);
        e.UserMarks[n].Style.MarkColor = Color(g, 20 + n);
    }
    e.HourAlarm = StrDupHeap(HourAlarmText(g).c_str());
    for (int i = 0; i < CUSTOM_COLOR_COUNT; i++)
        r->Colors[i] = Color(g, 40 + i);
    const char* const plugIns[] = {"DaylensPopupView.dll", "DaylensToolBar.dll"};
    for (int i = 0; i < 2; i++) {
        r->Slots[i].Use = (g >> i) & 1;
        snprintf(r->Slots[i].FileName, sizeof(r->Slots[i].FileName), "%s", plugIns[i]);
    }
}

int MarksOf(uint32_t g)
{
    return USER_STYLE_MIN + (int)(g % 5);
}

bool SaveSettings(const std::string& folder, uint32_t g)
{
    SettingsPlace place(folder);
    SettingsRecord record(MarksOf(g));
    FillSettings(&record, g);
    return SaveEnv(&place.File, &record.Env, SETTINGS_SCOPE_ALL) == 1;
}

// A plug-in's section before the program's, the memo settings and another plug-in's after them.
bool PrepareSettings(const std::string& folder)
{
    std::string path = SettingsPlace(folder).Path;
    const char toolBar[] = "[DaylensToolBar]\r\nToolBarX=12\r\nToolBarButtons=日付,メモ,予定表\r\n";
    if (!WriteWholeFile(path.c_str(), toolBar, sizeof(toolBar) - 1, nullptr) || !SaveSettings(folder, 0))
        return false;
    MemoSettings memo = {};
    memo.MemoSaveOneMonth = 1;
    memo.MemoFontSize = 12;
    return SaveMemoSettings(&memo, path.c_str(), kAppName) == 1 &&
           WriteIniSection(path.c_str(), "DaylensPopupView", "PopupX=300\0PopupY=200\0Font=ＭＳ ゴシック\0") == 1;
}

std::string ProfileText(const std::string& path, const char* section, const char* key)
{
    char value[4096];
    GetPrivateProfileStringA(section, key, "(none)", value, sizeof(value), path.c_str());
    return value;
}

bool CheckLoadedSettings(const EnvData& got, const EnvData& want, std::string* why)
{
    if (got.WindowX != want.WindowX || got.WindowY != want.WindowY)
        return Fail(why, Format("the position read is %d,%d", got.WindowX, got.WindowY));
    if (got.BackColor != want.BackColor || got.FrameColor1 != want.FrameColor1)
        return Fail(why, "the colours read are of another generation");
    if (got.UserStyleMax != want.UserStyleMax)
        return Fail(why, Format("%d user marks read", got.UserStyleMax));
    for (int n = 0; n < want.UserStyleMax; n++) {
        if (strcmp(got.UserMarks[n].Name, want.UserMarks[n].Name) != 0 ||
            got.UserMarks[n].Style.MarkColor != want.UserMarks[n].Style.MarkColor)
            return Fail(why, Format("user mark %d read as \"%s\"", n + 1, got.UserMarks[n].Name));
    }
    if (strcmp(got.HourAlarm ? got.HourAlarm : "", want.HourAlarm) != 0)
        return Fail(why, "the hour alarm read is of another generation");
    for (int i = 0; i < CUSTOM_COLOR_COUNT; i++) {
        if (got.CustomColors[i] != want.CustomColors[i])
            return Fail(why, Format("custom colour %d read as %06lX", i, (unsigned long)got.CustomColors[i]));
    }
    return true;
}

bool CheckSettings(const std::string& folder, uint32_t* g, std::string* why)
{
    SettingsPlace place(folder);
    const std::string& path = place.Path;
    std::string x = ProfileText(path, "Daylens00", "WindowX");
    if (!LeadingGeneration(x.c_str(), "", g))
        return Fail(why, "Daylens00 has no WindowX: " + x);
    // The position stands in the placement section, its legacy copy and the section of the screen size.
    for (const char* section : {"Daylens", kScreenSection}) {
        std::string other = ProfileText(path, section, "WindowX");
        if (other != x)
            return Fail(why, Format("WindowX is %s in Daylens00 but %s in %s", x.c_str(), other.c_str(), section));
    }
    char version[32];
    FormatSettingsVersion(version, sizeof(version));
    // A file without the version would be stamped by the reader: it is checked before the reader runs.
    if (ProfileText(path, "Daylens00", "Version") != version)
        return Fail(why, "Daylens00 has no version");
    SettingsRecord got(USER_STYLE_MIN);
    LoadWindowPlacement(&place.File, &got.Env);
    LoadEnv(&place.File, &got.Env, nullptr);
    SettingsRecord want(MarksOf(*g));
    FillSettings(&want, *g);
    return CheckLoadedSettings(got.Env, want.Env, why);
}

// --- Day memos: one file a day, or one a month whose save changes one day.

std::string MemoText(uint32_t g, int lines)
{
    std::string text = Format("第%u版", g);
    for (int i = 0; i < lines; i++)
        text += Format("\r\n%u-%d ", g, i) + Filler(g, i, 1 + i % 3);
    return text + Format("\r\n終%u", g);
}

DayMemoRecord MemoRecord(uint32_t g)
{
    DayMemoRecord r = {};
    r.Style.MarkType = (BYTE)(g % 20);
    r.Style.MarkColor = Color(g, 1);
    r.Style.NoUseStrColor = (int)(g & 1);
    r.Style.StrColor = Color(g, 2);
    r.Style.ShadowColor = Color(g, 3);
    r.Style.ShadowWidth = (BYTE)(g % 6);
    r.Style.ShadowDirection = (BYTE)(g % 9);
    r.Hour = (int)(g % 24);
    r.Minute = (int)(g * 7 % 60);
    return r;
}

bool SameMemoRecord(const DayMemoRecord& a, const DayMemoRecord& b)
{
    const FontStyle& x = a.Style;
    const FontStyle& y = b.Style;
    return x.MarkType == y.MarkType && x.MarkColor == y.MarkColor && x.NoUseStrColor == y.NoUseStrColor &&
           x.StrColor == y.StrColor && x.ShadowColor == y.ShadowColor && x.ShadowWidth == y.ShadowWidth &&
           x.ShadowDirection == y.ShadowDirection && a.Hour == b.Hour && a.Minute == b.Minute;
}

MemoSettings MemoStoreIn(const std::string& folder, int oneMonth)
{
    MemoSettings memo = {};
    snprintf(memo.MemoDir, sizeof(memo.MemoDir), "%s", folder.c_str());
    memo.MemoSaveOneMonth = oneMonth;
    return memo;
}

bool SaveMemo(const std::string& folder, int oneMonth, int day, uint32_t g, int lines)
{
    MemoSettings memo = MemoStoreIn(folder, oneMonth);
    DayMemoRecord record = MemoRecord(g);
    return WriteDayMemo(&memo, kYear, kMonth, day, MemoText(g, lines).c_str(), &record) == 1;
}

// The memo of day read back, which generation *g it is of; false when it is missing or not wholly of one.
bool CheckMemo(const std::string& folder, int oneMonth, int day, uint32_t* g, int (*lines)(uint32_t),
               std::string* why)
{
    MemoSettings memo = MemoStoreIn(folder, oneMonth);
    MemoStoreSettings store = MemoStoreOf(&memo);
    DayMemoRecord record = {};
    std::string text = TakeText(ReadDayMemoText(nullptr, kYear, kMonth, day, &store, &record, 0));
    if (!LeadingGeneration(text.c_str(), "第", g))
        return Fail(why, Format("day %d has no memo of any generation: \"%.60s\"", day, text.c_str()));
    if (text != MemoText(*g, lines(*g)))
        return Fail(why, Format("the memo of day %d is not whole: \"%.60s\"", day, text.c_str()));
    if (!SameMemoRecord(record, MemoRecord(*g)))
        return Fail(why, Format("the style or time of day %d is not of generation %u", day, *g));
    return true;
}

int DayFileLines(uint32_t g)
{
    return 2 + (int)(g % 40);
}

bool SaveDayFile(const std::string& folder, uint32_t g)
{
    return SaveMemo(folder, 0, kDay, g, DayFileLines(g));
}

bool PrepareDayFile(const std::string& folder)
{
    return SaveDayFile(folder, 0);
}

bool CheckDayFile(const std::string& folder, uint32_t* g, std::string* why)
{
    return CheckMemo(folder, 0, kDay, g, DayFileLines, why);
}

int MonthFileLines(uint32_t g)
{
    return 1 + (int)(g % 4);
}

// Generation g changes day (g - 1) % 31 + 1.
int DayOfGeneration(uint32_t g)
{
    return (int)((g - 1) % kMonthDays) + 1;
}

// The generation day holds in a month file of generation g: the last save of that day, or 0.
uint32_t DayGeneration(int day, uint32_t g)
{
    return g < (uint32_t)day ? 0 : g - (g - (uint32_t)day) % kMonthDays;
}

bool SaveMonthFile(const std::string& folder, uint32_t g)
{
    return SaveMemo(folder, 1, DayOfGeneration(g), g, MonthFileLines(g));
}

bool PrepareMonthFile(const std::string& folder)
{
    for (int day = 1; day <= kMonthDays; day++) {
        if (!SaveMemo(folder, 1, day, 0, MonthFileLines(0)))
            return false;
    }
    return true;
}

bool CheckMonthFile(const std::string& folder, uint32_t* g, std::string* why)
{
    uint32_t days[kMonthDays];
    *g = 0;
    for (int day = 1; day <= kMonthDays; day++) {
        if (!CheckMemo(folder, 1, day, &days[day - 1], MonthFileLines, why))
            return false;
        if (days[day - 1] > *g)
            *g = days[day - 1];
    }
    for (int day = 1; day <= kMonthDays; day++) {
        if (days[day - 1] != DayGeneration(day, *g))
            return Fail(why, Format("day %d holds generation %u in a file of generation %u", day, days[day - 1], *g));
    }
    return true;
}

// --- Repeating memos: several memos, their number changing with the generation.

int RepeatCount(uint32_t g)
{
    return 3 + (int)(g % 6);
}

RepeatMemoRecord RepeatRecord(uint32_t g, int i)
{
    uint32_t k = g + (uint32_t)i;
    RepeatMemoRecord r = {};
    r.Use = k % 3 != 0;
    r.Type = (uint8_t)(1 + k % 6);
    r.Month = (int32_t)(1 + k % 12);
    r.Day = (int32_t)(1 + (g * 3 + (uint32_t)i) % 31);
    r.Week = (int32_t)(k % 7);
    r.HolidayShift = (int32_t)(k % 3);
    r.DayBit = (uint8_t)((g * 5 + (uint32_t)i) & 0x7F);
    r.FromYear = (int32_t)(2000 + g % 30);
    r.FromMonth = 1 + i % 12;
    r.FromDay = (int32_t)(1 + g % 28);
    r.ToYear = 2030 + i;
    r.ToMonth = (int32_t)(1 + k % 12);
    r.ToDay = (int32_t)(1 + k % 28);
    r.Style.MarkColor = Color(g, 10 + (uint32_t)i);
    r.Style.MarkType = (BYTE)(k % 20);
    r.Style.NoUseStrColor = (int)(k & 1);
    r.Style.StrColor = Color(g, 30 + (uint32_t)i);
    r.Style.ShadowColor = Color(g, 50 + (uint32_t)i);
    r.Style.ShadowWidth = (BYTE)(k % 5);
    r.Style.ShadowDirection = (BYTE)(k % 8);
    r.Style.Gradation = (int)(k % 3);
    return r;
}

std::string RepeatText(uint32_t g, int i)
{
    return Format("定例%u-%d ", g, i) + Filler(g, i, (int)((g + (uint32_t)i) % 12));
}

bool SameRepeatRecord(const RepeatMemoRecord& a, const RepeatMemoRecord& b)
{
    const FontStyle& x = a.Style;
    const FontStyle& y = b.Style;
    return a.Use == b.Use && a.Type == b.Type && a.Month == b.Month && a.Day == b.Day && a.Week == b.Week &&
           a.HolidayShift == b.HolidayShift && a.DayBit == b.DayBit && a.FromYear == b.FromYear &&
           a.FromMonth == b.FromMonth && a.FromDay == b.FromDay && a.ToYear == b.ToYear && a.ToMonth == b.ToMonth &&
           a.ToDay == b.ToDay && x.MarkColor == y.MarkColor && x.MarkType == y.MarkType &&
           x.NoUseStrColor == y.NoUseStrColor && x.StrColor == y.StrColor && x.ShadowColor == y.ShadowColor &&
           x.ShadowWidth == y.ShadowWidth && x.ShadowDirection == y.ShadowDirection && x.Gradation == y.Gradation;
}

bool SaveRepeatFile(const std::string& folder, uint32_t g)
{
    int count = RepeatCount(g);
    std::vector<RepeatMemoRecord> records;
    std::vector<std::string> owned;
    char* texts[REPEAT_MEMO_MAX] = {};
    for (int i = 0; i < count; i++) {
        records.push_back(RepeatRecord(g, i));
        owned.push_back(RepeatText(g, i));
    }
    for (int i = 0; i < count; i++)
        texts[i] = &owned[i][0];
    return SaveRepeatMemoFile(records.data(), texts, count, folder.c_str()) == 1;
}

bool PrepareRepeatFile(const std::string& folder)
{
    return SaveRepeatFile(folder, 0);
}

bool CheckRepeatFile(const std::string& folder, uint32_t* g, std::string* why)
{
    RepeatMemoRecord* records = nullptr;
    char* texts[REPEAT_MEMO_MAX] = {};
    int count = 0;
    InitRepeatMemos(&records, texts, &count);
    bool read = LoadRepeatMemos(&records, texts, &count, folder.c_str()) == 1;
    bool whole = read && count > 0 && LeadingGeneration(texts[0], "定例", g);
    if (!whole)
        Fail(why, Format("%d repeating memos without a generation", count));
    else if (count != RepeatCount(*g))
        whole = Fail(why, Format("%d repeating memos in a file of generation %u", count, *g));
    for (int i = 0; whole && i < count; i++) {
        if (RepeatText(*g, i) != texts[i] || !SameRepeatRecord(records[i], RepeatRecord(*g, i)))
            whole = Fail(why, Format("repeating memo %d is not of generation %u: \"%.60s\"", i, *g, texts[i]));
    }
    FreeRepeatMemos(&records, texts, &count);
    return whole;
}

// --- The own-holiday list: day and weekday rules of every kind of year.

int HolidayCount(uint32_t g)
{
    return 6 + (int)(g % 9);
}

HolidayRecord HolidayEntry(uint32_t g, int i)
{
    HolidayRecord r = {};
    r.kind = HOLIDAY_KIND_OWN;
    switch (i % 3) {
    case 0: r.year = 0; break;
    case 1: r.year = (int32_t)(2000 + g % 50); break;
    default: r.yearRule = HOLIDAY_YEAR_FROM; r.year = 1990 + i; break;
    }
    r.month = 1 + i % 12;
    if (i % 4 == 3) {
        r.week = (int32_t)(1 + g % 5);
        r.weekday = (int32_t)((g + (uint32_t)i) % 7);
    } else {
        r.day = (int32_t)(1 + (g + (uint32_t)i) % 28);
    }
    return r;
}

// A TAB ends the name field of the holiday format: names have blanks only.
std::string HolidayName(uint32_t g, int i)
{
    std::string name = Format("休日%u-%d ", g, i) + Filler(g, i, (int)((g + (uint32_t)i) % 8)) + "の日";
    for (char& c : name) {
        if (c == '\t')
            c = ' ';
    }
    return name;
}

std::string HolidayPath(const std::string& folder)
{
    return folder + "\\MyHoliday.txt";
}

bool SaveHolidayFile(const std::string& folder, uint32_t g)
{
    int count = HolidayCount(g);
    std::vector<HolidayRecord> list;
    std::vector<std::string> names;
    for (int i = 0; i < count; i++)
        names.push_back(HolidayName(g, i));
    for (int i = 0; i < count; i++) {
        list.push_back(HolidayEntry(g, i));
        list.back().name = &names[i][0];
    }
    return WriteHolidayFile(HolidayPath(folder).c_str(), list.data(), count) == 1;
}

bool PrepareHolidayFile(const std::string& folder)
{
    return SaveHolidayFile(folder, 0);
}

bool CheckHolidayFile(const std::string& folder, uint32_t* g, std::string* why)
{
    unsigned int count = 0;
    HolidayRecord* list = LoadHoliday(HOLIDAY_KIND_OWN, HolidayPath(folder).c_str(), &count);
    bool whole = list && count > 0 && LeadingGeneration(list[0].name, "休日", g);
    if (!whole)
        Fail(why, Format("%u holidays without a generation", list ? count : 0));
    else if ((int)count != HolidayCount(*g))
        whole = Fail(why, Format("%u holidays in a file of generation %u", count, *g));
    for (int i = 0; whole && i < (int)count; i++) {
        HolidayRecord want = HolidayEntry(*g, i);
        const HolidayRecord& got = list[i];
        if (HolidayName(*g, i) != got.name || got.yearRule != want.yearRule || got.year != want.year ||
            got.month != want.month || got.day != want.day || got.week != want.week || got.weekday != want.weekday)
            whole = Fail(why, Format("holiday %d is not of generation %u: \"%.60s\"", i, *g, got.name));
    }
    if (list)
        FreeHolidayList(list, (int)count);
    return whole;
}

}  // namespace

const CrashKind kCrashKinds[] = {
    {"settings", "Daylens.ini", true, 1, PrepareSettings, SaveSettings, CheckSettings},
    {"day", "20240517.txt", true, 1, PrepareDayFile, SaveDayFile, CheckDayFile},
    {"month", "202405.txt", true, kMonthDays, PrepareMonthFile, SaveMonthFile, CheckMonthFile},
    {"repeat", "repeat.txt", true, 1, PrepareRepeatFile, SaveRepeatFile, CheckRepeatFile},
    {"holiday", "MyHoliday.txt", false, 1, PrepareHolidayFile, SaveHolidayFile, CheckHolidayFile},
};
const int kCrashKindCount = (int)(sizeof(kCrashKinds) / sizeof(kCrashKinds[0]));

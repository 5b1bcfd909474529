#include <gtest/gtest.h>

#include <windows.h>

#include <limits.h>
#include <stdio.h>
#include <string.h>

#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "EnvData.h"
#include "FileUtil.h"
#include "FontUtil.h"
#include "HeapUtil.h"
#include "MemoSettingsFile.h"
#include "MemorialSettingsFile.h"
#include "NameSets.h"
#include "PlugInSlot.h"
#include "SettingsFile.h"
#include "SettingsKeys.h"
#include "TempFolder.h"

namespace {

// Sections N"00" (stamped with this version) and N"01" opened, ready for settings lines.
const char kNewLayout[] = "[Daylens00]\r\nVersion=1.20.01\r\n[Daylens01]\r\n";

// The live record with the tables start-up gives it.
struct TestRecord {
    EnvData env;
    PlugInSlot slots[PLUGIN_SLOT_COUNT] = {};
    COLORREF colors[CUSTOM_COLOR_COUNT] = {};
    TestRecord()
    {
        env.PlugInSlots = slots;
        env.CustomColors = colors;
        env.UserStyleMax = USER_STYLE_MIN;
        env.UserMarks = (UserMark*)AllocZeroed(USER_STYLE_MIN * sizeof(UserMark));
    }
};

#define FIELD(expr) [](const EnvData& e) -> long { return (long)(e.expr); }

struct Expectation {
    const char* what;
    long (*get)(const EnvData& e);
    long want;
};

void ExpectFields(const EnvData& e, const Expectation* table, size_t count, const std::string& context = "")
{
    for (size_t i = 0; i < count; i++)
        EXPECT_EQ(table[i].want, table[i].get(e)) << table[i].what << context;
}

// A settings file in a fresh temporary folder, which also stands for the program folder.
class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp_.Create("daylens-settings"));
        programDir_ = temp_.Dir() + "\\";
        path_ = programDir_ + "Daylens.ini";
        file_ = {path_.c_str(), "Daylens", programDir_.c_str(), {0, 0, 1920, 1080}, monthNames_, weekNames_};
    }

    void TearDown() override
    {
        FreeUserNames(monthNames_, MONTH_USER_NAME_COUNT);
        FreeUserNames(weekNames_, WEEK_USER_NAME_COUNT);
        SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
        temp_.Remove();
    }

    void WriteIni(const std::string& text)
    {
        SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_EQ(1, WriteWholeFile(path_.c_str(), text.data(), (DWORD)text.size(), nullptr));
    }

    // A record read from the file by the start-up readers (placement, then settings).
    std::unique_ptr<TestRecord> LoadFile(int* firstRun = nullptr, int* versionChanged = nullptr)
    {
        std::unique_ptr<TestRecord> record(new TestRecord);
        EXPECT_EQ(1, LoadWindowPlacement(&file_, &record->env));
        int first = LoadEnv(&file_, &record->env, versionChanged);
        if (firstRun)
            *firstRun = first;
        return record;
    }

    std::unique_ptr<TestRecord> Load(const std::string& text)
    {
        WriteIni(text);
        return LoadFile();
    }

    std::string Value(const char* section, const char* key) const
    {
        std::vector<char> text(SETTINGS_LINE_SIZE * 2);
        GetPrivateProfileStringA(section, key, "(none)", text.data(), (DWORD)text.size(), path_.c_str());
        return text.data();
    }

    // Key names of a section, in file order.
    std::vector<std::string> Keys(const char* section) const
    {
        std::vector<char> text(SETTINGS_SECTION_SIZE * 4);
        GetPrivateProfileSectionA(section, text.data(), (DWORD)text.size(), path_.c_str());
        std::vector<std::string> keys;
        for (const char* line = text.data(); *line; line += strlen(line) + 1) {
            std::string key(line, strcspn(line, "="));
            keys.push_back(key.erase(key.find_last_not_of(' ') + 1));
        }
        return keys;
    }

    bool Hidden() const { return (GetFileAttributesA(path_.c_str()) & FILE_ATTRIBUTE_HIDDEN) != 0; }

    TempFolder temp_;
    std::string path_;
    std::string programDir_;
    char* monthNames_[MONTH_USER_NAME_COUNT] = {};
    char* weekNames_[WEEK_USER_NAME_COUNT] = {};
    SettingsFile file_ = {};
};

const Expectation kDefaults[] = {
    {"DisplayRows", FIELD(DisplayRows), 1},          {"DisplaySepDate", FIELD(DisplaySepDate), 15},
    {"KeyColor", FIELD(Transparency.KeyColor), 0xFFFFFF}, {"ShadowWidth", FIELD(ShadowWidth), 2},
    {"YearShadowDirection", FIELD(YearStyle.ShadowDirection), 4},
    {"UserStyleMax", FIELD(UserStyleMax), 10},       {"UserStyleMarkColor10", FIELD(UserMarks[9].Style.MarkColor), 65280},
    {"UserStyleNoUseStrColor01", FIELD(UserMarks[0].Style.NoUseStrColor), 1},
    {"YearType", FIELD(YearType), 7},                {"MonthType", FIELD(MonthType), 1},
    {"YearFontSize", FIELD(YearStyle.Font.lfHeight), -24}, {"YearFontBold", FIELD(YearStyle.Font.lfWeight), 400},
    {"DayFontSize", FIELD(DayFont.lfHeight), -15},   {"SunColor", FIELD(WeekStyles[0].StrColor), 255},
    {"SatColor", FIELD(WeekStyles[6].StrColor), 0xFFFF00}, {"MonColor", FIELD(WeekStyles[1].StrColor), 0xE0E0E0},
    {"TodayColor", FIELD(TodayStyle.StrColor), 0xFFFF}, {"ButtonStyle", FIELD(ButtonStyle), 1},
    {"HolidayWindowX", FIELD(HolidayWindowX), -1},   {"TransparentAlpha", FIELD(Transparency.TransparentAlpha), 128},
    {"CustomColor15", FIELD(CustomColors[15]), 0x808080}, {"MarkOrder06", FIELD(MarkOrder[6]), 7},
    {"PlugInUse00", FIELD(PlugInSlots[0].Use), 0},
};

TEST_F(SettingsFileTest, MissingOrEmptyFileGivesTheDefaults)
{
    for (bool missing : {true, false}) {
        if (!missing)
            WriteIni("");
        int firstRun = -1;
        auto record = LoadFile(&firstRun);
        EXPECT_EQ(missing ? 1 : 0, firstRun);
        const EnvData& e = record->env;
        ExpectFields(e, kDefaults, std::size(kDefaults), missing ? " (missing file)" : " (empty file)");
        EXPECT_STREQ("/", e.YMLinkString);
        EXPECT_STREQ("ユーザ 1", e.UserMarks[0].Name);
        EXPECT_STREQ("ユーザ10", e.UserMarks[9].Name);
        EXPECT_STREQ("ＭＳ Ｐ明朝", e.DayFont.lfFaceName);
        EXPECT_STREQ("DaylensPopupView.dll", e.PlugInSlots[0].FileName);
        EXPECT_STREQ("LxMailCheck.dll", e.PlugInSlots[4].FileName);
        EXPECT_EQ(nullptr, e.MonthUserStr);
        // Without a placement section the file counts as legacy until the first save.
        EXPECT_EQ("1.20.01", Value("Daylens", "Version"));
        remove(path_.c_str());
    }
}

TEST_F(SettingsFileTest, LegacyKeysAreReadAsDefaults)
{
    auto record = Load("[Daylens00]\r\nVersion=1.20.01\r\nWindowAlwaysTop=1\r\nWindowOrder=2\r\n[Daylens01]\r\n"
                       "TransparentRGB=101\r\nShadowRGB=102\r\nShadow=7\r\nDisplayYMCentering=1\r\nYearRGB=103\r\n"
                       "MonthRGB=104\r\nMondayStart=1\r\nHolidayRGB=105\r\nHolidayMarkRGB=106\r\n"
                       "HolidayNoUseRGB=1\r\nMyHolidayRGB=107\r\nMyHolidayMarkRGB=108\r\nMyHolidayNoUseRGB=1\r\n"
                       "TodayRGB=109\r\nTodayMarkRGB=110\r\nTodayNoUseRGB=1\r\nRoundButton=2\r\nButtonStyle=1\r\n"
                       "UseToolTip=0\r\nUseYearTip=0\r\nUseNoTrans=1\r\nUserStyleName01=a\r\n"
                       "UserStyleMarkRGB01=111\r\nUserStyleNoUseStrRGB02=0\r\nUserStyleStrRGB03=112\r\n");
    const Expectation legacy[] = {
        {"WindowAlwaysTop", FIELD(WindowOrder), 1}, {"TransparentRGB", FIELD(BackColor), 101},
        {"TransparentRGB as key colour", FIELD(Transparency.KeyColor), 101}, {"ShadowRGB", FIELD(ShadowColor), 102},
        // The shared shadow is the default of every style's own.
        {"ShadowRGB in weekdays", FIELD(WeekStyles[3].ShadowColor), 102},
        {"ShadowRGB in user marks", FIELD(UserMarks[0].Style.ShadowColor), 102}, {"Shadow", FIELD(ShadowWidth), 7},
        {"Shadow in holidays", FIELD(HolidayStyle.ShadowWidth), 7}, {"DisplayYMCentering", FIELD(DisplayYMStyle), 2},
        {"YearRGB", FIELD(YearStyle.StrColor), 103}, {"MonthRGB", FIELD(MonthStyle.StrColor), 104},
        {"MondayStart", FIELD(StartDate), 1}, {"HolidayRGB", FIELD(HolidayStyle.StrColor), 105},
        {"HolidayMarkRGB", FIELD(HolidayStyle.MarkColor), 106},
        {"HolidayNoUseRGB", FIELD(HolidayStyle.NoUseStrColor), 1},
        {"MyHolidayRGB", FIELD(MyHolidayStyle.StrColor), 107},
        {"MyHolidayMarkRGB", FIELD(MyHolidayStyle.MarkColor), 108},
        {"MyHolidayNoUseRGB", FIELD(MyHolidayStyle.NoUseStrColor), 1}, {"TodayRGB", FIELD(TodayStyle.StrColor), 109},
        {"TodayMarkRGB", FIELD(TodayStyle.MarkColor), 110}, {"TodayNoUseRGB", FIELD(TodayStyle.NoUseStrColor), 1},
        {"RoundButton wins", FIELD(ButtonStyle), 3}, {"UseToolTip", FIELD(ShowToolTip), 0},
        {"UseYearTip", FIELD(ShowYearTip), 0}, {"UseNoTrans", FIELD(Transparency.TransMode), 2},
        {"UserStyleMarkRGB01", FIELD(UserMarks[0].Style.MarkColor), 111},
        {"UserStyleNoUseStrRGB02", FIELD(UserMarks[1].Style.NoUseStrColor), 0},
        {"UserStyleStrRGB03", FIELD(UserMarks[2].Style.StrColor), 112},
    };
    ExpectFields(record->env, legacy, std::size(legacy));

    record = Load(std::string(kNewLayout) + "TransparentRGB=101\r\nBackColor=77\r\nDisplayYMCentering=1\r\n"
                  "DisplayYMStyle=3\r\nUseNoTrans=1\r\nTransMode=1\r\nYearRGB=5\r\nYearColor=6\r\n");
    const Expectation current[] = {
        {"BackColor", FIELD(BackColor), 77}, {"DisplayYMStyle", FIELD(DisplayYMStyle), 3},
        {"TransMode", FIELD(Transparency.TransMode), 1}, {"YearColor", FIELD(YearStyle.StrColor), 6},
    };
    ExpectFields(record->env, current, std::size(current), " beside its older key");
}

TEST_F(SettingsFileTest, NumbersAreClampedNeverWrapped)
{
    auto record = Load(std::string(kNewLayout) +
                       "DisplayRows=0\r\nDisplayLines=300\r\nDisplayOffSet=-100\r\nDelayedStartTime=5000\r\n"
                       "ShadowWidth=256\r\nHotSpot003=300\r\nUserStyleName01=a\r\nUserStyleGradation01=300\r\n"
                       "FrameWidth=99999999999\r\nBackColor=4294967295\r\nFrameColor1=-1\r\nYearFontItalic=256\r\n"
                       "UserStyleMax=150\r\nTransparentAlpha=300\r\nTransparentAlphaTime=-1\r\n"
                       "MonthFontSize=2147483647\r\nRoundButton=2147483647\r\n");
    const Expectation clamped[] = {
        {"DisplayRows", FIELD(DisplayRows), 1}, {"DisplayLines", FIELD(DisplayLines), 12},
        {"DisplayOffSet", FIELD(DisplayOffSet), -60}, {"DelayedStartTime", FIELD(DelayedStartTime), 1800},
        {"ShadowWidth", FIELD(ShadowWidth), 99}, {"HotSpot003", FIELD(HotSpot[3]), 255},
        {"UserStyleGradation01", FIELD(UserMarks[0].Style.Gradation), 255}, {"FrameWidth", FIELD(FrameWidth), INT_MAX},
        {"BackColor", FIELD(BackColor), (long)0xFFFFFFFF}, {"FrameColor1", FIELD(FrameColor1), (long)0xFFFFFFFF},
        {"YearFontItalic", FIELD(YearStyle.Font.lfItalic), 1}, {"UserStyleMax", FIELD(UserStyleMax), 99},
        {"TransparentAlpha", FIELD(Transparency.TransparentAlpha), 255},
        {"TransparentAlphaTime", FIELD(Transparency.TransparentAlphaTime), 0},
        // A huge point size stays a height, and the older button key's shift holds at the limit.
        {"MonthFontSize", FIELD(MonthStyle.Font.lfHeight), INT_MIN}, {"ButtonStyle", FIELD(ButtonStyle), 255},
    };
    ExpectFields(record->env, clamped, std::size(clamped));
}

TEST_F(SettingsFileTest, SizesAndShadowsAreHeldToTheDialogsRanges)
{
    // Sizes below 0 would shrink the window to nothing, huge margins push the calendar out of it, and shadows wider
    // than the dialogs' cover the calendar.
    auto record = Load(std::string(kNewLayout) +
                       "MonthHeight=-30\r\nWeekHeight=-20\r\nDayWidth=-20\r\nDayHeight=-16\r\n"
                       "EachMonthSpace=-1\r\nYMSpace=4294967295\r\nMarginLeft=-200\r\nMarginBottom=-1\r\n"
                       "MarginTop=2147483647\r\nMarginRight=2147483000\r\n"
                       "RoundWidth=-5\r\nShadow=-1\r\nSunShadowWidth=4294967295\r\nTodayShadowWidth=100\r\n"
                       "UserStyleName01=a\r\nUserStyleShadowWidth01=256\r\n");
    const Expectation held[] = {
        {"MonthHeight", FIELD(MonthHeight), 0},   {"WeekHeight", FIELD(WeekHeight), 0},
        {"DayWidth", FIELD(DayWidth), 0},         {"DayHeight", FIELD(DayHeight), 0},
        {"EachMonthSpace", FIELD(EachMonthSpace), 0}, {"YMSpace", FIELD(YMSpace), 200},
        {"MarginLeft", FIELD(MarginLeft), 0},     {"MarginBottom", FIELD(MarginBottom), 0},
        {"MarginTop", FIELD(MarginTop), 100},     {"MarginRight", FIELD(MarginRight), 100},
        {"RoundWidth", FIELD(RoundWidth), 0},     {"ShadowWidth from Shadow", FIELD(ShadowWidth), 0},
        {"SunShadowWidth", FIELD(WeekStyles[0].ShadowWidth), 99},
        {"TodayShadowWidth", FIELD(TodayStyle.ShadowWidth), 99},
        {"UserStyleShadowWidth01", FIELD(UserMarks[0].Style.ShadowWidth), 99},
    };
    ExpectFields(record->env, held, std::size(held));
}

TEST_F(SettingsFileTest, TextsAreCutOnCharacterBoundaries)
{
    // Each value ends with a double-byte character that crosses its field's limit.
    struct TextCase {
        const char* key;
        size_t keep;  // single-byte characters before it
        const char* (*get)(const EnvData& e);
    };
    const TextCase cases[] = {
        {"YMLinkString", 19, [](const EnvData& e) -> const char* { return e.YMLinkString; }},
        {"BackImage", 1022, [](const EnvData& e) -> const char* { return e.BackImage; }},
        {"UserStyleName01", 62, [](const EnvData& e) -> const char* { return e.UserMarks[0].Name; }},
        {"YearFontName", 30, [](const EnvData& e) -> const char* { return e.YearStyle.Font.lfFaceName; }},
    };
    for (const TextCase& c : cases) {
        std::string kept(c.keep, 'a');
        auto record = Load(std::string(kNewLayout) + c.key + "=" + kept + "表\r\n");
        EXPECT_EQ(kept, c.get(record->env)) << c.key;
        record = Load(std::string(kNewLayout) + c.key + "=" + kept.substr(1) + "表\r\n");
        EXPECT_EQ(kept.substr(1) + "表", c.get(record->env)) << c.key;
    }
}

TEST_F(SettingsFileTest, StyleTextsAndFontSizes)
{
    struct StyleCase {
        const char* lines;
        int year, month, week;
    };
    const StyleCase cases[] = {
        {"YearType=和暦〇年\r\nMonthType=User\r\nWeekType=Su\r\n", 4, 8, 5},
        {"YearType=0000 年\r\nMonthType=user\r\nWeekType=Monday\r\n", 0, 0, 0},
    };
    for (const StyleCase& c : cases) {
        auto record = Load(std::string(kNewLayout) + c.lines);
        EXPECT_EQ(c.year, record->env.YearType) << c.lines;
        EXPECT_EQ(c.month, record->env.MonthType) << c.lines;
        EXPECT_EQ(c.week, record->env.WeekType) << c.lines;
    }

    auto record = Load(std::string(kNewLayout) + "YearFontSize=20\r\nMonthFontSize=0\r\nWeekFontSize=-30\r\n"
                       "YearFontBold=1\r\nMonthFontBold=0\r\nWeekFontBold=600\r\n");
    const Expectation fonts[] = {
        {"YearFontSize", FIELD(YearStyle.Font.lfHeight), -24}, {"MonthFontSize", FIELD(MonthStyle.Font.lfHeight), 0},
        {"WeekFontSize", FIELD(WeekFont.lfHeight), -30},       {"YearFontBold", FIELD(YearStyle.Font.lfWeight), 700},
        {"MonthFontBold", FIELD(MonthStyle.Font.lfWeight), 400}, {"WeekFontBold", FIELD(WeekFont.lfWeight), 600},
    };
    ExpectFields(record->env, fonts, std::size(fonts));

    record->env.YearType = 3;
    record->env.MonthType = MONTH_STYLE_COUNT;  // beyond the list
    ASSERT_EQ(1, SaveEnv(&file_, &record->env, SETTINGS_SCOPE_ALL));
    EXPECT_EQ("(和暦)0", Value("Daylens01", "YearType"));
    EXPECT_EQ("", Value("Daylens01", "MonthType"));
    EXPECT_EQ("-24", Value("Daylens01", "YearFontSize"));
    EXPECT_EQ(-24, LoadFile()->env.YearStyle.Font.lfHeight);
}

TEST_F(SettingsFileTest, PlugInTableKeepsKnownNamesOnceAndRenumbersThem)
{
    auto record = Load(std::string(kNewLayout) +
                       "PlugInUse00=1\r\nPlugInOrder00=DaylensToolBar.dll\r\n"
                       "PlugInOrder03=daylensprint.dll\r\n"
                       "PlugInUse05=0\r\nPlugInOrder05=Unknown.dll\r\n"
                       "PlugInUse07=1\r\nPlugInOrder07=DaylensMiniMemo.dll\r\n"
                       "PlugInUse09=0\r\nPlugInOrder09=DaylensToolBar.dll\r\n");
    const struct {
        const char* name;
        DWORD use;
    } want[] = {{"DaylensToolBar.dll", 1}, {"DaylensMiniMemo.dll", 1}, {"DaylensPopupView.dll", 0},
                {"DaylensPrint.dll", 0},   {"LxMailCheck.dll", 0},     {"", 0}};
    for (size_t i = 0; i < std::size(want); i++) {
        EXPECT_STREQ(want[i].name, record->slots[i].FileName) << i;
        EXPECT_EQ(want[i].use, record->slots[i].Use) << i;
    }
    ASSERT_EQ(1, SaveEnv(&file_, &record->env, SETTINGS_SCOPE_ALL));
    EXPECT_EQ("DaylensMiniMemo.dll", Value("Daylens01", "PlugInOrder01"));
    EXPECT_EQ("1", Value("Daylens01", "PlugInUse01"));
    EXPECT_EQ("LxMailCheck.dll", Value("Daylens01", "PlugInOrder04"));
    EXPECT_EQ("(none)", Value("Daylens01", "PlugInOrder05"));
}

TEST_F(SettingsFileTest, ScopesWriteTheirSectionsAndAFullSaveHidesTheFile)
{
    for (int scope : {1, 0x101, 2, 255}) {
        bool all = (scope & 0xFF) > 1;
        WriteIni(std::string(kNewLayout) + "DisplayType=2\r\n");
        TestRecord record;
        record.env.WindowX = 40;
        record.env.DoubleStart = 1;
        ASSERT_EQ(1, SaveEnv(&file_, &record.env, scope));
        for (const char* section : {"Daylens00", "Daylens", "Daylens1920x1080"})
            EXPECT_EQ("40", Value(section, "WindowX")) << section << " scope " << scope;
        EXPECT_EQ("1", Value("Daylens", "DoubleStart"));
        EXPECT_EQ("1.20.01", Value("Daylens", "Version"));
        if (all) {
            EXPECT_EQ("0", Value("Daylens01", "DisplayType")) << scope;
            EXPECT_EQ("(none)", Value("Daylens01", "DoubleStart"));
        } else {
            EXPECT_EQ(std::vector<std::string>{"DisplayType"}, Keys("Daylens01")) << scope;
        }
        EXPECT_EQ(all, Hidden()) << scope;
    }
    // A hidden file is written again.
    TestRecord record;
    record.env.DisplayType = 1;
    record.env.WindowX = 33;
    EXPECT_EQ(1, SaveEnv(&file_, &record.env, SETTINGS_SCOPE_ALL));
    EXPECT_EQ("1", Value("Daylens01", "DisplayType"));
    EXPECT_EQ("33", Value("Daylens00", "WindowX"));
}

// The first save, a window drag's among them, writes every section that the readers of the new layout look for:
// the settings and the memo and memorial sections, whose keys stood in the single section until then.
TEST_F(SettingsFileTest, LegacyFileIsReadFromOneSectionAndRewrittenInTheNewLayout)
{
    // Older files also kept the user marks in the memo section.
    std::string memoDir = programDir_ + "memos";
    WriteIni("[Daylens]\r\nWindowX=5\r\nDisplayType=1\r\nYearRGB=77\r\nUserStyleMax=12\r\nMemoDir=" + memoDir +
             "\r\nMemoSaveOneMonth=1\r\nMemorialCount=1\r\n"
             "[Daylens01]\r\nDisplayType=2\r\n[DaylensMemo]\r\nUserStyleName01=旧\r\nUserStyleMarkType12=5\r\n");
    ASSERT_EQ(1, IsLegacyIniLayout(path_.c_str(), "Daylens"));
    int changed = 0;
    int firstRun = -1;
    auto record = LoadFile(&firstRun, &changed);
    EXPECT_EQ(0, firstRun);
    EXPECT_EQ(1, changed);
    EXPECT_EQ(5, record->env.WindowX);
    EXPECT_EQ(1, record->env.DisplayType);
    ASSERT_EQ(12, record->env.UserStyleMax);
    EXPECT_STREQ("旧", record->env.UserMarks[0].Name);
    EXPECT_EQ(5, record->env.UserMarks[11].Style.MarkType);
    // The version went where it was read from: the file stays legacy until it is saved.
    EXPECT_EQ(1, IsLegacyIniLayout(path_.c_str(), "Daylens"));
    MemoSettings memo = {};
    MemorialSettings memorial = {};
    ASSERT_EQ(1, LoadMemoSettings(&memo, path_.c_str(), "Daylens", 0));
    ASSERT_EQ(1, LoadMemorialSettings(&memorial, path_.c_str(), "Daylens", programDir_.c_str(), {}));
    file_.Memo = &memo;
    file_.Memorial = &memorial;

    ASSERT_EQ(1, SaveEnv(&file_, &record->env, SETTINGS_SCOPE_PLACEMENT));
    EXPECT_EQ(0, IsLegacyIniLayout(path_.c_str(), "Daylens"));
    const std::vector<std::string> placement = {"Version", "WindowX", "WindowY", "WindowFix", "WindowOrder",
                                                "DoubleStart"};
    EXPECT_EQ(placement, Keys("Daylens"));
    EXPECT_EQ(placement, Keys("Daylens00"));
    EXPECT_EQ("1", Value("Daylens01", "DisplayType"));
    EXPECT_EQ("(none)", Value("Daylens01", "YearRGB"));
    MemoSettings memoAfter = {};
    MemorialSettings memorialAfter = {};
    ASSERT_EQ(1, LoadMemoSettings(&memoAfter, path_.c_str(), "Daylens", 0));
    ASSERT_EQ(1, LoadMemorialSettings(&memorialAfter, path_.c_str(), "Daylens", programDir_.c_str(), {}));
    EXPECT_STREQ(memoDir.c_str(), memoAfter.MemoDir);
    EXPECT_EQ(1, memoAfter.MemoSaveOneMonth);
    EXPECT_EQ(1, memorialAfter.MemorialCount);
    FreeMemoSearchHistory(&memo);
    FreeMemoSearchHistory(&memoAfter);
}

TEST_F(SettingsFileTest, VersionIsStampedOnlyWhenItDiffers)
{
    for (const char* version : {"1.20.01", "1.10.00", "1.20.1"}) {
        WriteIni(std::string("[Daylens00]\r\nVersion=") + version + "\r\n");
        int changed = -1;
        LoadFile(nullptr, &changed);
        EXPECT_EQ(strcmp(version, "1.20.01") != 0 ? 1 : 0, changed) << version;
        EXPECT_EQ("1.20.01", Value("Daylens00", "Version"));
    }
}

TEST_F(SettingsFileTest, PlacementPerScreenAndRememberedWallpaper)
{
    const std::string own = programDir_ + "DaylensDesktop.bmp";
    const std::string mine = programDir_ + "mine.bmp";
    WriteIni("x");
    ASSERT_TRUE(CopyFileA(path_.c_str(), mine.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(path_.c_str(), own.c_str(), FALSE));
    struct PlacementCase {
        std::string ini;
        int x, y;
        bool remembered;
    };
    const std::string head = "[Daylens00]\r\nVersion=1.20.01\r\nWindowX=10\r\nWindowY=20\r\n";
    const std::string screen = "[Daylens1920x1080]\r\n";
    const std::string deny = "[Daylens01]\r\nDenyOutOfDesktop=1\r\n";
    const PlacementCase cases[] = {
        {head, 10, 20, false},
        {head + screen + "WindowX=-30\r\n", -30, 20, false},
        {head + screen + "WindowX=2000\r\n", 2000, 20, false},
        {head + screen + "WindowX=2000\r\n" + deny, 0, 0, false},
        {head + "PreWallPaper=" + mine + "\r\n", 10, 20, true},
        {head + "PreWallPaper=" + programDir_ + "gone.bmp\r\n", 10, 20, false},
        {head + "PreWallPaper=" + programDir_ + "DAYLENSDESKTOP.BMP\r\n", 10, 20, false},
    };
    for (const PlacementCase& c : cases) {
        auto record = Load(c.ini);
        // The off-desktop rule needs DenyOutOfDesktop, which the settings section brings.
        LoadWindowPosForScreen(&file_, &record->env);
        EXPECT_EQ(c.x, record->env.WindowX) << c.ini;
        EXPECT_EQ(c.y, record->env.WindowY) << c.ini;
        const char* remembered = record->env.PreWallPaper;
        EXPECT_EQ(c.remembered ? mine : "(null)", remembered ? remembered : "(null)") << c.ini;
    }
}

// A value for every key that differs from its default and from its neighbours'.
void Poke(void* block, const SettingKey& key, int seed, TestRecord* record)
{
    EnvData* env = &record->env;
    void* field = (BYTE*)block + key.Offset;
    switch (key.Type) {
    case SETTING_INT:
    case SETTING_BYTE:
    case SETTING_COLOR:
        for (int i = 0; i < key.Count; i++) {
            long long span =
                key.HasRange() ? (long long)key.Max - key.Min + 1 : key.Type == SETTING_BYTE ? 250 : 100000;
            long long low = key.HasRange() ? key.Min : key.Type == SETTING_BYTE ? 1 : -500;
            long value = (long)(low + (seed * 7 + i * 3) % span);
            if (value == key.Default)
                value = (long)(low + (value - low + 1) % span);
            SetSettingNumber(block, key, i, value);
        }
        break;
    case SETTING_TEXT:
        snprintf((char*)field, (size_t)key.Count, "値%d", seed);
        break;
    case SETTING_HEAP_TEXT: {
        char text[32];
        snprintf(text, sizeof(text), "名%d,二,三", seed);
        *(char**)field = StrReplaceHeap(*(char**)field, text);
        break;
    }
    case SETTING_STYLE: {
        int index = 1 + seed % (key.Count - 1);
        if (index == FindStyleIndex(key.Styles, key.Count, key.Text))
            index = index % (key.Count - 1) + 1;
        *(BYTE*)field = (BYTE)index;
        break;
    }
    case SETTING_FONT:
        SetFontRecord((LOGFONTA*)field, "Arial", -(10 + seed % 20), seed % 2 ? 700 : 300, seed % 2, ANSI_CHARSET,
                      FF_SWISS | VARIABLE_PITCH);
        break;
    case SETTING_CUSTOM:
        if (key.Custom != SETTING_KIND_USER_MARKS)
            break;
        env->UserStyleMax = 12;
        env->UserMarks = (UserMark*)ReAllocZeroed(env->UserMarks, 12 * sizeof(UserMark));
        for (int n = 1; n <= 12; n++) {
            SettingKeyTable marks = UserMarkSettingKeys();
            for (int k = 0; k < marks.Count; k++)
                Poke(&env->UserMarks[n - 1], marks.Keys[k], seed + n * 13 + k, record);
        }
        break;
    default:
        break;
    }
}

void ExpectSame(const void* saved, const void* read, const SettingKey& key, const std::string& where)
{
    const void* a = (const BYTE*)saved + key.Offset;
    const void* b = (const BYTE*)read + key.Offset;
    switch (key.Type) {
    case SETTING_INT:
    case SETTING_BYTE:
    case SETTING_COLOR:
        for (int i = 0; i < key.Count; i++)
            EXPECT_EQ(GetSettingNumber(saved, key, i), GetSettingNumber(read, key, i)) << where << " " << i;
        break;
    case SETTING_TEXT:
        EXPECT_STREQ((const char*)a, (const char*)b) << where;
        break;
    case SETTING_HEAP_TEXT:
        EXPECT_STREQ(*(char* const*)a, *(char* const*)b) << where;
        break;
    case SETTING_CUSTOM:
        if (key.Custom == SETTING_KIND_WALLPAPER) {
            EXPECT_STREQ(*(char* const*)a, *(char* const*)b) << where;
        }
        break;
    case SETTING_STYLE:
        EXPECT_EQ(*(const BYTE*)a, *(const BYTE*)b) << where;
        break;
    case SETTING_FONT:
        EXPECT_EQ(0, memcmp(a, b, sizeof(LOGFONTA))) << where;
        break;
    default:
        break;
    }
}

TEST_F(SettingsFileTest, EveryKeySurvivesARoundTrip)
{
    TestRecord saved;
    WriteIni("x");
    saved.env.PreWallPaper = StrDupHeap(path_.c_str());
    const SettingKeyTable tables[] = {PlacementSettingKeys(), MainSettingKeys()};
    int seed = 1;
    for (const SettingKeyTable& table : tables) {
        for (int k = 0; k < table.Count; k++) {
            if (!(table.Keys[k].Flags & SETTING_READ_ONLY))
                Poke(&saved.env, table.Keys[k], seed++, &saved);
        }
    }
    ASSERT_EQ(1, SaveEnv(&file_, &saved.env, SETTINGS_SCOPE_ALL));

    auto read = LoadFile();
    for (const SettingKeyTable& table : tables) {
        for (int k = 0; k < table.Count; k++)
            ExpectSame(&saved.env, &read->env, table.Keys[k], table.Keys[k].Name);
    }
    ASSERT_EQ(12, read->env.UserStyleMax);
    SettingKeyTable marks = UserMarkSettingKeys();
    for (int n = 0; n < 12; n++) {
        for (int k = 0; k < marks.Count; k++)
            ExpectSame(&saved.env.UserMarks[n], &read->env.UserMarks[n], marks.Keys[k],
                       std::string(marks.Keys[k].Name) + " of " + std::to_string(n + 1));
    }
    EXPECT_STREQ("二", monthNames_[1]);
    EXPECT_EQ(nullptr, monthNames_[3]);
    EXPECT_EQ(nullptr, weekNames_[6]);
}

TEST_F(SettingsFileTest, LongValuesAreCutWholeAndNothingAfterThemIsLost)
{
    TestRecord saved;
    std::string names;
    while (names.size() < 40000)
        names += "睦月,";
    saved.env.MonthUserStr = StrDupHeap(names.c_str());
    saved.env.HourAlarm = StrDupHeap(std::string(30000, 'h').c_str());
    saved.env.UserStyleMax = 99;
    saved.env.UserMarks = (UserMark*)ReAllocZeroed(saved.env.UserMarks, 99 * sizeof(UserMark));
    for (int n = 0; n < 99; n++)
        memset(saved.env.UserMarks[n].Name, 'n', USER_MARK_NAME_SIZE - 1);
    saved.slots[0] = {nullptr, 1, 0, "DaylensPrint.dll"};
    ASSERT_EQ(1, SaveEnv(&file_, &saved.env, SETTINGS_SCOPE_ALL));

    std::string month = Value("Daylens01", "MonthUserStr");
    EXPECT_LT(month.size(), (size_t)SETTINGS_LINE_SIZE);
    EXPECT_GT(month.size(), (size_t)SETTINGS_LINE_SIZE - 40);
    EXPECT_EQ(0, month.compare(0, month.size(), names, 0, month.size()));
    // "睦月," is five bytes: a cut inside a character would leave 1 or 3 over.
    EXPECT_TRUE(month.size() % 5 == 0 || month.size() % 5 == 2 || month.size() % 5 == 4) << month.size();
    EXPECT_EQ(30000u, Value("Daylens01", "HourAlarm").size());
    EXPECT_EQ(std::string(USER_MARK_NAME_SIZE - 1, 'n'), Value("Daylens01", "UserStyleName99"));
    EXPECT_EQ("DaylensPrint.dll", Value("Daylens01", "PlugInOrder00"));
}

}  // namespace

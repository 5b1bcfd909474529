// The shipped Holiday.txt, read and tested through the language module's
// exports, must give exactly the official national holidays of Japan.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "DateUtil.h"
#include "Holiday.h"

namespace {

typedef HolidayRecord* (*LoadHolidayFn)(unsigned char, const char*, unsigned int*);
typedef int (*CheckHolidayFn)(const HolidayRecord*, int, int, int, int, char*, int);

typedef std::tuple<int, int, int> Date;

class NationalHolidays : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        module = LoadLibraryA(DAYLENS_DIST_DIR "/Daylens.Jpn.dll");
        ASSERT_NE(module, nullptr) << "Daylens.Jpn.dll did not load";
        load = reinterpret_cast<LoadHolidayFn>(GetProcAddress(module, "LoadHoliday"));
        check = reinterpret_cast<CheckHolidayFn>(GetProcAddress(module, "CheckHoliday"));
        ASSERT_NE(load, nullptr);
        ASSERT_NE(check, nullptr);
        count = 0;
        list = load(0, DAYLENS_DIST_DIR "/Holiday.txt", &count);
        ASSERT_NE(list, nullptr) << "Holiday.txt did not load";
    }

    static void TearDownTestSuite()
    {
        FreeHolidayList(list, static_cast<int>(count));
        list = nullptr;
        if (module)
            FreeLibrary(module);
        module = nullptr;
    }

    // "" when the date is no holiday, else the name CheckHoliday gives.
    static std::string Holiday(int y, int m, int d)
    {
        char name[HOLIDAY_NAME_SIZE];
        memset(name, 'x', sizeof(name));
        name[sizeof(name) - 1] = '\0';
        int result = check(list, static_cast<int>(count), y, m, d, name, 1);
        if (!result) {
            EXPECT_STREQ(name, "") << y << "/" << m << "/" << d;
            return "";
        }
        return name;
    }

    static HMODULE module;
    static LoadHolidayFn load;
    static CheckHolidayFn check;
    static HolidayRecord* list;
    static unsigned int count;
};

HMODULE NationalHolidays::module;
LoadHolidayFn NationalHolidays::load;
CheckHolidayFn NationalHolidays::check;
HolidayRecord* NationalHolidays::list;
unsigned int NationalHolidays::count;

// The reference list: "y/m/d,name" lines in code page 932.
std::map<Date, std::string> ReadReference()
{
    std::map<Date, std::string> days;
    FILE* file = fopen(DAYLENS_SOURCE_DIR "/tests/engine/data/official-holidays.txt", "rb");
    if (!file)
        return days;
    char line[256];
    while (fgets(line, sizeof(line), file)) {
        int y, m, d, used = 0;
        if (line[0] == '#' || sscanf(line, "%d/%d/%d,%n", &y, &m, &d, &used) != 3 || !used)
            continue;
        std::string name(line + used);
        while (!name.empty() && (name.back() == '\r' || name.back() == '\n'))
            name.pop_back();
        days[Date(y, m, d)] = name;
    }
    fclose(file);
    return days;
}

TEST_F(NationalHolidays, EveryDayFrom1955Through2027MatchesTheOfficialList)
{
    std::map<Date, std::string> reference = ReadReference();
    ASSERT_GT(reference.size(), 1000u);

    std::vector<std::string> wrong;
    int y = 1955, m = 1, d = 1, holidays = 0;
    while (y <= 2027) {
        auto it = reference.find(Date(y, m, d));
        std::string expected = it == reference.end() ? "" : it->second;
        std::string actual = Holiday(y, m, d);
        if (!actual.empty())
            holidays++;
        if (actual != expected) {
            char text[512];
            snprintf(text, sizeof(text), "%d/%d/%d: expected \"%s\", got \"%s\"",
                     y, m, d, expected.c_str(), actual.c_str());
            wrong.push_back(text);
        }
        AddDaysInt(&y, &m, &d, 1);
    }
    EXPECT_EQ(holidays, static_cast<int>(reference.size()));
    std::string report;
    for (size_t i = 0; i < wrong.size() && i < 40; i++)
        report += wrong[i] + "\n";
    EXPECT_TRUE(wrong.empty()) << wrong.size() << " days differ:\n" << report;
}

TEST_F(NationalHolidays, TheRulesInForceContinueAfter2027)
{
    // 2028: Monday rules, fixed days and the predicted equinoxes.
    EXPECT_EQ(Holiday(2028, 1, 10), "成人の日");
    EXPECT_EQ(Holiday(2028, 2, 23), "天皇誕生日");
    EXPECT_EQ(Holiday(2028, 3, 20), "春分の日");
    EXPECT_EQ(Holiday(2028, 7, 17), "海の日");
    EXPECT_EQ(Holiday(2028, 8, 11), "山の日");
    EXPECT_EQ(Holiday(2028, 9, 18), "敬老の日");
    EXPECT_EQ(Holiday(2028, 9, 22), "秋分の日");
    EXPECT_EQ(Holiday(2028, 10, 9), "スポーツの日");
    EXPECT_EQ(Holiday(2028, 1, 17), "");

    // Substitute holidays after a Sunday, also after a run of holidays.
    EXPECT_EQ(Holiday(2029, 4, 30), "振替休日");   // 昭和の日 on a Sunday
    EXPECT_EQ(Holiday(2031, 5, 6), "振替休日");    // 5/4 Sunday, 5/5 Monday
    // A day between two holidays.
    EXPECT_EQ(Holiday(2032, 9, 21), "国民の休日"); // 敬老の日 9/20, 秋分の日 9/22
    EXPECT_EQ(Holiday(2037, 9, 22), "国民の休日"); // 敬老の日 9/21, 秋分の日 9/23
}

}  // namespace

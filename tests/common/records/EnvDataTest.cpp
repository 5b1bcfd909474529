#include <gtest/gtest.h>

#include <limits.h>
#include <stddef.h>
#include <string.h>
#include <windows.h>

#include <vector>

#include "EnvData.h"

namespace {

class CountingPicture : public BackgroundPicture {
public:
    explicit CountingPicture(int* destroyed) : destroyed_(destroyed) {}
    ~CountingPicture() override { (*destroyed_)++; }

private:
    int* destroyed_;
};

char* HeapText(const char* text)
{
    size_t size = strlen(text) + 1;
    char* block = (char*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size);
    if (block)
        memcpy(block, text, size);
    return block;
}

DayCell* NewDayCells(int seed)
{
    DayCell* cells = (DayCell*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, DAY_CELL_MAX * sizeof(DayCell));
    if (cells) {
        cells[0] = {2024, 5, seed, {1, 2, 3, 4}};
        cells[DAY_CELL_MAX - 1] = {2025, 12, 31, {5, 6, 7, 8}};
    }
    return cells;
}

UserMark* NewUserMarks(int count)
{
    UserMark* marks = (UserMark*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, count * sizeof(UserMark));
    for (int i = 0; marks && i < count; i++) {
        wsprintfA(marks[i].Name, "ユーザ%2d", i + 1);
        marks[i].Style.MarkType = (BYTE)(4 + i % 16);
        marks[i].Style.MarkColor = RGB(i, 0, 255 - i);
    }
    return marks;
}

// A record as start-up leaves it: owned blocks, shared tables, handles and settings.
void Fill(EnvData* env, int* pictureDestroyed)
{
    static char language[1024] = "Japanese";
    static COLORREF customColors[CUSTOM_COLOR_COUNT];
    env->LanguageName = language;
    env->CustomColors = customColors;
    env->PlugInSlots = (PlugInSlot*)&customColors[0];
    env->PlugInMenuItems = (PlugInMenuItem*)&customColors[1];
    env->MainWindow = (HWND)(INT_PTR)0x1234;
    env->Cursors[CURSOR_WAIT] = (HCURSOR)(INT_PTR)0x5678;
    env->DayCells = NewDayCells(17);
    env->DayCellCount = 40;
    env->ToolIds[TOOL_ID_MAX - 1] = ((2024 * 16 + 5) * 32) + 17;
    env->ToolCount = 40;
    env->BackPicture = new CountingPicture(pictureDestroyed);
    env->PreWallPaper = HeapText("C:\\壁紙\\表.bmp");
    env->HourAlarm = HeapText("");
    env->MonthUserStr = HeapText("睦月,如月,弥生,卯月,皐月,水無月,文月,葉月,長月,神無月,霜月,師走");
    env->WeekUserStr = HeapText("日,月,火,水,木,金,土");
    env->UserStyleMax = 12;
    env->UserMarks = NewUserMarks(12);
    env->DisplayOffSet = -60;
    strcpy(env->YMLinkString, "年");
    env->YearStyle.Font.lfHeight = -24;
    env->WeekStyles[6].StrColor = RGB(0, 0, 255);
    env->MarkOrder[0] = MARK_ORDER_TODAY;
    strcpy(env->BackImage, "C:\\背景.png");
    env->Transparency.TransparentAlpha = 200;
    env->HotSpot[HOT_SPOT_COUNT - 1] = 1;
}

TEST(EnvDataTest, FreshRecordIsEmptyButForToday)
{
    SYSTEMTIME before;
    GetLocalTime(&before);
    EnvData env;
    EXPECT_EQ(0, memcmp(&env.Today, &env.ShownMonth, sizeof(SYSTEMTIME)));
    EXPECT_EQ(before.wYear, env.Today.wYear);
    EXPECT_GE(env.Today.wMonth, 1);

    // Every byte outside the two dates is zero.
    std::vector<unsigned char> bytes(sizeof(EnvData));
    memcpy(bytes.data(), static_cast<void*>(&env), sizeof(EnvData));
    memset(&bytes[offsetof(EnvData, Today)], 0, sizeof(SYSTEMTIME));
    memset(&bytes[offsetof(EnvData, ShownMonth)], 0, sizeof(SYSTEMTIME));
    size_t firstNonZero = 0;
    while (firstNonZero < bytes.size() && bytes[firstNonZero] == 0)
        firstNonZero++;
    EXPECT_EQ(sizeof(EnvData), firstNonZero);
    EXPECT_EQ(nullptr, env.DayCells);
    EXPECT_EQ(nullptr, env.BackPicture);
}

TEST(EnvDataTest, BusyGuard)
{
    EnvData env;
    EXPECT_EQ(1, env.BeginBusy());
    EXPECT_EQ(0, env.BeginBusy());
    EXPECT_EQ(1, env.Busy);
    EXPECT_EQ(1, env.EndBusy());
    EXPECT_EQ(1, env.EndBusy());
    EXPECT_EQ(1, env.BeginBusy());
}

TEST(EnvDataTest, CopyOwnsItsBlocksAndSharesTheRest)
{
    int sourcePictures = 0;
    int targetPictures = 0;
    EnvData source;
    Fill(&source, &sourcePictures);
    EnvData target;
    Fill(&target, &targetPictures);
    target.Busy = 1;
    target.DisplayOffSet = 3;
    BackgroundPicture* sourcePicture = source.BackPicture;

    ASSERT_EQ(1, target.CopyFrom(&source));

    EXPECT_EQ(1, target.Busy);
    EXPECT_EQ(0, source.Busy);
    EXPECT_EQ(-60, target.DisplayOffSet);

    // The picture never moves: the target drops its own, the source keeps its.
    EXPECT_EQ(nullptr, target.BackPicture);
    EXPECT_EQ(1, targetPictures);
    EXPECT_EQ(sourcePicture, source.BackPicture);
    EXPECT_EQ(0, sourcePictures);

    ASSERT_NE(nullptr, target.DayCells);
    EXPECT_NE(source.DayCells, target.DayCells);
    EXPECT_EQ(0, memcmp(source.DayCells, target.DayCells, DAY_CELL_MAX * sizeof(DayCell)));
    EXPECT_EQ(40, target.DayCellCount);

    char* EnvData::*texts[] = {&EnvData::PreWallPaper, &EnvData::HourAlarm, &EnvData::MonthUserStr,
                               &EnvData::WeekUserStr};
    for (auto text : texts) {
        char* copy = target.*text;
        if (!*(source.*text)) {
            EXPECT_EQ(nullptr, copy);  // an empty text is none, as every heap text copy makes it
            continue;
        }
        ASSERT_NE(nullptr, copy);
        EXPECT_NE(source.*text, copy);
        EXPECT_STREQ(source.*text, copy);
        EXPECT_EQ(strlen(copy) + 1, HeapSize(GetProcessHeap(), 0, copy));
    }

    EXPECT_EQ(12, target.UserStyleMax);
    ASSERT_NE(nullptr, target.UserMarks);
    EXPECT_NE(source.UserMarks, target.UserMarks);
    EXPECT_EQ(0, memcmp(source.UserMarks, target.UserMarks, 12 * sizeof(UserMark)));
    EXPECT_EQ(12 * sizeof(UserMark), HeapSize(GetProcessHeap(), 0, target.UserMarks));

    EXPECT_EQ(source.LanguageName, target.LanguageName);
    EXPECT_EQ(source.CustomColors, target.CustomColors);
    EXPECT_EQ(source.PlugInSlots, target.PlugInSlots);
    EXPECT_EQ(source.PlugInMenuItems, target.PlugInMenuItems);
    EXPECT_EQ(source.MainWindow, target.MainWindow);
    EXPECT_EQ(source.Cursors[CURSOR_WAIT], target.Cursors[CURSOR_WAIT]);
    EXPECT_EQ(source.ToolIds[TOOL_ID_MAX - 1], target.ToolIds[TOOL_ID_MAX - 1]);
    EXPECT_STREQ("年", target.YMLinkString);
    EXPECT_EQ(0, memcmp(&source.YearStyle, &target.YearStyle, sizeof(FontStyle)));
    EXPECT_EQ(RGB(0, 0, 255), target.WeekStyles[6].StrColor);
    EXPECT_STREQ(source.BackImage, target.BackImage);
    EXPECT_EQ(200, target.Transparency.TransparentAlpha);
    EXPECT_EQ(1, target.HotSpot[HOT_SPOT_COUNT - 1]);

    // Changing the copy leaves the source alone.
    target.MonthUserStr[0] = 'x';
    target.UserMarks[0].Name[0] = 'x';
    EXPECT_NE('x', source.MonthUserStr[0]);
    EXPECT_NE('x', source.UserMarks[0].Name[0]);
}

TEST(EnvDataTest, CopyOfMissingBlocksLeavesNone)
{
    int pictures = 0;
    EnvData source;
    source.DayCellCount = 5;
    source.UserStyleMax = 10;  // count without an array
    EnvData target;
    Fill(&target, &pictures);

    EXPECT_EQ(1, target.CopyFrom(&source));
    EXPECT_EQ(nullptr, target.DayCells);
    EXPECT_EQ(0, target.DayCellCount);
    EXPECT_EQ(nullptr, target.UserMarks);
    EXPECT_EQ(0, target.UserStyleMax);
    EXPECT_EQ(nullptr, target.PreWallPaper);
    EXPECT_EQ(nullptr, target.WeekUserStr);
    EXPECT_EQ(nullptr, target.LanguageName);
    EXPECT_EQ(1, pictures);
    EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr));
}

TEST(EnvDataTest, CopyFromItselfOrNothingChangesNothing)
{
    int pictures = 0;
    EnvData env;
    Fill(&env, &pictures);
    DayCell* cells = env.DayCells;
    UserMark* marks = env.UserMarks;
    char* text = env.WeekUserStr;
    BackgroundPicture* picture = env.BackPicture;

    EXPECT_EQ(1, env.CopyFrom(&env));
    EXPECT_EQ(0, env.CopyFrom(nullptr));
    EXPECT_EQ(cells, env.DayCells);
    EXPECT_EQ(marks, env.UserMarks);
    EXPECT_EQ(12, env.UserStyleMax);
    EXPECT_EQ(text, env.WeekUserStr);
    EXPECT_STREQ("日,月,火,水,木,金,土", env.WeekUserStr);
    EXPECT_EQ(picture, env.BackPicture);
    EXPECT_EQ(0, pictures);
}

TEST(EnvDataTest, DestructorReleasesWhatTheRecordOwns)
{
    int pictures = 0;
    EnvData* env = new EnvData;
    Fill(env, &pictures);
    delete env;
    EXPECT_EQ(1, pictures);
    EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr));

    // A copy's destruction never touches the source's blocks.
    EnvData source;
    Fill(&source, &pictures);
    EnvData* copy = new EnvData;
    ASSERT_EQ(1, copy->CopyFrom(&source));
    delete copy;
    EXPECT_EQ(1, pictures);
    EXPECT_STREQ("日,月,火,水,木,金,土", source.WeekUserStr);
    EXPECT_EQ(2024, source.DayCells[0].Year);
    EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr));
}

TEST(EnvDataTest, UserMarksThatCannotBeCopiedAreDropped)
{
    size_t hugeSize = (size_t)INT_MAX * sizeof(UserMark);
    void* probe = HeapAlloc(GetProcessHeap(), 0, hugeSize);
    if (probe) {
        HeapFree(GetProcessHeap(), 0, probe);
        GTEST_SKIP() << "the heap grants " << hugeSize << " bytes";
    }
    int pictures = 0;
    EnvData source;
    Fill(&source, &pictures);
    source.UserStyleMax = INT_MAX;
    EnvData target;

    EXPECT_EQ(0, target.CopyFrom(&source));
    EXPECT_EQ(nullptr, target.UserMarks);
    EXPECT_EQ(0, target.UserStyleMax);
    ASSERT_NE(nullptr, target.WeekUserStr);
    source.UserStyleMax = 12;
}

}  // namespace

// The print plug-in's settings: the calendar's display, memo and memorial settings read from the main program's
// sections with the main program's own key tables, and the plug-in's section "DaylensPrint" through its own table.
#include <stddef.h>
#include <stdio.h>
#include <string.h>

#include <iterator>

#include "AppInfo.h"
#include "EnvData.h"
#include "FileUtil.h"
#include "FontUtil.h"
#include "MemoSettingsFile.h"
#include "MemorialSettingsFile.h"
#include "PrintPlugIn.h"
#include "ProfileSection.h"
#include "SettingsKeys.h"
#include "SettingsReader.h"
#include "SettingsWriter.h"

namespace {

const char kProgramName[] = "Daylens";
const char kDisplaySection[] = "Daylens01";
const char kMemoSection[] = "DaylensMemo";
// Keys padded to 20 columns, so that "= " stands in column 22.
const int kPrintKeyWidth = 20;
const char kVersionValue[] = "1.05.00";
enum { PRINT_SETTING_VERSION = 1 };

#define PRINT_NUM(name, field, def) NUM_IN(PrintSettings, name, field, def)

const SettingKey kPrintKeys[] = {
    setting_rows::CustomRow("Version", PRINT_SETTING_VERSION, 0),
    PRINT_NUM("WindowX", WindowX, 10),
    PRINT_NUM("WindowY", WindowY, 10),
    PRINT_NUM("SelectedTab", SelectedTab, 0),
    PRINT_NUM("Orientation", Orientation, DMORIENT_PORTRAIT),
    PRINT_NUM("Color", Color, DMCOLOR_COLOR),
    PRINT_NUM("Duplex", Duplex, DMDUP_SIMPLEX),
    PRINT_NUM("PrintMemo", Options.PrintMemo, 1),
    PRINT_NUM("PrintMemorial", Options.PrintMemorial, 1),
    PRINT_NUM("PrintHoliday", Options.PrintHoliday, 1),
    PRINT_NUM("PrintMyHoliday", Options.PrintMyHoliday, 1),
    PRINT_NUM("Vertical", Options.Vertical, 0),
    // Read, never written: a save leaves the fonts and the spacing out of the section.
    FONT_IN(PrintSettings, "Comment", Options.CommentFont, 11).With(SETTING_READ_ONLY),
    FONT_IN(PrintSettings, "Memo", Options.MemoFont, 11).With(SETTING_READ_ONLY),
    PRINT_NUM("YMSpace", YMSpace, 10).With(SETTING_READ_ONLY),
};
const SettingKeyTable kPrintTable = {kPrintKeys, (int)std::size(kPrintKeys)};

char g_readText[SETTINGS_READ_SIZE];

struct DisplayContext {
    const char* IniPath;
};

void ReadDisplayRow(const SettingSource& source, void* block, const SettingKey& key, int number)
{
    if (key.Custom == SETTING_KIND_USER_MARKS)
        ReadUserMarkKeys((EnvData*)block, key, source, ((const DisplayContext*)source.Context)->IniPath,
                         kMemoSection);
}

void LoadCalendarStyle()
{
    EnvData* env = g_print.Env;
    const char* ini = g_print.IniPath;
    bool exists = ini && FileExists(ini);
    ProfileSection* display = exists ? ReadProfileSection(ini, kDisplaySection) : nullptr;
    DisplayContext context = {exists ? ini : nullptr};
    SettingSource source = {display, env, ReadDisplayRow, &context, g_readText};
    ReadSettingKeys(source, env, MainSettingKeys(), -1);
    FreeProfileSection(display);
    CompleteMarkOrder(env->MarkOrder);
    if (!ini)
        return;
    // A missing file gives the memo and memorial defaults.
    LoadMemoSettings(&g_print.Memo, ini, kProgramName, env->DialogFont);
    MemorialShadowDefaults shadow = {env->ShadowColor, env->ShadowWidth, env->ShadowDirection};
    const char* programDir = g_print.Info ? g_print.Info->GetProgramDir() : "";
    LoadMemorialSettings(&g_print.Memorial, ini, kProgramName, programDir, shadow);
}

void LoadPrintSection()
{
    ProfileSection* section = g_print.IniPath ? ReadProfileSection(g_print.IniPath, PRINT_PLUGIN_NAME) : nullptr;
    SettingSource source = {section, &g_print.Settings, nullptr, nullptr, g_readText};
    ReadSettingKeys(source, &g_print.Settings, kPrintTable, -1);
    FreeProfileSection(section);
    KeepDeviceSettingsInRange(&g_print.Settings);
    g_print.Env->YMSpace = g_print.Settings.YMSpace;
}

void WritePrintRow(SectionWriter& w, const void* block, const SettingKey& key, int number)
{
    if (key.Custom == PRINT_SETTING_VERSION)
        AddLine(w, key.Name, kVersionValue);
}

int KeepWithin(int value, int low, int high, int fallback)
{
    return value >= low && value <= high ? value : fallback;
}

}  // namespace

void KeepDeviceSettingsInRange(PrintSettings* settings)
{
    settings->Orientation = KeepWithin(settings->Orientation, DMORIENT_PORTRAIT, DMORIENT_LANDSCAPE,
                                       DMORIENT_PORTRAIT);
    settings->Color = KeepWithin(settings->Color, DMCOLOR_MONOCHROME, DMCOLOR_COLOR, DMCOLOR_COLOR);
    settings->Duplex = KeepWithin(settings->Duplex, DMDUP_SIMPLEX, DMDUP_HORIZONTAL, DMDUP_SIMPLEX);
}

void LoadPrintSettings()
{
    if (!g_print.Env)
        return;
    InitLogFont(&g_print.Settings.Options.CommentFont, "", -15, 0, 0, 0, 0);
    InitLogFont(&g_print.Settings.Options.MemoFont, "", -15, 0, 0, 0, 0);
    LoadCalendarStyle();
    LoadPrintSection();
}

int SavePrintSection()
{
    if (!g_print.IniPath || !*g_print.IniPath)
        return 0;
    SectionWriter w;
    if (!BeginSection(w, kPrintKeyWidth))
        return 0;
    w.Custom = WritePrintRow;
    WriteSettingKeys(w, &g_print.Settings, kPrintTable, -1);
    return WriteSection(w, g_print.IniPath, PRINT_PLUGIN_NAME) ? 1 : 0;
}

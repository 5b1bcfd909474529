#include "MemorialSettingsFile.h"

#include <stdio.h>
#include <string.h>

#include <iterator>

#include "ProfileSection.h"
#include "SettingKey.h"
#include "SettingsReader.h"
#include "SettingsWriter.h"
#include "StrUtil.h"

namespace {

// Column the keys are padded to.
const int kKeyWidth = 23;
// Room for the Windows user name.
const DWORD kUserNameSize = 1024;
const COLORREF kDefaultTextColor = 0xFF80FF;

#define MEMORIAL_NUM(name, field, def) NUM_IN(MemorialSettings, name, field, def)
#define MEMORIAL_FROM(field) FROM_IN(MemorialSettings, field)

// The section in write order. The text colour has two older names: "MemorialRGB", then "MemorialColor", each the
// default of the next; the middle one is read but no longer written. Rows that default to a field of the record
// itself read it as the rows above, or the shadow defaults, left it.
const SettingKey kMemorialKeys[] = {
    MEMORIAL_NUM("MemorialIndividual", MemorialIndividual, 0),
    MEMORIAL_NUM("MemorialMarkColor", MemorialStyle.MarkColor, 0).Old("MemorialMarkRGB"),
    MEMORIAL_NUM("MemorialMarkType", MemorialStyle.MarkType, 0),
    MEMORIAL_NUM("MemorialNoUseColor", MemorialStyle.NoUseStrColor, 0).Old("MemorialNoUseRGB"),
    MEMORIAL_NUM("MemorialColor", MemorialStyle.StrColor, (long)kDefaultTextColor)
        .Old("MemorialRGB")
        .With(SETTING_READ_ONLY),
    MEMORIAL_NUM("MemorialStrColor", MemorialStyle.StrColor, 0).MEMORIAL_FROM(MemorialStyle.StrColor),
    MEMORIAL_NUM("MemorialShadowColor", MemorialStyle.ShadowColor, 0).MEMORIAL_FROM(MemorialStyle.ShadowColor),
    MEMORIAL_NUM("MemorialShadowWidth", MemorialStyle.ShadowWidth, 0)
        .MEMORIAL_FROM(MemorialStyle.ShadowWidth)
        .Range(0, SHADOW_WIDTH_MAX),
    MEMORIAL_NUM("MemorialShadowDirection", MemorialStyle.ShadowDirection, 0)
        .MEMORIAL_FROM(MemorialStyle.ShadowDirection),
    MEMORIAL_NUM("MemorialGradation", MemorialStyle.Gradation, 0),
    MEMORIAL_NUM("MemorialPopup", MemorialPopup, 0),
    MEMORIAL_NUM("MemorialShowToolTip", MemorialShowToolTip, 1).Old("MemorialToolTip"),
    MEMORIAL_NUM("MemorialCount", MemorialCount, 0),
};

const SettingKeyTable kMemorialTable = {kMemorialKeys, (int)std::size(kMemorialKeys)};

void SectionName(char* out, size_t size, const char* appName, int legacy)
{
    snprintf(out, size, "%s%s", NonNullStr(appName), legacy ? "" : "Memorial");
}

}  // namespace

int FormatMemorialPath(char* out, size_t size, const char* programDir, int individual, const char* userName)
{
    if (!out || size == 0)
        return 0;
    if (individual == 1 && userName && *userName)
        snprintf(out, size, "%s%s-%s.txt", NonNullStr(programDir), MEMORIAL_FILE_BASE, userName);
    else
        snprintf(out, size, "%s%s.txt", NonNullStr(programDir), MEMORIAL_FILE_BASE);
    return 1;
}

int BuildMemorialPath(MemorialSettings* memorial, const char* programDir)
{
    if (!memorial)
        return 0;
    char user[kUserNameSize] = "";
    DWORD size = sizeof(user);
    if (!GetUserNameA(user, &size))
        user[0] = '\0';
    return FormatMemorialPath(memorial->MemorialPath, sizeof(memorial->MemorialPath), programDir,
                              memorial->MemorialIndividual, user);
}

int LoadMemorialSettings(MemorialSettings* memorial, const char* iniPath, const char* appName,
                         const char* programDir, const MemorialShadowDefaults& shadow)
{
    if (!memorial || !iniPath || !*iniPath)
        return 0;
    char section[SETTING_NAME_SIZE];
    SectionName(section, sizeof(section), appName, IsLegacyIniLayout(iniPath, appName));
    ProfileSection* profile = ReadProfileSection(iniPath, section);
    memorial->MemorialStyle.ShadowColor = shadow.ShadowColor;
    memorial->MemorialStyle.ShadowWidth = shadow.ShadowWidth;
    memorial->MemorialStyle.ShadowDirection = shadow.ShadowDirection;
    static char text[SETTINGS_READ_SIZE];
    SettingSource source = {profile, memorial, nullptr, nullptr, text};
    ReadSettingKeys(source, memorial, kMemorialTable, -1);
    FreeProfileSection(profile);
    BuildMemorialPath(memorial, programDir);
    return 1;
}

namespace {

// The section's lines into w; false without memory.
bool GatherMemorialSection(SectionWriter& w, const MemorialSettings* memorial)
{
    if (!BeginSection(w, kKeyWidth))
        return false;
    WriteSettingKeys(w, memorial, kMemorialTable, -1);
    return true;
}

}  // namespace

int SaveMemorialSettings(const MemorialSettings* memorial, const char* iniPath, const char* appName)
{
    if (!memorial || !iniPath || !*iniPath)
        return 0;
    SectionWriter w;
    if (!GatherMemorialSection(w, memorial))
        return 0;
    char section[SETTING_NAME_SIZE];
    SectionName(section, sizeof(section), appName, 0);
    return WriteSection(w, iniPath, section) ? 1 : 0;
}

int PutMemorialSettings(const MemorialSettings* memorial, IniDocument* doc, const char* appName)
{
    if (!memorial || !doc)
        return 0;
    SectionWriter w;
    char section[SETTING_NAME_SIZE];
    SectionName(section, sizeof(section), appName, 0);
    return GatherMemorialSection(w, memorial) && PutSection(w, doc, section) ? 1 : 0;
}

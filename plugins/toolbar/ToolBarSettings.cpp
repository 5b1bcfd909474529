#include "ToolBarSettings.h"

#include <stdio.h>
#include <string.h>

#include <iterator>

#include "ProfileSection.h"
#include "SettingKey.h"
#include "SettingsReader.h"
#include "SettingsWriter.h"
#include "StrUtil.h"

const char kToolBarSection[] = "DaylensToolBar";

namespace {

// Each key of the section and the blanks after it fill 29 columns before "= " (the writer puts one of those
// blanks); the screen section's keys are not padded.
const int kKeyWidth = 28;
const int kButtonsRow = 1;
const char kFunctionKey[] = "ToolBarButtonFunction%02d";
const char kMarkKey[] = "ToolBarButtonMarkType%02d";
const char kColorKey[] = "ToolBarButtonColor%02d";
const long kDefaultBackColor = 0x004040;

#define TB_NUM(name, field, def) NUM_IN(ToolBarFile, name, field, def)

// The section in write order. The background colour's older keys are read first, each the default of the next.
const SettingKey kToolBarKeys[] = {
    TB_NUM("ToolBarAutoStart", Setting.AutoStart, 1),
    TB_NUM("ToolBarBalloonTip", BalloonTip, 0),
    TB_NUM("ToolBarWindowX", Setting.WindowX, 0),
    TB_NUM("ToolBarWindowY", Setting.WindowY, 0),
    TB_NUM("ToolBarFix", Setting.Fix, 0),
    TB_NUM("ToolBarTransMode", Setting.TransMode, TOOLBAR_TRANS_KEY).Range(0, TOOLBAR_TRANS_OPAQUE),
    TB_NUM("ToolBarAlphaMode", Setting.AlphaMode, TOOLBAR_ALPHA_NEVER).Range(0, TOOLBAR_ALPHA_NEVER),
    TB_NUM("ToolBarAlphaRate", Setting.AlphaRate, 128),
    TB_NUM("ToolBarAlphaTime", Setting.AlphaTime, 30),
    TB_NUM("ToolBarAttach", Setting.Attach, 0),
    TB_NUM("ToolBarVertical", Setting.Vertical, 0),
    TB_NUM("ToolBarShowIcon", Setting.ShowIcon, 1),
    TB_NUM("ToolBarButtonSize", Setting.ButtonSize, 16).Range(TOOLBAR_BUTTON_SIZE_MIN, TOOLBAR_BUTTON_SIZE_MAX),
    TB_NUM("ToolBarButtonSpace", Setting.ButtonSpace, 4).Range(0, TOOLBAR_BUTTON_SPACE_MAX),
    TB_NUM("ToolBarBgColor", Setting.BackColor, kDefaultBackColor).With(SETTING_READ_ONLY),
    TB_NUM("ToolBarBackColor", Setting.BackColor, kDefaultBackColor)
        .FROM_IN(ToolBarFile, Setting.BackColor)
        .Old("ToolBarBackGroundColor"),
    TB_NUM("ToolBarButtonWindowX", ButtonWindowX, -1),
    TB_NUM("ToolBarButtonWindowY", ButtonWindowY, -1),
    TB_NUM("ToolBarButtonWindowWidth", ButtonWindowWidth, -1),
    TB_NUM("ToolBarButtonWindowHeight", ButtonWindowHeight, -1),
    setting_rows::CustomRow(kFunctionKey, kButtonsRow, offsetof(ToolBarFile, Buttons)),
};

// The position of one desktop size, over the section's.
const SettingKey kScreenKeys[] = {
    TB_NUM("ToolBarWindowX", Setting.WindowX, 0).FROM_IN(ToolBarFile, Setting.WindowX),
    TB_NUM("ToolBarWindowY", Setting.WindowY, 0).FROM_IN(ToolBarFile, Setting.WindowY),
};

const SettingKeyTable kToolBarTable = {kToolBarKeys, (int)std::size(kToolBarKeys)};
const SettingKeyTable kScreenTable = {kScreenKeys, (int)std::size(kScreenKeys)};

struct ButtonContext {
    const PlugInMenuItem* Table;
};

void ReadButtonLook(const SettingSource& source, ToolBarButton* button, int number)
{
    char name[SETTING_NAME_SIZE];
    SettingKeyName(name, kMarkKey, number);
    button->Mark = (BYTE)FindToolBarName(ToolBarMarkNames, TOOLBAR_MARK_COUNT, ReadSettingText(source, name, ""));
    SettingKeyName(name, kColorKey, number);
    button->Color = (BYTE)FindToolBarName(ToolBarColorNames, TOOLBAR_COLOR_COUNT, ReadSettingText(source, name, ""));
}

// The buttons up to the first missing function. A function that is not found (its plug-in is not loaded) keeps its
// record under its name, and the buttons after it are read as well.
void ReadButtons(const SettingSource& source, void* block, const SettingKey& key, int)
{
    ToolBarButton* records = ((ToolBarFile*)block)->Buttons;
    const PlugInMenuItem* table = ((const ButtonContext*)source.Context)->Table;
    memset(records, 0, sizeof(ToolBarButton) * TOOLBAR_RECORD_COUNT);
    char name[SETTING_NAME_SIZE];
    SettingKeyName(name, key.Name, 1);
    if (!*ReadSettingText(source, name, "")) {
        SetDefaultToolBarButtons(records);
        return;
    }
    for (int i = 1; i <= TOOLBAR_BUTTON_MAX; i++) {
        SettingKeyName(name, key.Name, i);
        const char* function = ReadSettingText(source, name, "");
        if (!*function)
            break;
        ToolBarButton& button = records[i];
        button.Code = (WORD)ResolveToolBarFunction(function, table);
        if (button.Code < TOOLBAR_CODE_ICON || button.Code > TOOLBAR_CODE_LAST)
            SafeStrCpy(button.Function, sizeof(button.Function), function);
        ReadButtonLook(source, &button, i);
    }
}

void WriteButtons(SectionWriter& w, const void* block, const SettingKey& key, int)
{
    const ToolBarButton* records = ((const ToolBarFile*)block)->Buttons;
    const PlugInMenuItem* table = ((const ButtonContext*)w.Context)->Table;
    int number = 0;
    for (int i = 1; i < TOOLBAR_RECORD_COUNT; i++) {
        const char* function = ToolBarFunctionName(&records[i], table);
        if (!IsUsedToolBarRecord(&records[i]) || !*function)
            continue;
        number++;
        char name[SETTING_NAME_SIZE];
        SettingKeyName(name, key.Name, number);
        AddLine(w, name, function);
        SettingKeyName(name, kMarkKey, number);
        AddLine(w, name, ToolBarMarkNames[records[i].Mark % TOOLBAR_MARK_COUNT]);
        SettingKeyName(name, kColorKey, number);
        AddLine(w, name, ToolBarColorNames[records[i].Color % TOOLBAR_COLOR_COUNT]);
    }
}

void ReadTable(ToolBarFile* file, const char* iniPath, const char* section, SettingKeyTable table,
               const PlugInMenuItem* menu)
{
    static char text[SETTINGS_READ_SIZE];
    ProfileSection* profile = ReadProfileSection(iniPath, section);
    ButtonContext context = {menu};
    SettingSource source = {profile, file, ReadButtons, &context, text};
    ReadSettingKeys(source, file, table, -1);
    FreeProfileSection(profile);
}

}  // namespace

void ToolBarScreenSection(char* out, size_t outSize, SIZE desktop)
{
    snprintf(out, outSize, "%s%ldx%ld", kToolBarSection, (long)desktop.cx, (long)desktop.cy);
}

int LoadToolBarSetting(ToolBarFile* file, const char* iniPath, SIZE desktop, const PlugInMenuItem* table)
{
    if (!file || !iniPath)
        return 0;
    memset(file, 0, sizeof(*file));
    ReadTable(file, iniPath, kToolBarSection, kToolBarTable, table);
    char screen[SETTING_NAME_SIZE];
    ToolBarScreenSection(screen, sizeof(screen), desktop);
    ReadTable(file, iniPath, screen, kScreenTable, table);
    CheckToolBarButtons(file->Buttons);
    return 1;
}

int SaveToolBarFile(const ToolBarFile* file, const char* iniPath, SIZE desktop, const PlugInMenuItem* table)
{
    if (!file || !iniPath)
        return 0;
    ButtonContext context = {table};
    SectionWriter w;
    if (!BeginSection(w, kKeyWidth))
        return 0;
    w.Custom = WriteButtons;
    w.Context = &context;
    WriteSettingKeys(w, file, kToolBarTable, -1);
    if (!WriteSection(w, iniPath, kToolBarSection))
        return 0;
    SectionWriter screen;
    if (!BeginSection(screen, 0))
        return 0;
    WriteSettingKeys(screen, file, kScreenTable, -1);
    char name[SETTING_NAME_SIZE];
    ToolBarScreenSection(name, sizeof(name), desktop);
    return WriteSection(screen, iniPath, name) ? 1 : 0;
}

#include "PopupViewSettings.h"

#include <stdlib.h>
#include <string.h>

#include <iterator>

#include "FontUtil.h"
#include "HeapUtil.h"
#include "IniDocument.h"
#include "ProfileSection.h"
#include "SettingKey.h"
#include "SettingsReader.h"
#include "SettingsWriter.h"
#include "StrUtil.h"

namespace {

// Keys are padded to 18 columns; the writer adds " = ", so each value starts after "=" and a blank at column 21.
const int kKeyWidth = 18;
// WindowX of the older section when it is missing.
const char kNoOldWindowX[] = "9999";
// The older section is read in blocks of this size, doubled until it fits.
const DWORD kFirstCopySize = 32768;
const DWORD kLastCopySize = 64u << 20;

#define POPUP_NUM(name, field, def) NUM_IN(PopupViewSettings, name, field, def)

const SettingKey kPopupViewKeys[] = {
    POPUP_NUM("WindowX", WindowX, -1),
    POPUP_NUM("WindowY", WindowY, -1),
    POPUP_NUM("WindowWidth", WindowWidth, -1),
    POPUP_NUM("WindowHeight", WindowHeight, -1),
    POPUP_NUM("BackColor", BackColor, 0xFFFFFF),
    POPUP_NUM("FrameColor", FrameColor, 0x404040),
    POPUP_NUM("ForeColor", ForeColor, 0),
    POPUP_NUM("ShadowColor", ShadowColor, 0xC0C0C0),
    POPUP_NUM("FrameWidth", FrameWidth, 8),
    POPUP_NUM("RoundWidth", RoundWidth, 16),
    POPUP_NUM("ShadowWidth", ShadowWidth, 1),
    POPUP_NUM("ShadowDirection", ShadowDirection, 4),
    POPUP_NUM("Gradation", Gradation, 0),
    POPUP_NUM("AutoSize", AutoSize, 0),
    POPUP_NUM("ShowAlpha", ShowAlpha, 0),
    POPUP_NUM("FixPos", FixPos, 0),
    POPUP_NUM("FixSize", FixSize, 0),
    POPUP_NUM("ShowClose", ShowClose, 0),
    POPUP_NUM("CloseType", CloseType, POPUPVIEW_STAY_OPEN),
    // The timer and the fade multiply these: they are held to what the dialog offers.
    POPUP_NUM("CloseTime", CloseTime, 30).Range(0, POPUPVIEW_CLOSE_TIME_MAX),
    POPUP_NUM("PopupSpeed", PopupSpeed, 10).Range(POPUPVIEW_SPEED_MIN, POPUPVIEW_SPEED_MAX),
    TEXT_IN(PopupViewSettings, "FontName", FontName, ""),
    POPUP_NUM("FontCharSet", FontCharSet, 0),
    POPUP_NUM("FontPitchAndFamily", FontPitchAndFamily, 0),
    POPUP_NUM("FontSize", FontSize, 16),
    POPUP_NUM("FontBold", FontBold, FONT_WEIGHT_NORMAL),
    POPUP_NUM("FontItalic", FontItalic, 0),
};

const SettingKeyTable kPopupViewTable = {kPopupViewKeys, (int)std::size(kPopupViewKeys)};

// The stored weight: 1 and 0 are the older bold flag.
int FontWeight(int stored)
{
    return stored == 0 ? FONT_WEIGHT_NORMAL : stored == 1 ? FONT_WEIGHT_BOLD : stored;
}

// The whole text of section (NUL-separated lines) with its length in *length; null when missing, empty or out of
// memory. The caller frees it with HeapFree.
char* ReadWholeSection(const char* iniPath, const char* section, DWORD* length)
{
    for (DWORD size = kFirstCopySize; size <= kLastCopySize; size *= 2) {
        char* text = (char*)AllocZeroed(size);
        if (!text)
            return nullptr;
        DWORD got = GetPrivateProfileSectionA(section, text, size, iniPath);
        // A section that does not fit comes back cut at size - 2 bytes.
        if (got + 2 < size) {
            if (got == 0) {
                HeapFree(GetProcessHeap(), 0, text);
                return nullptr;
            }
            *length = got;
            return text;
        }
        HeapFree(GetProcessHeap(), 0, text);
    }
    return nullptr;
}

}  // namespace

int MovePopupViewOldSection(const char* iniPath)
{
    if (!iniPath || !*iniPath)
        return 0;
    ProfileSection* old = ReadProfileSection(iniPath, POPUPVIEW_OLD_SECTION);
    char windowX[32];
    GetSectionString(old, "WindowX", kNoOldWindowX, windowX, sizeof(windowX));
    FreeProfileSection(old);
    if (strtol(windowX, nullptr, 10) == 9999)
        return 0;
    DWORD length = 0;
    char* text = ReadWholeSection(iniPath, POPUPVIEW_OLD_SECTION, &length);
    if (!text)
        return 0;
    // The keys move under the new name and the old section goes in one save.
    IniDocument* doc = OpenIniDocument(iniPath);
    int moved = doc && SetIniSection(doc, POPUPVIEW_SECTION, text) && SetIniSection(doc, POPUPVIEW_OLD_SECTION, nullptr) &&
                SaveIniDocument(doc);
    CloseIniDocument(doc);
    HeapFree(GetProcessHeap(), 0, text);
    return moved;
}

int LoadPopupViewSettings(PopupViewSettings* settings, const char* iniPath)
{
    if (!settings || !iniPath)
        return 0;
    MovePopupViewOldSection(iniPath);
    ProfileSection* section = ReadProfileSection(iniPath, POPUPVIEW_SECTION);
    char* text = (char*)AllocZeroed(SETTINGS_READ_SIZE);
    if (!text) {
        FreeProfileSection(section);
        return 0;
    }
    SettingSource source = {section, nullptr, nullptr, nullptr, text};
    ReadSettingKeys(source, settings, kPopupViewTable, -1);
    HeapFree(GetProcessHeap(), 0, text);
    FreeProfileSection(section);
    settings->FontBold = FontWeight(settings->FontBold);
    SetFontRecord(&settings->Font, settings->FontName, settings->FontSize, settings->FontBold,
                  settings->FontItalic, settings->FontCharSet, settings->FontPitchAndFamily);
    return 1;
}

int SavePopupViewSettings(const PopupViewSettings* settings, const char* iniPath)
{
    if (!settings || !iniPath || !*iniPath)
        return 0;
    PopupViewSettings stored = *settings;
    const LOGFONTA& font = settings->Font;
    SafeStrCpy(stored.FontName, sizeof(stored.FontName), font.lfFaceName);
    stored.FontCharSet = font.lfCharSet;
    stored.FontPitchAndFamily = font.lfPitchAndFamily;
    stored.FontSize = (int)font.lfHeight;
    stored.FontBold = (int)font.lfWeight;
    stored.FontItalic = font.lfItalic;
    SectionWriter w;
    if (!BeginSection(w, kKeyWidth))
        return 0;
    WriteSettingKeys(w, &stored, kPopupViewTable, -1);
    return WriteSection(w, iniPath, POPUPVIEW_SECTION) ? 1 : 0;
}

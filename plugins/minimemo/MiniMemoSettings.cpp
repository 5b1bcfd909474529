#include "MiniMemoSettings.h"

#include <stdio.h>
#include <string.h>

#include <iterator>

#include "FontUtil.h"
#include "HeapUtil.h"
#include "ProfileSection.h"
#include "SettingsReader.h"
#include "SettingsWriter.h"
#include "StrUtil.h"

namespace {

// Columns the keys are padded to: plain keys, and the numbered keys of the text styles.
const int kKeyWidth = 28;
const int kStyleKeyWidth = 31;
const int kStyleRow = 1;
const char kHostName[] = "Daylens";

#define MM_NUM(name, field, def) NUM_IN(MiniMemoSettings, name, field, def)

const SettingKey kMiniMemoKeys[] = {
    MM_NUM("MiniMemoShow", Show, 0),
    MM_NUM("MiniMemoWindowX", WindowX, -1),
    MM_NUM("MiniMemoWindowY", WindowY, -1),
    MM_NUM("MiniMemoWindowWidth", WindowWidth, -1),
    MM_NUM("MiniMemoWindowHeight", WindowHeight, -1),
    MM_NUM("MiniMemoMarginLeft", MarginLeft, 2),
    MM_NUM("MiniMemoMarginTop", MarginTop, 2),
    MM_NUM("MiniMemoMarginRight", MarginRight, 2),
    MM_NUM("MiniMemoMarginBottom", MarginBottom, 2),
    MM_NUM("MiniMemoWindowOrder", WindowOrder, 0).Range(0, WINDOW_ORDER_BOTTOM),
    MM_NUM("MiniMemoBackColor", BackColor, 0x80FFFF),
    // The older single frame colour wins when a file still has it.
    MM_NUM("MiniMemoFrameColor1", FrameColor1, 0x8080FF).Old("MiniMemoFrameColor", LEGACY_WINS),
    MM_NUM("MiniMemoFrameColor2", FrameColor2, 0x80FFFF),
    setting_rows::CustomRow("MiniMemo", kStyleRow, offsetof(MiniMemoSettings, Styles)),
    MM_NUM("MiniMemoFixPos", FixPos, 0),
    MM_NUM("MiniMemoFixSize", FixSize, 0),
    MM_NUM("MiniMemoAutoSize", AutoSize, 0).Range(0, MINIMEMO_AUTOSIZE_UP),
    MM_NUM("MiniMemoShowYear", ShowYear, 0),
    MM_NUM("MiniMemoClickClose", ClickClose, 0),
    MM_NUM("MiniMemoExistDraw", ExistDraw, 0),
    MM_NUM("MiniMemoPopupSpeed", PopupSpeed, 10).Range(0, 100),
    MM_NUM("MiniMemoLineMargin", LineMargin, 2),
    MM_NUM("MiniMemoMultiLine", MultiLine, 0),
    MM_NUM("MiniMemoAllMemo", AllMemo, 0),
    MM_NUM("MiniMemoLineIndent", LineIndent, 5),
    MM_NUM("MiniMemoTransMode", Trans.TransMode, 2).Range(0, TRANS_MODE_COUNT - 1),
    MM_NUM("MiniMemoAlphaMode", Trans.TransparentAlphaMode, 2).Range(0, TRANS_FADE_COUNT - 1),
    MM_NUM("MiniMemoAlpha", Trans.TransparentAlpha, 128),
    MM_NUM("MiniMemoAlphaTime", Trans.TransparentAlphaTime, 10).Range(0, 255),
    MM_NUM("MiniMemoFrameWidth", FrameWidth, 2),
    MM_NUM("MiniMemoFrameShape", FrameShape, 0).Range(0, 2),
    MM_NUM("MiniMemoRoundWidth", RoundWidth, 20),
    MM_NUM("MiniMemoFrameGradation", FrameGradation, 0).Old("MiniMemoGradation", LEGACY_WINS).Range(0, 4),
    MM_NUM("MiniMemoAntiAliasing", AntiAliasing, 0),
    // More days than a month on either side would only make the walk long.
    MM_NUM("MiniMemoBeforeDays", BeforeDays, 1).Range(0, MINIMEMO_DAYS_MAX),
    MM_NUM("MiniMemoAfterDays", AfterDays, 1).Range(0, MINIMEMO_DAYS_MAX),
    MM_NUM("MiniMemoUseToolTip", UseToolTip, 1),
    MM_NUM("MiniMemoBalloonTip", BalloonTip, 1),
};

const SettingKeyTable kMiniMemoTable = {kMiniMemoKeys, (int)std::size(kMiniMemoKeys)};

#define STORE_NUM(name, field, def) NUM_IN(MiniMemoStore, name, field, def)
const SettingKey kStoreNumberKeys[] = {
    STORE_NUM("MemoIndividual", MemoIndividual, 0),
    STORE_NUM("MemoSaveOneMonth", MemoSaveOneMonth, 0),
};
const SettingKey kStoreFolderKeys[] = {
    TEXT_IN(MiniMemoStore, "MemoDir", MemoDir, ""),
};

// The style keys after "MiniMemo": face, character set, pitch and family, size, weight, italic, then the colours,
// shadow and gradation.
enum StyleKey {
    STYLE_FACE, STYLE_CHARSET, STYLE_PITCH, STYLE_SIZE, STYLE_BOLD, STYLE_ITALIC,
    STYLE_FORE, STYLE_SHADOW, STYLE_SHADOW_WIDTH, STYLE_SHADOW_DIRECTION, STYLE_GRADATION, STYLE_KEY_COUNT
};
const char* const kStyleKeys[STYLE_KEY_COUNT] = {
    "FontName", "FontCharSet", "FontPitchAndFamily", "FontSize", "FontBold", "FontItalic",
    "ForeColor", "ShadowColor", "ShadowWidth", "ShadowDirection", "StringGradation",
};

long StyleValue(const MiniMemoTextStyle& s, int key)
{
    switch (key) {
    case STYLE_CHARSET: return s.Font.lfCharSet;
    case STYLE_PITCH: return s.Font.lfPitchAndFamily;
    case STYLE_SIZE: return s.Font.lfHeight;
    case STYLE_BOLD: return s.Font.lfWeight;
    case STYLE_ITALIC: return s.Font.lfItalic;
    case STYLE_FORE: return (long)s.ForeColor;
    case STYLE_SHADOW: return (long)s.ShadowColor;
    case STYLE_SHADOW_WIDTH: return s.ShadowWidth;
    case STYLE_SHADOW_DIRECTION: return s.ShadowDirection;
    default: return s.StringGradation;
    }
}

BYTE HeldByte(long value)
{
    return (BYTE)(value < 0 ? 0 : value > 255 ? 255 : value);
}

void SetStyleValue(MiniMemoTextStyle& s, int key, long value)
{
    switch (key) {
    case STYLE_CHARSET: s.Font.lfCharSet = HeldByte(value); break;
    case STYLE_PITCH: s.Font.lfPitchAndFamily = HeldByte(value); break;
    case STYLE_SIZE: s.Font.lfHeight = value; break;
    case STYLE_BOLD: s.Font.lfWeight = value; break;
    case STYLE_ITALIC: s.Font.lfItalic = value ? 1 : 0; break;
    case STYLE_FORE: s.ForeColor = (COLORREF)value; break;
    case STYLE_SHADOW: s.ShadowColor = (COLORREF)value; break;
    case STYLE_SHADOW_WIDTH: s.ShadowWidth = HeldByte(value > 100 ? 100 : value); break;
    case STYLE_SHADOW_DIRECTION: s.ShadowDirection = HeldByte(value); break;
    default: s.StringGradation = value ? 1 : 0; break;
    }
}

// One pass over the style keys with the given ending ("" or the two-digit style number); each key defaults to
// the value the style holds.
void ReadStyleKeys(const SettingSource& source, MiniMemoTextStyle& s, const char* ending, bool numbered)
{
    for (int key = 0; key < STYLE_KEY_COUNT; key++) {
        char name[SETTING_NAME_SIZE];
        snprintf(name, sizeof(name), "MiniMemo%s%s", kStyleKeys[key], ending);
        if (key == STYLE_FACE) {
            const char* face = ReadSettingText(source, name, numbered ? s.Font.lfFaceName : "");
            // An unnumbered empty face keeps the style's; a numbered key always replaces it.
            if (numbered || *face) {
                char copy[LF_FACESIZE] = "";
                SafeStrCpy(copy, sizeof(copy), face);
                memcpy(s.Font.lfFaceName, copy, sizeof(copy));
            }
            continue;
        }
        SettingType type = key == STYLE_FORE || key == STYLE_SHADOW ? SETTING_COLOR : SETTING_INT;
        SetStyleValue(s, key, ReadSettingNumber(source, name, StyleValue(s, key), type));
    }
}

void ReadStyles(const SettingSource& source, void* block, const SettingKey&, int)
{
    MiniMemoSettings* settings = (MiniMemoSettings*)block;
    for (int i = 0; i < MINIMEMO_STYLE_COUNT; i++) {
        MiniMemoTextStyle& s = settings->Styles[i];
        memset(&s, 0, sizeof(s));
        // Size 12 as the host stores point sizes: a character height of 12 + 4 pixels.
        InitLogFont(&s.Font, "", -16, 0, 0, SHIFTJIS_CHARSET, 0);
        s.ForeColor = 0xFF0000;
        s.ShadowColor = 0xFF00FF;
        s.ShadowWidth = 1;
        s.ShadowDirection = SHADOW_DOWN_RIGHT;
        ReadStyleKeys(source, s, "", false);
        char ending[8];
        snprintf(ending, sizeof(ending), "%02d", i);
        ReadStyleKeys(source, s, ending, true);
    }
}

void WriteStyles(SectionWriter& w, const void* block, const SettingKey&, int)
{
    const MiniMemoSettings* settings = (const MiniMemoSettings*)block;
    int width = w.Width;
    w.Width = kStyleKeyWidth;
    for (int i = 0; i < MINIMEMO_STYLE_COUNT; i++) {
        const MiniMemoTextStyle& s = settings->Styles[i];
        for (int key = 0; key < STYLE_KEY_COUNT; key++) {
            char name[SETTING_NAME_SIZE];
            snprintf(name, sizeof(name), "MiniMemo%s%02d", kStyleKeys[key], i);
            if (key == STYLE_FACE)
                AddLine(w, name, s.Font.lfFaceName);
            else if (key == STYLE_FORE || key == STYLE_SHADOW)
                AddNumber(w, name, (long)(int)StyleValue(s, key));
            else
                AddNumber(w, name, StyleValue(s, key));
        }
    }
    w.Width = width;
}

void LoadStore(MiniMemoStore* store, const char* iniPath, char* text)
{
    const char* section = IsLegacyIniLayout(iniPath, kHostName) ? kHostName : "DaylensMemo";
    ProfileSection* profile = ReadProfileSection(iniPath, section);
    SettingSource source = {profile, store, nullptr, nullptr, text};
    memset(store, 0, sizeof(*store));
    ReadSettingKeys(source, store, {kStoreNumberKeys, (int)std::size(kStoreNumberKeys)}, -1);
    // A per-user store ignores the configured folder.
    if (store->MemoIndividual != 1)
        ReadSettingKeys(source, store, {kStoreFolderKeys, (int)std::size(kStoreFolderKeys)}, -1);
    FreeProfileSection(profile);
    GetMemoDir(store->Folder, store->MemoIndividual == 1 ? "" : store->MemoDir, store->MemoIndividual);
    TrimRightChars(store->Folder, "\\");
}

}  // namespace

int LoadMiniMemoSettings(MiniMemoSettings* settings, MiniMemoStore* store, const char* iniPath)
{
    if (!settings || !store)
        return 0;
    char* text = (char*)AllocZeroed(SETTINGS_READ_SIZE);
    if (!text)
        return 0;
    ProfileSection* profile = iniPath && *iniPath ? ReadProfileSection(iniPath, MINIMEMO_SECTION) : nullptr;
    memset(settings, 0, sizeof(*settings));
    SettingSource source = {profile, settings, ReadStyles, nullptr, text};
    ReadSettingKeys(source, settings, kMiniMemoTable, -1);
    FreeProfileSection(profile);
    LoadStore(store, iniPath ? iniPath : "", text);
    HeapFree(GetProcessHeap(), 0, text);
    return iniPath && *iniPath ? 1 : 0;
}

int SaveMiniMemoSettings(MiniMemoSettings* settings, HWND window, const char* iniPath)
{
    if (!settings || !iniPath || !*iniPath)
        return 0;
    RECT rect;
    if (window && IsWindow(window) && GetWindowRect(window, &rect)) {
        settings->WindowX = rect.left;
        settings->WindowY = rect.top;
        settings->WindowWidth = rect.right - rect.left;
        settings->WindowHeight = rect.bottom - rect.top;
    }
    SectionWriter w;
    if (!BeginSection(w, kKeyWidth))
        return 0;
    w.Custom = WriteStyles;
    WriteSettingKeys(w, settings, kMiniMemoTable, -1);
    return WriteSection(w, iniPath, MINIMEMO_SECTION) ? 1 : 0;
}

MemoStoreSettings MiniMemoStoreView(const MiniMemoStore* store)
{
    MemoStoreSettings view = {store ? store->Folder : "", store ? store->MemoSaveOneMonth : 0, nullptr};
    return view;
}

// The settings-file readers of the program and its plug-ins, each fed a whole file in the case's folder: samples
// varied from the sections the program itself writes (saved once from the defaults, so the keys are the program's
// own), and sections about as large as the buffers the whole-section readers grow through.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <utility>
#include <vector>

#include "EnvData.h"
#include "FileUtil.h"
#include "FuzzFence.h"
#include "FuzzParts.h"
#include "HeapUtil.h"
#include "MemoSettingsFile.h"
#include "MemorialSettingsFile.h"
#include "MiniMemoSettings.h"
#include "NameSets.h"
#include "PlugInSlot.h"
#include "PopupViewSettings.h"
#include "PrintPlugIn.h"
#include "ProfileSection.h"
#include "SettingsFile.h"
#include "SettingsReader.h"
#include "StrUtil.h"
#include "ToolBarSettings.h"

// The print plug-in's state, which the plug-in's main file defines; the run reads its settings into it.
PrintState g_print;

namespace {

const char kAppName[] = "Daylens";
const char kIniName[] = "Daylens.ini";
const SIZE kDesktop = {1024, 768};
// A path the sample means inside the case's folder (see InCaseFolder).
const char kCaseFolder[] = "%F";
// The first buffer sizes of the whole-section readers and the first double; a section about as large makes them
// grow.
const size_t kReadSizes[] = {32768, 65536, 131072};
const size_t kReadSizeSpread = 4096;

struct Section {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Lines;
};

// Section names as older releases wrote them.
const std::pair<const char*, const char*> kOlderNames[] = {
    {"DaylensMemo", "Daylens"}, {"DaylensMemorial", "Daylens"},
    {"Daylens00", "Daylens"},   {"Daylens01", "Daylens"},
    {"DaylensPopupView", POPUPVIEW_OLD_SECTION},
};

std::string Trimmed(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r");
    size_t last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

std::vector<Section> ParseSections(const char* text, size_t size)
{
    std::vector<Section> sections;
    std::string all(text, size);
    for (size_t at = 0; at < all.size();) {
        size_t end = all.find('\n', at);
        std::string line = Trimmed(all.substr(at, end == std::string::npos ? std::string::npos : end - at));
        at = end == std::string::npos ? all.size() : end + 1;
        size_t equals = line.find('=');
        if (line.size() > 2 && line[0] == '[' && line.back() == ']')
            sections.push_back({line.substr(1, line.size() - 2), {}});
        else if (!sections.empty() && equals != std::string::npos)
            sections.back().Lines.push_back({Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1))});
    }
    return sections;
}

SettingsFile CaseSettingsFile(const std::string& ini, const std::string& programDir, char** monthNames,
                              char** weekNames)
{
    return SettingsFile{ini.c_str(), kAppName, programDir.c_str(), {0, 0, kDesktop.cx, kDesktop.cy}, monthNames,
                        weekNames};
}

// Every section the program and its plug-ins write, saved from their defaults (with the paths and lists that are
// written only when set) into a scratch file of the run's folder, then read back.
std::vector<Section> SaveDefaults()
{
    std::string folder = FenceRoot() + "\\template";
    std::string ini = folder + "\\" + kIniName;
    std::string programDir = folder + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof(previous), previous);
    SetCurrentDirectoryA(folder.c_str());

    EnvData* env = new EnvData();
    static PlugInSlot slots[PLUGIN_SLOT_COUNT];
    env->PlugInSlots = slots;
    SettingsFile file = CaseSettingsFile(ini, programDir, nullptr, nullptr);
    LoadEnv(&file, env, nullptr);
    env->PreWallPaper = StrReplaceHeap(env->PreWallPaper, "%Fwall.bmp");
    SaveEnv(&file, env, SETTINGS_SCOPE_ALL);

    MemoSettings memo = {};
    LoadMemoSettings(&memo, ini.c_str(), kAppName, 0);
    SafeStrCpy(memo.MemoDir, sizeof(memo.MemoDir), "%Fmemo");
    SafeStrCpy(memo.MemoPopupAlarm, sizeof(memo.MemoPopupAlarm), "%Falarm.wav");
    memo.MemoSearch[0] = StrDupHeap("会議");
    memo.MemoSearch[1] = StrDupHeap("予定表");
    SaveMemoSettings(&memo, ini.c_str(), kAppName);
    FreeMemoSearchHistory(&memo);
    MemorialSettings memorial = {};
    LoadMemorialSettings(&memorial, ini.c_str(), kAppName, programDir.c_str(), MemorialShadowDefaults{0, 1, 4});
    SaveMemorialSettings(&memorial, ini.c_str(), kAppName);

    static ToolBarFile toolbar;
    LoadToolBarSetting(&toolbar, ini.c_str(), kDesktop, nullptr);
    SaveToolBarFile(&toolbar, ini.c_str(), kDesktop, nullptr);
    MiniMemoSettings mini = {};
    MiniMemoStore store = {};
    LoadMiniMemoSettings(&mini, &store, ini.c_str());
    SaveMiniMemoSettings(&mini, nullptr, ini.c_str());
    PopupViewSettings popup = {};
    LoadPopupViewSettings(&popup, ini.c_str());
    SavePopupViewSettings(&popup, ini.c_str());
    static char printIni[MAX_PATH * 2];
    SafeStrCpy(printIni, sizeof(printIni), ini.c_str());
    g_print.Env = env;
    g_print.IniPath = printIni;
    LoadPrintSettings();
    SavePrintSection();
    FreeMemoSearchHistory(&g_print.Memo);
    g_print.Env = nullptr;
    delete env;

    DWORD size = 0;
    char* text = ReadWholeFile(ini.c_str(), &size);
    std::vector<Section> sections = ParseSections(text ? text : "", text ? size : 0);
    FreeText(text);
    SetCurrentDirectoryA(previous);
    RemoveFolderTree(folder);
    return sections;
}

const std::vector<Section>& Defaults()
{
    static const std::vector<Section> sections = SaveDefaults();
    return sections;
}

const char* OlderName(const std::string& name)
{
    for (const auto& names : kOlderNames) {
        if (name == names.first)
            return names.second;
    }
    return nullptr;
}

// A long value of double-byte and single-byte characters, now and then ending in a lone lead byte.
std::string LongValue(FuzzRandom& random)
{
    std::string value = random.Text(1);
    size_t length = 200 + random.Below(900);
    while (value.size() < length)
        value += random.OneIn(2) ? "表" : random.Text(1);
    value.resize(length);
    return value;
}

std::string VariedValue(FuzzRandom& random, const std::string& value)
{
    if (random.OneIn(3))
        return value;
    if (value.compare(0, 2, kCaseFolder) == 0)
        return kCaseFolder + random.Text(1 + (int)random.Below(3)) + (random.OneIn(4) ? "\\" + random.Text(1) : "");
    if (!value.empty() && value.find_first_not_of("-0123456789") == std::string::npos)
        return random.OneIn(2) ? random.Number() : Num((int)random.Below(0x1000000) - 256);
    switch (random.Below(5)) {
    case 0: return "";
    case 1: return "\"" + random.Text(1 + (int)random.Below(4)) + (random.OneIn(2) ? "\"" : "");
    case 2: return LongValue(random);
    default: return random.Text(1 + (int)random.Below(6));
    }
}

std::string SectionName(FuzzRandom& random, const std::string& name)
{
    const char* older = OlderName(name);
    if (older && random.OneIn(4))
        return older;
    if (random.OneIn(16)) {
        std::string lower = name;
        for (char& c : lower)
            c = (char)(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        return lower;
    }
    return random.OneIn(32) ? " " + name + " " : name;
}

std::string SectionText(FuzzRandom& random, const Section& section, const std::string& name)
{
    std::string text = "[" + name + "]" + (random.OneIn(8) ? "\n" : "\r\n");
    for (const auto& line : section.Lines) {
        if (random.OneIn(8))
            continue;
        std::string key = random.OneIn(16) ? SectionName(random, line.first) : line.first;
        if (random.OneIn(32))
            text += (random.OneIn(2) ? ";" : "") + key + "\r\n";
        text += Line(key, VariedValue(random, line.second), random);
        if (random.OneIn(16))
            text += Line(key, VariedValue(random, line.second), random);
    }
    return text;
}

bool IsOwn(const std::string& name, const char* const* own, int count)
{
    for (int i = 0; i < count; i++) {
        if (name == own[i])
            return true;
    }
    return false;
}

// A settings file of the sections a reader reads (nearly always) and others (now and then), in the written order
// or shuffled, some twice, with older names, and keys dropped, doubled or given other values.
std::string SettingsFileSample(FuzzRandom& random, const char* const* own, int count)
{
    std::vector<const Section*> chosen;
    for (const Section& section : Defaults()) {
        if (IsOwn(section.Name, own, count) ? !random.OneIn(8) : random.OneIn(4))
            chosen.push_back(&section);
    }
    for (size_t i = 0; i + 1 < chosen.size(); i++) {
        if (random.OneIn(4))
            std::swap(chosen[i], chosen[i + 1 + random.Below((uint32_t)(chosen.size() - i - 1))]);
    }
    std::string text;
    for (const Section* section : chosen) {
        text += SectionText(random, *section, SectionName(random, section->Name));
        if (random.OneIn(16))
            text += SectionText(random, *section, section->Name);
    }
    return text;
}

// The input with its "%F" paths in the case's folder, as the settings file of the case.
std::string WriteSettingsFile(const char* data, size_t size, const char* folder)
{
    std::string text = InCaseFolder(data, size, folder);
    return WriteCaseFile(folder, kIniName, text.data(), text.size());
}

}  // namespace

std::string MemoSettingsSample(FuzzRandom& random, bool)
{
    static const char* const kOwn[] = {"DaylensMemo", "Daylens00"};
    return SettingsFileSample(random, kOwn, (int)(sizeof(kOwn) / sizeof(kOwn[0])));
}

std::string MemorialSettingsSample(FuzzRandom& random, bool)
{
    static const char* const kOwn[] = {"DaylensMemorial", "Daylens00"};
    return SettingsFileSample(random, kOwn, (int)(sizeof(kOwn) / sizeof(kOwn[0])));
}

std::string ScreenSettingsSample(FuzzRandom& random, bool)
{
    static const char* const kOwn[] = {"Daylens00", "Daylens", "Daylens1024x768", "Daylens01", "DaylensMemo"};
    return SettingsFileSample(random, kOwn, (int)(sizeof(kOwn) / sizeof(kOwn[0])));
}

std::string ToolBarSettingsSample(FuzzRandom& random, bool)
{
    static const char* const kOwn[] = {"DaylensToolBar", "DaylensToolBar1024x768"};
    return SettingsFileSample(random, kOwn, (int)(sizeof(kOwn) / sizeof(kOwn[0])));
}

std::string MiniMemoSettingsSample(FuzzRandom& random, bool)
{
    static const char* const kOwn[] = {MINIMEMO_SECTION, "DaylensMemo", "Daylens00"};
    return SettingsFileSample(random, kOwn, (int)(sizeof(kOwn) / sizeof(kOwn[0])));
}

std::string PopupViewSettingsSample(FuzzRandom& random, bool)
{
    static const char* const kOwn[] = {POPUPVIEW_SECTION};
    return SettingsFileSample(random, kOwn, (int)(sizeof(kOwn) / sizeof(kOwn[0])));
}

std::string PrintSettingsSample(FuzzRandom& random, bool)
{
    static const char* const kOwn[] = {PRINT_PLUGIN_NAME, "Daylens01", "DaylensMemo", "DaylensMemorial", "Daylens00"};
    return SettingsFileSample(random, kOwn, (int)(sizeof(kOwn) / sizeof(kOwn[0])));
}

// One section of the program's keys about as large as a read buffer, with long values, among small sections.
std::string GrowingSectionSample(FuzzRandom& random, bool)
{
    const std::vector<Section>& sections = Defaults();
    const Section& big = sections[random.Below((uint32_t)sections.size())];
    std::string text = random.OneIn(2) ? SectionText(random, sections[random.Below((uint32_t)sections.size())],
                                                     sections[0].Name)
                                       : "";
    text += "[" + (random.OneIn(3) ? std::string(POPUPVIEW_OLD_SECTION) : big.Name) + "]\r\n";
    size_t target = text.size() + kReadSizes[random.Below(3)] + random.Below(kReadSizeSpread) - kReadSizeSpread / 2;
    while (text.size() < target && !big.Lines.empty()) {
        const auto& line = big.Lines[random.Below((uint32_t)big.Lines.size())];
        std::string key = random.OneIn(2) ? line.first + Num((int)random.Below(100000)) : line.first;
        text += Line(key, random.OneIn(2) ? LongValue(random) : VariedValue(random, line.second), random);
    }
    text.resize(target);
    if (random.OneIn(2))
        text += "\r\n" + SectionText(random, sections[random.Below((uint32_t)sections.size())], "Daylens01");
    return text;
}

void RunMemoSettings(const char* data, size_t size, const char* folder)
{
    std::string ini = WriteSettingsFile(data, size, folder);
    MemoSettings memo = {};
    LoadMemoSettings(&memo, ini.c_str(), kAppName, (int)(size % 2));
    FreeMemoSearchHistory(&memo);
}

void RunMemorialSettings(const char* data, size_t size, const char* folder)
{
    std::string ini = WriteSettingsFile(data, size, folder);
    MemorialSettings memorial = {};
    std::string programDir = std::string(folder) + "\\";
    LoadMemorialSettings(&memorial, ini.c_str(), kAppName, programDir.c_str(), MemorialShadowDefaults{0, 1, 4});
}

// The placement sections with the one of this desktop size, then every other setting, as at start-up.
void RunScreenSettings(const char* data, size_t size, const char* folder)
{
    std::string ini = WriteSettingsFile(data, size, folder);
    std::string programDir = std::string(folder) + "\\";
    char* monthNames[MONTH_USER_NAME_COUNT] = {};
    char* weekNames[WEEK_USER_NAME_COUNT] = {};
    SettingsFile file = CaseSettingsFile(ini, programDir, monthNames, weekNames);
    static PlugInSlot slots[PLUGIN_SLOT_COUNT];
    memset(slots, 0, sizeof(slots));
    EnvData* env = new EnvData();
    env->PlugInSlots = slots;
    LoadWindowPlacement(&file, env);
    int changed = 0;
    LoadEnv(&file, env, &changed);
    FreeUserNames(monthNames, MONTH_USER_NAME_COUNT);
    FreeUserNames(weekNames, WEEK_USER_NAME_COUNT);
    delete env;
}

// The buttons are resolved against a menu table of two plug-ins.
void RunToolBarSettings(const char* data, size_t size, const char* folder)
{
    static PlugInMenuItem menu[PLUGIN_MENU_ITEM_COUNT];
    if (!menu[0].FileName[0]) {
        SafeStrCpy(menu[0].FileName, sizeof(menu[0].FileName), "DaylensPrint.dll");
        SafeStrCpy(menu[1].FileName, sizeof(menu[1].FileName), "DaylensMiniMemo.dll");
        menu[0].Command = IDM_PLUGIN_FIRST;
        menu[1].Command = IDM_PLUGIN_FIRST + 1;
    }
    std::string ini = WriteSettingsFile(data, size, folder);
    static ToolBarFile toolbar;
    LoadToolBarSetting(&toolbar, ini.c_str(), kDesktop, size % 2 ? menu : nullptr);
}

void RunMiniMemoSettings(const char* data, size_t size, const char* folder)
{
    std::string ini = WriteSettingsFile(data, size, folder);
    MiniMemoSettings settings = {};
    MiniMemoStore store = {};
    LoadMiniMemoSettings(&settings, &store, ini.c_str());
}

// The older section moved once, then the section read.
void RunPopupViewSettings(const char* data, size_t size, const char* folder)
{
    std::string ini = WriteSettingsFile(data, size, folder);
    PopupViewSettings settings = {};
    LoadPopupViewSettings(&settings, ini.c_str());
}

// The calendar's display, memo and memorial sections and the plug-in's own.
void RunPrintSettings(const char* data, size_t size, const char* folder)
{
    std::string ini = WriteSettingsFile(data, size, folder);
    static char iniPath[MAX_PATH * 2];
    SafeStrCpy(iniPath, sizeof(iniPath), ini.c_str());
    EnvData* env = new EnvData();
    g_print.Env = env;
    g_print.IniPath = iniPath;
    LoadPrintSettings();
    FreeMemoSearchHistory(&g_print.Memo);
    g_print.Env = nullptr;
    delete env;
}

// Every section of the program read whole and asked for each of its keys (into a buffer of two bytes too), the
// legacy test, then the popup view's move of its older section, which reads that section whole.
void RunGrowingSection(const char* data, size_t size, const char* folder)
{
    std::string ini = WriteSettingsFile(data, size, folder);
    char value[64];
    for (const Section& keys : Defaults()) {
        ProfileSection* section = ReadProfileSection(ini.c_str(), keys.Name.c_str());
        for (const auto& line : keys.Lines) {
            GetSectionString(section, line.first.c_str(), "", value, sizeof(value));
            GetSectionString(section, line.first.c_str(), "表", value, 2);
        }
        FreeProfileSection(section);
    }
    IsLegacyIniLayout(ini.c_str(), kAppName);
    MovePopupViewOldSection(ini.c_str());
    FreeProfileSection(ReadProfileSection(ini.c_str(), POPUPVIEW_SECTION));
}

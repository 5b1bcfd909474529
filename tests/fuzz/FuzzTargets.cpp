#include "FuzzTargets.h"

#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "DateUtil.h"
#include "DayMemoCache.h"
#include "DayMemoStore.h"
#include "EnvData.h"
#include "FileUtil.h"
#include "FuzzParts.h"
#include "Holiday.h"
#include "HolidayCheck.h"
#include "LzhArchive.h"
#include "LzhFixtures.h"
#include "MemoEscape.h"
#include "MemoExchange.h"
#include "MemoImportExport.h"
#include "MemoMerge.h"
#include "MemoWriter.h"
#include "ProfileSection.h"
#include "RepeatMemo.h"
#include "SettingsKeys.h"
#include "SettingsReader.h"

std::string Num(int n)
{
    return std::to_string(n);
}

std::string Line(const std::string& key, const std::string& value, FuzzRandom& random)
{
    return key + (random.OneIn(2) ? " = " : "=") + value + (random.OneIn(8) ? "\n" : "\r\n");
}

std::string WriteCaseFile(const char* folder, const char* name, const char* data, size_t size)
{
    std::string path = std::string(folder) + "\\" + name;
    WriteWholeFile(path.c_str(), data, (DWORD)size, nullptr);
    return path;
}

std::string InCaseFolder(const char* data, size_t size, const char* folder)
{
    std::string text;
    text.reserve(size);
    for (size_t at = 0; at < size; at++) {
        if (data[at] == '%' && at + 1 < size && data[at + 1] == 'F')
            text += folder, text += '\\', at++;
        else
            text += data[at];
    }
    return text;
}

void FreeText(char* text)
{
    if (text)
        HeapFree(GetProcessHeap(), 0, text);
}

namespace {

const int kSpanDays = 40;
// Every question scans the whole holiday list: a long list is asked about fewer days.
const int kRecordChecksPerSpan = 1000000;
const int kSampledRecords = 4;

// Asked dates that no calendar shows but a caller may still pass.
const int kExtremeDates[][3] = {
    {INT_MIN, 1, 1}, {INT_MAX, 12, 31}, {INT_MIN, INT_MIN, INT_MIN}, {INT_MAX, INT_MAX, INT_MAX},
    {0, 0, 0},       {2019, 13, 32},    {2019, 2, 30},              {-1, -1, -1},
};

const char* const kWeekdayNames[] = {"日", "月", "Sun", "Mon", "Tu", "Sat", "sat", "Monday", "火曜"};
const char* const kTimes[] = {"7:05", "23:59", "0:00", "99:99", "25:-6", "-1:-1", "24:00", "12:60", "noon", "9",
                              ":30", "1:2:3", "12:345", "2147483647:2147483647", "+1:+1", " 8 : 15"};

// The national list the repeating memos move around.
const char kNationalHolidays[] = "- 1 1 元日\n2019 4 28 日曜\n2019 4 29 昭和の日\n2019 5 5 a\n2019 5 6 b\n"
                                 "a2000 1 2月 成人の日\n- 12 31 大晦日\n";

std::string DateKey(FuzzRandom& random, bool impossible, const char* format)
{
    int y, m, d;
    random.Date(impossible, &y, &m, &d);
    char key[64];
    snprintf(key, sizeof(key), format, y, m, d);
    return key;
}

std::string MemoValue(FuzzRandom& random)
{
    std::string text = random.Text(1 + (int)random.Below(8));
    return random.OneIn(4) ? "\"" + text + "\"" : text;
}

std::string HolidaySample(FuzzRandom& random, bool impossible)
{
    static const char* const kYearRules[] = {"", "b", "a", "B", "A"};
    std::string text;
    for (int n = 1 + (int)random.Below(30); n > 0; --n) {
        int y, m, d;
        random.Date(impossible, &y, &m, &d);
        switch (random.Below(8)) {
        case 0: text += std::string("#/%").substr(random.Below(3), 1) + " " + random.Text(2) + "\r\n"; continue;
        case 1: text += "\r\n"; continue;
        case 2: text += "- "; break;
        case 3: break;
        default: text += std::string(kYearRules[random.Below(5)]) + Num(y) + " "; break;
        }
        text += Num(m) + " ";
        text += random.OneIn(3) ? Num((int)random.Below(7)) + kWeekdayNames[random.Below(9)] : Num(d);
        text += " " + random.Text(1 + (int)random.Below(3));
        text += random.OneIn(4) ? "\t" + random.Text(1) : "";
        text += random.OneIn(4) ? "\n" : "\r\n";
    }
    return text;
}

} // namespace

std::string DayMemoSample(FuzzRandom& random, bool impossible)
{
    static const char* const kStyleKeys[] = {"MarkType",    "MarkColor",   "NoUseStrColor",  "StrColor",
                                             "ShadowColor", "ShadowWidth", "ShadowDirection"};
    std::string text;
    for (int n = 1 + (int)random.Below(5); n > 0; --n) {
        text += "[" + DateKey(random, impossible, "%04d%02d%02d") + "]\r\n";
        for (const char* key : kStyleKeys) {
            if (random.OneIn(2))
                text += Line(key, Num((int)random.Below(0x1000000)), random);
        }
        text += Line("Time", kTimes[random.Below(sizeof(kTimes) / sizeof(kTimes[0]))], random);
        text += Line("Memo", MemoValue(random), random);
    }
    return text;
}

namespace {

std::string RepeatSample(FuzzRandom& random, bool impossible)
{
    std::string text;
    int count = random.OneIn(16) ? REPEAT_MEMO_MAX + 2 : 1 + (int)random.Below(8);
    for (int n = 0; n < count; ++n) {
        char section[16];
        snprintf(section, sizeof(section), "[%04d]\r\n", n);
        text += section;
        int y, m, d;
        random.Date(impossible, &y, &m, &d);
        text += Line("Use", Num(random.OneIn(8) ? 0 : 1), random);
        text += Line("Type", Num((int)random.Below(8)), random);
        text += Line("Month", Num(m), random) + Line("Day", Num(random.OneIn(4) ? 32 : d), random);
        text += Line("Week", Num((int)random.Below(7)), random);
        text += Line(random.OneIn(4) ? "DateBit" : "DayBit", Num((int)random.Below(128)), random);
        text += Line("HolidayShift", Num((int)random.Below(4)), random);
        text += Line("FromYear", Num(y), random) + Line("FromMonth", Num(m), random) + Line("FromDay", Num(d), random);
        random.Date(impossible, &y, &m, &d);
        text += Line("ToYear", Num(y), random) + Line("ToMonth", Num(m), random) + Line("ToDay", Num(d), random);
        text += Line("MarkType", Num((int)random.Below(20)), random);
        text += Line("NoUseStrColor", Num((int)random.Below(2)), random);
        text += Line("Memo", MemoValue(random), random);
    }
    return text;
}

// A settings section as GetPrivateProfileSectionA hands it over: NUL-ended lines of the program's own keys with
// numbers, texts, styles and quotes, and the odd line without "=" or with a comment.
std::string SettingsSample(FuzzRandom& random, bool impossible)
{
    static const char* const kValues[] = {"\"", "\"\"", "'x'", " \" a \" ", "年表示なし", "User", "ＭＳ Ｐゴシック"};
    SettingKeyTable tables[] = {PlacementSettingKeys(), MainSettingKeys(), UserMarkSettingKeys()};
    std::string text;
    for (int n = 1 + (int)random.Below(60); n > 0; --n) {
        SettingKeyTable table = tables[random.Below(3)];
        char key[128];
        snprintf(key, sizeof(key), table.Keys[random.Below((uint32_t)table.Count)].Name, (int)random.Below(12));
        std::string line = random.OneIn(16) ? ";" : "";
        line += random.OneIn(3) ? std::string(key) + "FontSize" : std::string(key);
        if (!random.OneIn(16)) {
            line += random.OneIn(2) ? " = " : "=";
            switch (random.Below(3)) {
            case 0: line += random.Number(); break;
            case 1: line += kValues[random.Below(sizeof(kValues) / sizeof(kValues[0]))]; break;
            default: line += random.Text(1 + (int)random.Below(6)); break;
            }
        }
        text += line;
        text.push_back('\0');
    }
    (void)impossible;
    return text;
}

std::string EscapeSample(FuzzRandom& random, bool impossible)
{
    std::string text = random.Text(1 + (int)random.Below(40));
    return random.OneIn(2) ? text + "\r\n" + random.Text(4) : text;
}

// Every question the calendar asks of a holiday list about one date.
void AskHolidayDate(const HolidayRecord* list, int count, int y, int m, int d)
{
    char name[HOLIDAY_NAME_SIZE];
    CheckHoliday(list, count, y, m, d, name, 1);
    CheckHoliday(list, count, y, m, d, name, 0);
    MatchHolidayDate(list, count, y, m, d, name);
    CheckMemorial(list, count, y, m, d, DayOfWeek(y, m, d), 1, name);
}

// A span of days from the date of each of the first records, then the extreme dates.
void AskHolidaySpans(const HolidayRecord* list, int count)
{
    int days = count > kRecordChecksPerSpan / kSpanDays ? 2 + kRecordChecksPerSpan / count : kSpanDays;
    for (int i = 0; i < count && i < kSampledRecords; ++i) {
        int y = list[i].year ? list[i].year : 2019, m = list[i].month, d = list[i].day ? list[i].day : 1;
        for (int n = 0; n < days; ++n, AddDaysInt(&y, &m, &d, 1))
            AskHolidayDate(list, count, y, m, d);
    }
    for (const auto& date : kExtremeDates)
        AskHolidayDate(list, count, date[0], date[1], date[2]);
}

// An LZH archive of a few memo-like entries with headers of levels 0, 1 and 2, stored or packed.
std::string LzhSample(FuzzRandom& random, bool)
{
    static const char* const kMethods[] = {"-lh0-", "-lh5-", "-lh6-", "-lh7-"};
    std::string archive;
    for (int n = 1 + (int)random.Below(4); n > 0; --n) {
        std::string text = random.Text(1 + (int)random.Below(200));
        if (random.OneIn(3))
            text += text + text;
        std::vector<uint8_t> data(text.begin(), text.end());
        std::string name = random.Text(1).substr(0, 40) + ".txt";
        std::string method = kMethods[random.Below(4)];
        std::string directory = random.OneIn(2) ? "" : "memo\\";
        std::vector<uint8_t> entry;
        switch (random.Below(3)) {
        case 0: entry = LzhFixtures::Level0Entry(name, method, data, (uint32_t)random.Next()); break;
        case 1: entry = LzhFixtures::Level1Entry(name, method, data, (uint32_t)random.Next(), directory); break;
        default: entry = LzhFixtures::Level2Entry(name, method, data, (uint32_t)random.Next(), directory); break;
        }
        archive.append(entry.begin(), entry.end());
    }
    if (!random.OneIn(4))
        archive += '\0';
    return archive;
}

void RunHoliday(const char* data, size_t size, const char* folder)
{
    unsigned int count = 0;
    HolidayRecord* list = ParseHolidayText(HOLIDAY_KIND_NATIONAL, data, &count);
    AskHolidaySpans(list, (int)count);
    FreeHolidayList(list, (int)count);
    // The same bytes as a file, read by the loader; NUL bytes and all.
    std::string path = WriteCaseFile(folder, "Holiday.txt", data, size - 1);
    count = 0;
    list = LoadHoliday((unsigned char)(size % 3), path.c_str(), &count);
    AskHolidaySpans(list, (int)count);
    FreeHolidayList(list, (int)count);
}

// The first section name of the file, kept to the bytes a file name may hold.
std::string FirstSection(const char* data, size_t size)
{
    std::string name;
    const char* open = (const char*)memchr(data, '[', size);
    for (const char* p = open ? open + 1 : data + size; p < data + size && *p != ']' && name.size() < 8; ++p) {
        if ((*p >= '0' && *p <= '9') || *p == '-')
            name += *p;
    }
    return name.empty() ? "20190415" : name;
}

void ReadMemo(const char* path, int y, int m, int d, const MemoStoreSettings& settings, int singleLine)
{
    DayMemoRecord record = {};
    FreeText(ReadDayMemoText(path, y, m, d, &settings, &record, singleLine));
}

// The same file as a day file and as a month file, read by name, by date and by section.
void RunDayMemo(const char* data, size_t size, const char* folder)
{
    std::string section = FirstSection(data, size);
    std::string day = WriteCaseFile(folder, (section + ".txt").c_str(), data, size);
    std::string month = WriteCaseFile(folder, (section.substr(0, 6) + ".txt").c_str(), data, size);
    MemoStoreSettings settings = {folder, 0, nullptr};
    ReadMemo(day.c_str(), 0, 0, 0, settings, 0);
    ReadMemo(month.c_str(), 0, 0, 0, settings, 1);
    section.resize(8, '0');
    int y = atoi(section.substr(0, 4).c_str()), m = atoi(section.substr(4, 2).c_str()), d = atoi(section.substr(6).c_str());
    ReadMemo(nullptr, y, m, d, settings, 0);
    settings.MemoSaveOneMonth = 1;
    ReadMemo(nullptr, y, m, d, settings, 1);
    DayMemoRecord record = {};
    FreeText(ReadDayMemoSection(day.c_str(), section.c_str(), &settings, &record, 0));
    // The calendar's cache, in both file modes.
    DayMemoCache* cache = CreateDayMemoCache();
    for (int monthFiles : {1, 0}) {
        settings.MemoSaveOneMonth = monthFiles;
        BeginDayMemoPass(cache);
        FreeText(CachedDayMemoText(cache, &settings, y, m, d, &record, monthFiles));
    }
    FreeDayMemoCache(cache);
}

const HolidayRecord* NationalHolidays(int* count)
{
    static unsigned int parsed = 0;
    static HolidayRecord* list = ParseHolidayText(HOLIDAY_KIND_NATIONAL, kNationalHolidays, &parsed);
    *count = (int)parsed;
    return list;
}

void AskRepeatSpan(const RepeatMemoRecord* records, char** texts, int count, int y, int m, int d)
{
    int holidayCount = 0;
    const HolidayRecord* holidays = NationalHolidays(&holidayCount);
    for (int n = 0; n < kSpanDays; ++n, AddDaysInt(&y, &m, &d, 1)) {
        FontStyle style = {};
        FreeText(GetRepeatMemoText(records, texts, count, holidays, holidayCount, y, m, d, &style, n % 2));
    }
}

// repeat.txt of a memo folder, then the memos of a span of days around each period and of the extreme dates.
void RunRepeat(const char* data, size_t size, const char* folder)
{
    WriteCaseFile(folder, "repeat.txt", data, size);
    RepeatMemoRecord* records = nullptr;
    char* texts[REPEAT_MEMO_MAX];
    int count = 0;
    InitRepeatMemos(&records, texts, &count);
    LoadRepeatMemos(&records, texts, &count, folder);
    AskRepeatSpan(records, texts, count, 2019, 4, 20);
    for (int i = 0; i < count && i < kSampledRecords; ++i) {
        const RepeatMemoRecord& r = records[i];
        AskRepeatSpan(records, texts, count, r.FromYear, r.FromMonth, r.FromDay);
        AskRepeatSpan(records, texts, count, r.ToYear, r.ToMonth, r.ToDay);
    }
    int holidayCount = 0;
    const HolidayRecord* holidays = NationalHolidays(&holidayCount);
    for (const auto& date : kExtremeDates)
        FreeText(GetRepeatMemoText(records, texts, count, holidays, holidayCount, date[0], date[1], date[2], nullptr, 0));
    FreeRepeatMemos(&records, texts, &count);
}

void RunEscape(const char* data, size_t size, const char* folder)
{
    FreeText(UnescapeMemoText(data, 0));
    FreeText(UnescapeMemoText(data, 1));
    char* escaped = EscapeMemoText(data);
    FreeText(UnescapeMemoText(escaped, 0));
    FreeText(escaped);
}

// The section parsed, then the program's key tables read from it, as the settings file is read at start-up.
void RunSettings(const char* data, size_t size, const char*)
{
    ProfileSection* section = ParseProfileSection(data, size);
    static char text[SETTINGS_READ_SIZE];
    EnvData* env = new EnvData();
    SettingSource source = {section, env, nullptr, nullptr, text};
    ReadSettingKeys(source, env, PlacementSettingKeys(), -1);
    ReadSettingKeys(source, env, MainSettingKeys(), -1);
    UserMark mark = {};
    ReadSettingKeys(source, &mark, UserMarkSettingKeys(), 1);
    char small[3];
    GetSectionString(section, "DisplayType", "", small, sizeof(small));
    GetSectionString(section, "BackImage", "", small, 1);
    delete env;
    FreeProfileSection(section);
}

// Memo data in the store's INI form, merged and imported into a store in the case folder. Every section of the
// input is written to the store, so only its first part is taken: the whole of a 10 MB input would take minutes.
const size_t kMergedBytes = 16 * 1024;

void RunMemoMerge(const char* data, size_t size, const char* folder)
{
    static MemoSettings memo;
    memset(&memo, 0, sizeof(memo));
    snprintf(memo.MemoDir, sizeof(memo.MemoDir), "%s", folder);
    std::string part(data, size - 1 < kMergedBytes ? size - 1 : kMergedBytes);
    ImportMemoIniFile(&memo, WriteCaseFile(folder, "import.ini", part.data(), part.size()).c_str(), nullptr);
    FreeText(MergeMemoText(&memo, "既存\r\n[会議]", part.c_str(), nullptr));
    FreeText(MergeMemoText(&memo, part.c_str(), "既存\r\n%除外", nullptr));
    ParseMemoFileDate(data, nullptr, nullptr, nullptr);
}

// The own CSV of memo export: a date, the quoted text (a line break inside it written as a blank and a line feed),
// the style and the time; records short or long, quotes doubled or left open, and other date forms.
std::string MemoCsvSample(FuzzRandom& random, bool impossible)
{
    static const char* const kDateForms[] = {"%04d年%2d月%2d日(月)", "%04d年%02d月%02d日", "%d年%d月%d日",
                                             "%04d/%02d/%02d", "%04d年%2d月"};
    static const char* const kBreaks[] = {"\r\n", "\n", "\r", "\r\n\r\n"};
    std::string text;
    for (int n = 1 + (int)random.Below(12); n > 0; --n) {
        text += DateKey(random, impossible, kDateForms[random.OneIn(4) ? random.Below(5) : 0]);
        std::string memo = random.Text(1 + (int)random.Below(8));
        if (random.OneIn(3))
            memo += " \n" + random.Text(1 + (int)random.Below(3));
        if (!random.OneIn(4)) {
            std::string quoted = "\"";
            for (char c : memo)
                quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
            memo = random.OneIn(16) ? quoted : quoted + "\"";
        }
        text += "," + memo;
        for (int field = (int)random.Below(8); field > 0; --field)
            text += "," + (random.OneIn(4) ? random.Number() : Num((int)random.Below(0x1000000)));
        text += kBreaks[random.Below(4)];
    }
    return text;
}

// The memo store of an import: the case's folder, with one file a day or one a month.
MemoSettings* CaseMemoStore(const char* folder, size_t size)
{
    static MemoSettings memo;
    memset(&memo, 0, sizeof(memo));
    snprintf(memo.MemoDir, sizeof(memo.MemoDir), "%s", folder);
    memo.MemoSaveOneMonth = (int)(size / 2 % 2);
    return &memo;
}

// A memo the store holds before the import, so that the import merges into it.
void StoreMemo(const MemoSettings* memo, int year, int month, int day)
{
    DayMemoRecord record = {memo->MemoStyle, 9, 30};
    WriteDayMemo(memo, year, month, day, "既存\r\n会議", &record);
}

struct FirstRecord {
    int Year, Month, Day, Count;
};

void NoteRecord(void* context, int year, int month, int day, const char*, const DayMemoRecord*)
{
    FirstRecord* first = (FirstRecord*)context;
    if (first->Count++ == 0)
        first->Year = year, first->Month = month, first->Day = day;
}

// The whole input read as CSV, then its first part imported into a store that may hold the first record's day.
void RunMemoCsv(const char* data, size_t size, const char* folder)
{
    FirstRecord first = {};
    ParseMemoCsv(data, NoteRecord, &first);
    MemoSettings* memo = CaseMemoStore(folder, size);
    if (first.Count > 0 && size % 2)
        StoreMemo(memo, first.Year, first.Month, first.Day);
    std::string part(data, size - 1 < kMergedBytes ? size - 1 : kMergedBytes);
    MemoExchangePlace place = {memo, nullptr, ""};
    ImportMemoFile(&place, WriteCaseFile(folder, "import.csv", part.data(), part.size()).c_str(), nullptr);
}

// A memo file imported under the name of its first day, of that day's month, or under another name (read section
// by section), into a store that may hold a memo of that day.
void RunMemoText(const char* data, size_t size, const char* folder)
{
    std::string section = FirstSection(data, size);
    std::string names[] = {section + ".txt", section.substr(0, 6) + ".txt", "import.txt"};
    MemoSettings* memo = CaseMemoStore(folder, size);
    section.resize(8, '0');
    if (size % 2)
        StoreMemo(memo, atoi(section.substr(0, 4).c_str()), atoi(section.substr(4, 2).c_str()),
                  atoi(section.substr(6).c_str()));
    std::string arriving = std::string(folder) + "\\in";
    CreateDirectoryA(arriving.c_str(), nullptr);
    std::string part(data, size < kMergedBytes ? size : kMergedBytes);
    MemoExchangePlace place = {memo, nullptr, ""};
    std::string path = WriteCaseFile(arriving.c_str(), names[size % 3].c_str(), part.data(), part.size());
    ImportMemoFile(&place, path.c_str(), nullptr);
}

// Reads the archive's entries and unpacks each (up to 16 MB); unpacks the whole input too, as packed data of
// each dictionary size, so that damaged packed data is not only reached behind intact headers.
void RunLzh(const char* data, size_t size, const char*)
{
    const uint8_t* bytes = (const uint8_t*)data;
    static std::vector<uint8_t> unpacked(64 * 1024);
    for (int bits : {13, 15, 16})
        Lzh::Decode(bits, bytes, size, unpacked.data(), unpacked.size());
    std::vector<Lzh::Entry> entries;
    if (!Lzh::ReadEntries(bytes, size, &entries))
        return;
    for (const Lzh::Entry& entry : entries) {
        if (entry.OriginalSize > (16u << 20))
            continue;
        std::vector<uint8_t> out(entry.OriginalSize);
        Lzh::ExtractEntry(bytes, size, entry, out.data(), out.size());
        Lzh::MatchName("*.txt", entry.Name.c_str());
    }
}

} // namespace

// Further parsers join here: a sample of their format and a run function (those fed through settings files and the
// outside DLLs live in FuzzSettingsTargets.cpp and FuzzLayerTargets.cpp). A parser over a buffer and a size (the
// settings-section parser) takes the input as it is (Terminated false, no folder):
//     {"settings", SettingsSample, false, [](const char* data, size_t size, const char*) { ... }},
const FuzzTarget kFuzzTargets[] = {
    {"holiday", HolidaySample, true, RunHoliday},
    {"daymemo", DayMemoSample, false, RunDayMemo},
    {"escape", EscapeSample, true, RunEscape},
    {"repeat", RepeatSample, false, RunRepeat},
    {"settings", SettingsSample, false, RunSettings},
    {"memomerge", DayMemoSample, true, RunMemoMerge},
    {"lzh", LzhSample, false, RunLzh},
    {"memocsv", MemoCsvSample, true, RunMemoCsv},
    {"memotext", DayMemoSample, false, RunMemoText},
    {"memoset", MemoSettingsSample, false, RunMemoSettings},
    {"memorial", MemorialSettingsSample, false, RunMemorialSettings},
    {"screen", ScreenSettingsSample, false, RunScreenSettings},
    {"toolbar", ToolBarSettingsSample, false, RunToolBarSettings},
    {"minimemo", MiniMemoSettingsSample, false, RunMiniMemoSettings},
    {"popupview", PopupViewSettingsSample, false, RunPopupViewSettings},
    {"print", PrintSettingsSample, false, RunPrintSettings},
    {"growread", GrowingSectionSample, false, RunGrowingSection},
    {"unlhacmd", UnlhaCommandSample, true, RunUnlhaCommands},
    {"unlha", MemoArchiveSample, false, RunUnlhaArchive},
    {"imgctl", PictureSample, false, RunPicture},
};
const int kFuzzTargetCount = sizeof(kFuzzTargets) / sizeof(kFuzzTargets[0]);

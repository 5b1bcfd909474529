#include "DayMemoStore.h"

#include <stdio.h>
#include <string.h>

#include "DateUtil.h"
#include "FileUtil.h"
#include "HeapUtil.h"
#include "MemoEscape.h"
#include "ProfileFile.h"
#include "ProfileSection.h"
#include "ProfileValue.h"
#include "StrUtil.h"

namespace {

const COLORREF kDefaultMarkColor = 0xFF0000;
const COLORREF kDefaultStrColor = 0xFFFFFF;
const COLORREF kDefaultShadowColor = 0;
const int kDefaultShadowWidth = 1;
const int kDefaultShadowDirection = SHADOW_DOWN_RIGHT;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int Digits(const char* p, int n)
{
    int value = 0;
    for (int i = 0; i < n; i++)
        value = value * 10 + (p[i] - '0');
    return value;
}

// The date of a store file name ("YYYYMM" or "YYYYMMDD" before the extension). A name
// that is no date leaves the date alone and gives false.
bool DateFromFileName(const char* path, int* year, int* month, int* day)
{
    const char* name = PathFileName(path);
    for (int i = 0; i < 6; i++) {
        if (!IsDigit(name[i]))
            return false;
    }
    int y = Digits(name, 4), m = Digits(name + 4, 2), d = *day;
    if (y < 1 || m < 1 || m > 12)
        return false;
    if (IsDigit(name[6]) && IsDigit(name[7])) {
        d = Digits(name + 6, 2);
        if (d < 1 || d > DaysInMonth(y, m))
            return false;
    }
    *year = y, *month = m, *day = d;
    return true;
}

// One or two digits; the number, or -1.
int TimeField(const char** p)
{
    const char* s = *p;
    if (!IsDigit(s[0]))
        return -1;
    int n = IsDigit(s[1]) ? 2 : 1;
    *p = s + n;
    return Digits(s, n);
}

// "H:MM" or "HH:MM" of a day in hour and minute; anything else, an hour past 23 or a minute past 59
// included, is no time.
void ParseMemoTime(const char* text, int* hour, int* minute)
{
    const char* p = text;
    int h = TimeField(&p);
    int m = -1;
    if (h >= 0 && *p == ':') {
        ++p;
        m = TimeField(&p);
    }
    bool valid = h >= 0 && h <= 23 && m >= 0 && m <= 59 && *p == '\0';
    *hour = valid ? h : DAY_MEMO_NO_TIME;
    *minute = valid ? m : DAY_MEMO_NO_TIME;
}

// Bytes of a style or time value as the reader takes it.
const size_t kValueSize = 64;

int IntOf(const ProfileSection* section, const char* key, int def)
{
    char value[kValueSize];
    return ProfileIntOf(GetSectionString(section, key, "", value, sizeof(value)), def);
}

void ReadStyle(const ProfileSection* section, const FontStyle* defaults, DayMemoRecord* out)
{
    FontStyle& s = out->Style;
    s.MarkType = (BYTE)IntOf(section, "MarkType", 1);
    s.MarkColor = (COLORREF)IntOf(section, "MarkColor", (int)(defaults ? defaults->MarkColor : kDefaultMarkColor));
    s.NoUseStrColor = IntOf(section, "NoUseStrColor", 1);
    s.StrColor = (COLORREF)IntOf(section, "StrColor", (int)(defaults ? defaults->StrColor : kDefaultStrColor));
    s.ShadowColor =
        (COLORREF)IntOf(section, "ShadowColor", (int)(defaults ? defaults->ShadowColor : kDefaultShadowColor));
    char value[kValueSize];
    s.ShadowWidth = (BYTE)ProfileIntInRangeOf(GetSectionString(section, "ShadowWidth", "", value, sizeof(value)),
                                              defaults ? defaults->ShadowWidth : kDefaultShadowWidth, 0,
                                              SHADOW_WIDTH_MAX);
    s.ShadowDirection =
        (BYTE)IntOf(section, "ShadowDirection", defaults ? defaults->ShadowDirection : kDefaultShadowDirection);
    ParseMemoTime(GetSectionString(section, "Time", "", value, sizeof(value)), &out->Hour, &out->Minute);
}

// The memo of the named section of the file at path, read once.
char* ReadSectionOfFile(const char* path, const char* name, const MemoStoreSettings* settings, DayMemoRecord* out,
                        int singleLine)
{
    ProfileFile* file = ReadProfileFile(path);
    if (!file)
        return nullptr;
    char* text = DayMemoOfSection(FindProfileFileSection(file, name), settings, out, singleLine);
    FreeProfileFile(file);
    return text;
}

char* ReadMemoOfDate(const SYSTEMTIME& st, const MemoStoreSettings* settings, DayMemoRecord* out, int singleLine)
{
    return ReadDayMemoText(nullptr, st.wYear, st.wMonth, st.wDay, settings, out, singleLine);
}

}  // namespace

extern "C" {

int GetMemoDir(char* out, const char* configured, int perUser)
{
    if (!out)
        return 0;
    if (configured && configured[0]) {
        SafeStrCpy(out, MEMO_DIR_SIZE, configured);
        return 1;
    }
    char* folder = nullptr;
    GetModulePathParts(nullptr, &folder, nullptr);
    SafeStrCpy(out, MEMO_DIR_SIZE, NonNullStr(folder));
    SafeStrCat(out, MEMO_DIR_SIZE, "Memo");
    if (folder)
        HeapFree(GetProcessHeap(), 0, folder);
    char user[256] = "";
    DWORD userSize = sizeof(user);
    if (perUser == 1 && GetUserNameA(user, &userSize) && user[0]) {
        SafeStrCat(out, MEMO_DIR_SIZE, "-");
        SafeStrCat(out, MEMO_DIR_SIZE, user);
    }
    return 1;
}

char* ReadDayMemoText(const char* path, int year, int month, int day, const MemoStoreSettings* settings,
                      DayMemoRecord* out, int singleLine)
{
    if (!settings)
        return nullptr;
    char file[MAX_PATH + MEMO_DIR_SIZE];
    if (path && path[0])
        SafeStrCpy(file, sizeof(file), path);
    else
        DayMemoFilePath(settings->MemoDir, settings->MemoSaveOneMonth == 1 || day <= 0, year, month, day, file,
                        sizeof(file));
    // A file whose name is no date holds no memo we could place.
    if ((year == 0 || month == 0) && !DateFromFileName(file, &year, &month, &day))
        return nullptr;
    char section[32];
    DayMemoSectionName(year, month, day, section, sizeof(section));
    return ReadSectionOfFile(file, section, settings, out, singleLine);
}

char* ReadDayMemoSection(const char* file, const char* section, const MemoStoreSettings* settings,
                         DayMemoRecord* out, int singleLine)
{
    if (!file || !section)
        return nullptr;
    return ReadSectionOfFile(file, section, settings, out, singleLine);
}

char* GetTodayMemo(const MemoStoreSettings* settings, DayMemoRecord* out, int singleLine)
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    return ReadMemoOfDate(st, settings, out, singleLine);
}

char* GetTomorrowMemo(const MemoStoreSettings* settings, DayMemoRecord* out, int singleLine)
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    AddDays(&st, 1);
    return ReadMemoOfDate(st, settings, out, singleLine);
}

}

void DayMemoFilePath(const char* dir, int monthFile, int year, int month, int day, char* out, size_t size)
{
    if (monthFile)
        snprintf(out, size, "%s\\%04d%02d.txt", NonNullStr(dir), year, month);
    else
        snprintf(out, size, "%s\\%04d%02d%02d.txt", NonNullStr(dir), year, month, day);
}

void DayMemoSectionName(int year, int month, int day, char* out, size_t size)
{
    snprintf(out, size, "%04d%02d%02d", year, month, day);
}

char* DayMemoOfSection(const ProfileSection* section, const MemoStoreSettings* settings, DayMemoRecord* out,
                       int singleLine)
{
    if (!section)
        return nullptr;
    // The profile reader strips blanks and one pair of quotes around the value: a memo that begins or ends with
    // either is stored inside one pair of double quotes.
    char* value = (char*)AllocZeroed(DAY_MEMO_VALUE_SIZE);
    if (!value)
        return nullptr;
    GetSectionString(section, "Memo", "", value, DAY_MEMO_VALUE_SIZE);
    char* text = value[0] ? UnescapeMemoText(value, singleLine) : nullptr;
    HeapFree(GetProcessHeap(), 0, value);
    if (text && out)
        ReadStyle(section, settings ? settings->DefaultStyle : nullptr, out);
    return text;
}

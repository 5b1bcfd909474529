// The memo store's heavy work over ten years of daily memos (3,650 day files) in a fresh memo folder: each kind of
// memo search, several runs each; then the export of the whole store as an LZH archive and its import into an empty
// store, with the archive's size against the store's:
//   memo_store_benchmark.exe [runs [program folder with PlugIn\unlha32.dll]]
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "DateUtil.h"
#include "FileUtil.h"
#include "MemoImportExport.h"
#include "MemoSearch.h"
#include "MemoWriter.h"
#include "StrUtil.h"
#include "TempFolder.h"

namespace {

const int kDefaultRuns = 5;
const int kDays = 3650;

// A memo of a few lines; one day in seven has the searched word at the end of a line.
std::string DayText(int n)
{
    std::string text = "会議 " + std::to_string(n) + "\r\n買い物リスト 牛乳 卵 パン\r\n";
    if (n % 7 == 0)
        text += "歯医者の予約\r\n";
    return text + "メモ " + std::to_string(n * 31 % 1000);
}

bool FillStore(const MemoSettings* memo)
{
    int year = 2016, month = 1, day = 1;
    DayMemoRecord record = {};
    record.Hour = record.Minute = DAY_MEMO_NO_TIME;
    for (int n = 0; n < kDays; n++) {
        if (!WriteDayMemo(memo, year, month, day, DayText(n).c_str(), &record))
            return false;
        AddDaysInt(&year, &month, &day, 1);
    }
    return true;
}

void Measure(const MemoSettings* memo, const char* name, const MemoSearchQuery& query, int runs)
{
    std::vector<double> times;
    size_t hits = 0;
    for (int i = 0; i < runs; i++) {
        LARGE_INTEGER from = Now();
        hits = SearchMemoStore(memo, query).size();
        times.push_back(Milliseconds(from, Now()));
    }
    std::sort(times.begin(), times.end());
    printf("%-24s %5zu hits   median %7.1f ms, best %7.1f ms\n", name, hits, times[times.size() / 2], times[0]);
}

// The export and import tell the user how they went; nobody is there to answer.
DWORD WINAPI AnswerMessages(void*)
{
    for (;;) {
        HWND box = FindWindowA("#32770", nullptr);
        DWORD process = 0;
        if (box)
            GetWindowThreadProcessId(box, &process);
        if (box && process == GetCurrentProcessId())
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        Sleep(20);
    }
}

// The bytes of the .txt files of folder.
unsigned long long FolderBytes(const std::string& folder)
{
    unsigned long long total = 0;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*.txt").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do
        total += found.nFileSizeLow;
    while (FindNextFileA(find, &found));
    FindClose(find);
    return total;
}

void MeasureExchange(const MemoSettings* memo, const char* programDir, const std::string& scratch)
{
    CreateThread(nullptr, 0, AnswerMessages, nullptr, 0, nullptr);
    std::string archive = scratch + "\\store.lzh";
    SYSTEMTIME first = {}, end = {};
    first.wYear = 2016, first.wMonth = 1, first.wDay = 1;
    end.wYear = 2025, end.wMonth = 12, end.wDay = 31;
    MemoExchangePlace place = {memo, nullptr, programDir};
    LARGE_INTEGER from = Now();
    ExportMemoToFile(&place, archive.c_str(), &first, &end, MEMO_EXPORT_LZH);
    double exportMs = Milliseconds(from, Now());
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(archive.c_str(), GetFileExInfoStandard, &data)) {
        printf("no archive was written (is PlugIn\\unlha32.dll in %s?)\n", programDir);
        return;
    }
    unsigned long long storeBytes = FolderBytes(memo->MemoDir);
    printf("LZH export   %8.0f ms   archive %lu bytes of a %llu-byte store (%.1f %%)\n", exportMs,
           data.nFileSizeLow, storeBytes, 100.0 * data.nFileSizeLow / (double)storeBytes);

    static MemoSettings empty;
    std::string emptyDir = scratch + "\\imported";
    CreateDirectoryA(emptyDir.c_str(), nullptr);
    SafeStrCpy(empty.MemoDir, sizeof(empty.MemoDir), emptyDir.c_str());
    place.Memo = &empty;
    from = Now();
    ImportMemoFile(&place, archive.c_str(), nullptr);
    printf("LZH import   %8.0f ms   %llu bytes back\n", Milliseconds(from, Now()), FolderBytes(emptyDir));
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = argc > 1 ? atoi(argv[1]) : kDefaultRuns;
    if (runs < 1)
        runs = 1;
    TempFolder folder;
    if (!folder.Create("daylens-memo-search-bench")) {
        printf("no temporary folder\n");
        return 1;
    }
    static MemoSettings memo;
    SafeStrCpy(memo.MemoDir, sizeof(memo.MemoDir), folder.Dir().c_str());
    LARGE_INTEGER from = Now();
    if (!FillStore(&memo)) {
        printf("the memo store could not be written\n");
        return 1;
    }
    printf("%d day files written in %.0f ms\n", kDays, Milliseconds(from, Now()));
    const char* word = "予約";
    Measure(&memo, "per line", {word, 0, 0, 1, 0, 0}, runs);
    Measure(&memo, "per memo, line end", {word, 0, 1, 0, 0, 0}, runs);
    Measure(&memo, "per line, one year", {word, 0, 0, 1, MemoDateKey(2020, 1, 1), MemoDateKey(2020, 12, 31)},
            runs);
    Measure(&memo, "per memo, no hit", {"見つからない", 0, 0, 0, 0, 0}, runs);

    char programDir[MAX_PATH];
    snprintf(programDir, sizeof(programDir), "%s\\", argc > 2 ? argv[2] : ".");
    TempFolder scratch;
    if (scratch.Create("daylens-memo-exchange-bench"))
        MeasureExchange(&memo, programDir, scratch.Dir());
    return 0;
}

// The memo store's heavy work over ten years of daily memos (3,650 day files) in a fresh memo folder: each kind of
// memo search, several runs each; then, in interleaved rounds, the export of the whole store as an LZH archive
// against its import into an empty store, and the export of the store as own CSV against the import of a CSV of
// 100,000 records (about 27 a day) into an empty store:
//   memo_store_benchmark.exe [runs [program folder with PlugIn\unlha32.dll [rounds]]]
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
const int kDefaultRounds = 8;
const int kDays = 3650;
const int kCsvRecords = 100000;

void Report(const char* name, const Timings& measured, const char* baseName, const Timings& baseline)
{
    printf("  %-34s min %8.0f ms   median %8.0f ms\n", name, measured.Min(), measured.Median());
    printf("  %-34s min %8.0f ms   median %8.0f ms\n", baseName, baseline.Min(), baseline.Median());
}

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

// Own CSV of records memos, each a line of its own on one of the ten years' days in turn.
std::string MakeCsv(int records)
{
    static const char* const kWeekdays[] = {"日", "月", "火", "水", "木", "金", "土"};
    std::string csv;
    int year = 2016, month = 1, day = 1;
    for (int n = 0; n < records; n++) {
        if (n % kDays == 0)
            year = 2016, month = 1, day = 1;
        char line[256];
        snprintf(line, sizeof(line), "%04d年%2d月%2d日(%s),\"予定 %d 会議室 %d\",255,4,0,1,99,99\r\n", year, month, day,
                 kWeekdays[DayOfWeek(year, month, day)], n / kDays, n % 97);
        csv += line;
        AddDaysInt(&year, &month, &day, 1);
    }
    return csv;
}

// The rounds of the exchange rows: each round exports the store as LZH and imports that archive into an empty
// store, then exports the store as CSV and imports the CSV of records into an empty store.
void MeasureExchange(const MemoSettings* memo, const char* programDir, const std::string& scratch, int rounds)
{
    CreateThread(nullptr, 0, AnswerMessages, nullptr, 0, nullptr);
    std::string csvPath = scratch + "\\records.csv";
    std::string csv = MakeCsv(kCsvRecords);
    if (!WriteWholeFile(csvPath.c_str(), csv.data(), (DWORD)csv.size(), nullptr)) {
        printf("the CSV could not be written\n");
        return;
    }
    SYSTEMTIME first = {}, end = {};
    first.wYear = 2016, first.wMonth = 1, first.wDay = 1;
    end.wYear = 2025, end.wMonth = 12, end.wDay = 31;
    Timings lzhExport, lzhImport, csvExport, csvImport;
    unsigned long archiveBytes = 0;
    unsigned long long backBytes = 0;
    for (int round = 0; round < rounds; round++) {
        MemoExchangePlace place = {memo, nullptr, programDir};
        std::string archive = scratch + "\\store.lzh";
        LARGE_INTEGER from = Now();
        ExportMemoToFile(&place, archive.c_str(), &first, &end, MEMO_EXPORT_LZH);
        lzhExport.Times.push_back(Milliseconds(from, Now()));
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        if (!GetFileAttributesExA(archive.c_str(), GetFileExInfoStandard, &data)) {
            printf("no archive was written (is PlugIn\\unlha32.dll in %s?)\n", programDir);
            return;
        }
        archiveBytes = data.nFileSizeLow;

        static MemoSettings empty;
        std::string emptyDir = scratch + "\\imported";
        CreateDirectoryA(emptyDir.c_str(), nullptr);
        SafeStrCpy(empty.MemoDir, sizeof(empty.MemoDir), emptyDir.c_str());
        place.Memo = &empty;
        from = Now();
        ImportMemoFile(&place, archive.c_str(), nullptr);
        lzhImport.Times.push_back(Milliseconds(from, Now()));
        backBytes = FolderBytes(emptyDir);
        RemoveFolder(emptyDir);
        DeleteFileA(archive.c_str());

        place.Memo = memo;
        std::string exported = scratch + "\\store.csv";
        from = Now();
        ExportMemoToFile(&place, exported.c_str(), &first, &end, MEMO_EXPORT_CSV);
        csvExport.Times.push_back(Milliseconds(from, Now()));
        DeleteFileA(exported.c_str());

        CreateDirectoryA(emptyDir.c_str(), nullptr);
        place.Memo = &empty;
        from = Now();
        ImportMemoFile(&place, csvPath.c_str(), nullptr);
        csvImport.Times.push_back(Milliseconds(from, Now()));
        RemoveFolder(emptyDir);
        printf("round %d: LZH export %.0f ms, import %.0f ms; CSV export %.0f ms, import %.0f ms\n", round + 1,
               lzhExport.Times.back(), lzhImport.Times.back(), csvExport.Times.back(), csvImport.Times.back());
    }
    unsigned long long storeBytes = FolderBytes(memo->MemoDir);
    printf("LZH archive of %d day files, %d rounds: %lu bytes of a %llu-byte store (%.1f %%), %llu bytes back\n",
           kDays, rounds, archiveBytes, storeBytes, 100.0 * archiveBytes / (double)storeBytes, backBytes);
    Report("LZH import into an empty store", lzhImport, "LZH export of the store", lzhExport);
    printf("Own CSV of %d records (%zu bytes), %d rounds\n", kCsvRecords, csv.size(), rounds);
    Report("CSV import into an empty store", csvImport, "CSV export of the store", csvExport);
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
    int rounds = argc > 3 ? atoi(argv[3]) : kDefaultRounds;
    TempFolder scratch;
    if (scratch.Create("daylens-memo-exchange-bench"))
        MeasureExchange(&memo, programDir, scratch.Dir(), rounds < 1 ? 1 : rounds);
    return 0;
}

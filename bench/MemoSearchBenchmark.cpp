// How long the memo search takes over ten years of daily memos (3,650 day files) in a fresh memo folder, for each
// kind of search, several runs each:
//   memo_search_benchmark.exe [runs]
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "DateUtil.h"
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
    return 0;
}

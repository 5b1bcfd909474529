#include "MemoSearch.h"

#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <algorithm>

#include "DateUtil.h"
#include "DayMemoStore.h"
#include "HeapUtil.h"
#include "MemoWriter.h"
#include "Sjis.h"
#include "StrUtil.h"

namespace {

const char kLineBreak[] = "\r\n";

size_t CharLength(const char* p)
{
    return IsSjisLeadByte((unsigned char)p[0]) && p[1] != '\0' ? 2 : 1;
}

bool BeginsWith(const char* text, const std::string& part)
{
    return strncmp(text, part.c_str(), part.size()) == 0;
}

// The text's last characters are part: part must begin on a character boundary of the text.
bool EndsWith(const char* text, size_t length, const std::string& part)
{
    if (part.size() > length)
        return false;
    size_t at = length - part.size();
    size_t p = 0;
    while (p < at)
        p += CharLength(text + p);
    return p == at && memcmp(text + at, part.data(), part.size()) == 0;
}

bool Contains(const char* text, const std::string& part)
{
    return FindStr(text, part.c_str()) != nullptr;
}

bool LineMatches(const std::string& line, const std::string& word, int atLineStart, int atLineEnd)
{
    if (atLineStart == 1 && atLineEnd == 1)
        return line == word;
    if (atLineStart == 1)
        return BeginsWith(line.c_str(), word);
    if (atLineEnd == 1)
        return EndsWith(line.c_str(), line.size(), word);
    return Contains(line.c_str(), word);
}

// The memo's lines end in CR LF; its first line begins the text and its last line ends it.
bool MemoMatches(const char* text, const std::string& word, int atLineStart, int atLineEnd)
{
    size_t length = strlen(text);
    std::string before = kLineBreak + word;
    std::string after = word + kLineBreak;
    if (atLineStart == 1 && atLineEnd == 1)
        return word == text || BeginsWith(text, after) || Contains(text, kLineBreak + after) ||
               EndsWith(text, length, before);
    if (atLineStart == 1)
        return BeginsWith(text, word) || Contains(text, before);
    if (atLineEnd == 1)
        return Contains(text, after) || EndsWith(text, length, word);
    return Contains(text, word);
}

// The memo with its line breaks as blanks.
std::string OneLine(const char* text)
{
    std::string line = text;
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line;
}

bool WithinLimits(const MemoSearchQuery& query, int year, int month, int day)
{
    int key = MemoDateKey(year, month, day);
    return (query.FirstDate == 0 || key >= query.FirstDate) && (query.EndDate == 0 || key <= query.EndDate);
}

void SearchDay(const char* path, int year, int month, int day, const MemoStoreSettings& store,
               const MemoSearchQuery& query, std::vector<MemoSearchHit>& hits)
{
    char* text = ReadDayMemoText(path, year, month, day, &store, nullptr, 0);
    if (!text)
        return;
    if (query.ByLine == 1) {
        std::string line;
        int first = 1;
        for (int from = 0;; first = 0) {
            int found = SearchMemoText(text, query.Word, query.AtLineStart, query.AtLineEnd, from, &line);
            if (found < 0)
                break;
            hits.push_back({year, month, day, first, line});
            from = found + 1;
        }
    } else if (SearchMemoText(text, query.Word, query.AtLineStart, query.AtLineEnd, -1, nullptr) == 0) {
        hits.push_back({year, month, day, 1, OneLine(text)});
    }
    HeapFree(GetProcessHeap(), 0, text);
}

// The names of the folder's "*.txt" files in name order, so that the hits come by date.
std::vector<std::string> MemoFileNames(const char* folder)
{
    std::vector<std::string> names;
    std::string pattern = std::string(folder) + "\\*.txt";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

int MemoDateKey(int year, int month, int day)
{
    return year * 512 + month * 32 + day;
}

int SearchMemoText(const char* text, const char* word, int atLineStart, int atLineEnd, int firstLine,
                   std::string* line)
{
    if (!text || !word || !*word)
        return -1;
    std::string part = word;
    if (firstLine < 0)
        return MemoMatches(text, part, atLineStart, atLineEnd) ? 0 : -1;
    // Lines of any length: each is gathered whole before it is compared.
    std::string current;
    int number = 0;
    for (size_t p = 0;; p++) {
        char c = text[p];
        if (c != '\0' && c != '\n' && p < MEMO_SEARCH_TEXT_LIMIT) {
            if (c != '\r')
                current += c;
            continue;
        }
        if (number >= firstLine && LineMatches(current, part, atLineStart, atLineEnd)) {
            if (line)
                *line = current;
            return number;
        }
        if (c != '\n' || p >= MEMO_SEARCH_TEXT_LIMIT)
            return -1;
        current.clear();
        number++;
    }
}

std::vector<MemoSearchHit> SearchMemoStore(const MemoSettings* memo, const MemoSearchQuery& query)
{
    std::vector<MemoSearchHit> hits;
    if (!memo || !query.Word || !*query.Word)
        return hits;
    MemoStoreSettings store = MemoStoreOf(memo);
    for (const std::string& name : MemoFileNames(memo->MemoDir)) {
        std::string path = std::string(memo->MemoDir) + "\\" + name;
        long year = 0, month = 0, day = 0;
        int read = sscanf(name.c_str(), "%4ld%2ld%2ld.txt", &year, &month, &day);
        if (read == 3) {
            if (WithinLimits(query, (int)year, (int)month, (int)day))
                SearchDay(path.c_str(), (int)year, (int)month, (int)day, store, query, hits);
            continue;
        }
        if (sscanf(name.c_str(), "%4ld%2ld.txt", &year, &month) != 2)
            continue;
        int days = DaysInMonth((int)year, (int)month);
        for (int d = 1; d <= days; d++) {
            if (WithinLimits(query, (int)year, (int)month, d))
                SearchDay(path.c_str(), (int)year, (int)month, d, store, query, hits);
        }
    }
    return hits;
}

int AddMemoSearchHistory(MemoSettings* memo, const char* word)
{
    if (!memo || !word || !*word)
        return 0;
    char** history = memo->MemoSearch;
    int at = 0;
    while (at < MEMO_SEARCH_HISTORY_COUNT && history[at] && strcmp(history[at], word) != 0)
        at++;
    char* front = nullptr;
    if (at < MEMO_SEARCH_HISTORY_COUNT && history[at]) {
        front = history[at];
    } else {
        if (!(front = StrDupHeap(word)))
            return 0;
        at = MEMO_SEARCH_HISTORY_COUNT - 1;
        if (history[at])
            HeapFree(GetProcessHeap(), 0, history[at]);
    }
    memmove(history + 1, history, at * sizeof(history[0]));
    history[0] = front;
    return 1;
}

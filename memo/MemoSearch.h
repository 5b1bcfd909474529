// The memo search: a word in the memos of the memo folder, anywhere, at line starts, at line ends or as whole lines,
// line by line or memo by memo, within an optional date range; and the history of the words searched.
#pragma once

#include <string>
#include <vector>

#include "MemoSettings.h"

// Characters of a memo that the line-by-line search looks at.
#define MEMO_SEARCH_TEXT_LIMIT 0xFFFFF
// Bytes of a search word.
#define MEMO_SEARCH_WORD_SIZE 1024

struct MemoSearchQuery {
    const char* Word;
    int AtLineStart;  // 1: the word begins a line
    int AtLineEnd;    // 1: the word ends a line; with AtLineStart the line is the word
    int ByLine;       // 1: a hit per matching line, 0: a hit per matching memo
    int FirstDate;    // MemoDateKey of the earliest date searched, 0 for no limit
    int EndDate;      // MemoDateKey of the latest date searched, 0 for no limit
};

struct MemoSearchHit {
    int Year;
    int Month;
    int Day;
    int FirstOfDay;    // 1 for the day's first hit
    std::string Text;  // the matching line, or the whole memo with its line breaks as blanks
};

// The key dates are compared by: year * 512 + month * 32 + day.
int MemoDateKey(int year, int month, int day);

// Searches text for word. With firstLine 0 or more, line by line from that line (lines end at LF, CR is dropped):
// the number of the first matching line, copied to line when it is given, or -1. With firstLine below 0, the whole
// memo (its lines ending in CR LF): 0 when it matches, else -1. -1 for a null or empty text or word.
int SearchMemoText(const char* text, const char* word, int atLineStart, int atLineEnd, int firstLine,
                   std::string* line);

// Every hit in the memo folder of memo, file by file in name order ("YYYYMMDD.txt" day files and "YYYYMM.txt"
// month files; other files are passed over), day by day within each month file.
std::vector<MemoSearchHit> SearchMemoStore(const MemoSettings* memo, const MemoSearchQuery& query);

// Puts word at the front of memo's search history: an equal entry moves there, otherwise the oldest of a full
// history is dropped. 1, or 0 for an empty word or when the copy could not be made (the history is then unchanged).
int AddMemoSearchHistory(MemoSettings* memo, const char* word);

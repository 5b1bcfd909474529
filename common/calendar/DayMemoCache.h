// The day memos of the months the calendar shows, kept between its refreshes: a month's memo files are read once and
// read again only when a file's write time or size changed, so a refresh reads nothing it read before and nothing
// twice. A file written within the last seconds is read again all the same: a coarse file-system clock could give a
// later change the same write time. The months around the view can be read ahead on a thread of the cache's own, so
// that a step to them finds their files read (and still checked against them).
#pragma once

#include "DayMemoStore.h"

struct DayMemoCache;

// An empty cache; null without memory. The caller frees it with FreeDayMemoCache.
DayMemoCache* CreateDayMemoCache();
// Frees the cache and everything it holds (null does nothing).
void FreeDayMemoCache(DayMemoCache* cache);

// Starts a pass over the calendar: each month is checked against its files once, at its first use in the pass.
void BeginDayMemoPass(DayMemoCache* cache);
// The memo of a day as ReadDayMemoText(nullptr, year, month, day, settings, out, singleLine) gives it, through the
// cache (a cache of another memo folder or file mode starts afresh). Null when the day has none; the caller frees
// the text with HeapFree.
char* CachedDayMemoText(DayMemoCache* cache, const MemoStoreSettings* settings, int year, int month, int day,
                        DayMemoRecord* out, int singleLine);

// Reads ahead, on the cache's own thread, the memo files of the months around the view of count months from year
// and month on (as many on either side, at most a year) that the cache does not hold; a later call replaces what is
// still to be read. FreeDayMemoCache stops the thread.
void ReadAheadDayMemos(DayMemoCache* cache, const MemoStoreSettings* settings, int year, int month, int count);
// 1 while the read-ahead is still reading for its last request.
int DayMemoReadAheadBusy(DayMemoCache* cache);

// The read-ahead's wait for a request that follows closely (its pause of 50 ms) goes through this; tests replace it
// to count the pauses. Null restores the default; returns the previous one.
typedef DWORD (*DayMemoPauseProc)(HANDLE wake, DWORD milliseconds);
DayMemoPauseProc SetDayMemoPauseProc(DayMemoPauseProc proc);

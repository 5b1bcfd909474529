// The day memos of the months the calendar shows, kept between its refreshes: a month's memo files are read once and
// read again only when a file's write time or size changed, so a refresh reads nothing it read before and nothing
// twice. A file written within the last seconds is read again all the same: a coarse file-system clock could give a
// later change the same write time.
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

// The headed texts a popup shows: up to POPUPVIEW_MAX_ENTRIES pairs of process-heap copies (heading, body), either
// of which may be null.
#pragma once

#define POPUPVIEW_MAX_ENTRIES 100

struct PopupViewEntries {
    char* Headings[POPUPVIEW_MAX_ENTRIES];
    char* Bodies[POPUPVIEW_MAX_ENTRIES];
    int Count;
};

// Frees every text and empties the table.
void ClearPopupEntries(PopupViewEntries* entries);
// Appends copies of heading and body (null for empty texts); 0 for a null body or a full table.
int AppendPopupEntry(PopupViewEntries* entries, const char* heading, const char* body);
// Empties the table, then adds the texts of an opening popup: body1 under heading1 (default "今日のメモ") and
// body2 under heading2 (default "今日は何の日？"), each only when the body is not empty. The new count.
int SetOpeningPopupEntries(PopupViewEntries* entries, const char* heading1, const char* body1, const char* heading2,
                           const char* body2);

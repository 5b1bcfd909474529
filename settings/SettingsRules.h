// The settings dialog's logic apart from its windows: what Apply hands from the working copy to the live record,
// the working copy itself, the limits the pages keep numbers to, the user's name lists, and the help topic of a tab.
#pragma once

#include <windows.h>

#include <stddef.h>

class EnvData;

// Slots of the page table; the dialog has SETTINGS_PAGE_COUNT pages in the first slots.
#define SETTINGS_PAGE_SLOTS 20
#define SETTINGS_PAGE_COUNT 14
// The joining text of year and month: up to 20 bytes and the terminator.
#define YM_LINK_TEXT_MAX 20

// Copies the persisted settings of source (the working copy) into target (the live record): the settings part of
// the record with its own copies of the name lists, the user marks and the hourly alarm. The run-time part of target
// (windows, DCs, bitmaps, region, menus, tooltips, day cells, dates, plug-in pointers, preview handle) and its
// computed window size, applied alpha, key colour and last shown month stay as they are. 0, with target unchanged,
// when source or target is null or memory is short.
int CopyPersistedSettings(EnvData* target, const EnvData* source);

// A heap copy of live for the dialog to edit, owning its own blocks and sharing none of live's tooltip window, tools,
// back buffer, region, menus or preview handle; null when memory is short (nothing is kept then). The caller frees
// it with DeleteWorkingCopy.
EnvData* NewWorkingCopy(const EnvData* live);
// Frees the copy and everything it owns; null is allowed.
void DeleteWorkingCopy(EnvData* work);

// A count typed into a byte field: its low 8 bits, at most upper, and 0 becomes 1.
BYTE LimitCountByte(unsigned int number, int upper);
int LimitInt(int value, int minimum, int maximum);

// The slot to show for a stored tab: tab itself when it has a page, else 0.
int ShownPageSlot(int tab, const HWND* slots);

// The help topic of tab into topic: an anchor per tab for the first nine tabs, the page alone after them.
void SettingsHelpTopic(int tab, char* topic, size_t size);

// A name list as an edit control gives it (any length): a heap copy of it cut to the bytes a list may have
// (USER_NAME_LIST_MAX - 1) on a character boundary, replacing old; null for an empty text. The caller frees it with
// HeapFree.
char* ReplaceNameList(char* old, const char* text);
// Fills the count slots of a user name row from list (comma-separated), freeing their previous names; slots beyond
// the list's pieces become empty. A null row is left alone.
void RefillNameRow(char** row, int count, const char* list);

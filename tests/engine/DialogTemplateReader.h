// Dialog templates read back from the built language module, and what the
// tests of them share: DLGTEMPLATE and DLGTEMPLATEEX parsing, the kind of each
// control, creating the dialogs on the test display, measuring their texts and
// saving screenshots (with DAYLENS_SHOT_DIR set, as <template number>.bmp).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#define LANGUAGE_MODULE_PATH DAYLENS_DIST_DIR "/Daylens.Jpn.dll"

struct TemplateControl {
    DWORD id = 0;  // an unnamed control reads as 0xFFFFFFFF in both template forms
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring className;  // lower case; predefined classes by name
    std::wstring text;
};

struct DialogTemplate {
    bool extended = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring caption;
    int points = 0;
    std::wstring face;
    std::vector<TemplateControl> controls;
};

// Parses a dialog resource; false when it is cut short.
bool ParseDialogTemplate(const BYTE* data, size_t size, DialogTemplate* dialog);
// The Japanese template id of module; false when missing or cut short.
bool LoadDialogTemplate(HMODULE module, int id, DialogTemplate* dialog);

enum class Ctl { Label, Group, Button, DefButton, OwnerDraw, Check, Radio, Edit, DropList, DropDown,
                 ListView, ListBox, UpDown, DatePicker, TimePicker, Tab, Other };

Ctl KindOf(const TemplateControl& c);
const char* KindName(Ctl kind);
// Radio groups start with WS_GROUP, number their buttons one after the other
// and end where a control starts a new group; an up-down follows its edit.
void ExpectRadioGroupsAndUpDowns(const DialogTemplate& dialog);

// Text conversions: code page 932 and, for messages, UTF-8.
std::string Ansi(const std::wstring& text);
std::wstring Wide(const char* sjis);
std::string Utf8(const std::wstring& text);
std::string Utf8(const char* sjis);

// The common control classes the templates use.
bool InitDialogControls();
// A dialog procedure that does nothing but draw owner-drawn buttons with their texts.
INT_PTR CALLBACK OwnerDrawDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void PumpMessages();
// A plain captioned window to hold a page, and sizing it to the page.
HWND CreatePageHolder(const char* title);
void FitHolderToPage(HWND holder, HWND page);
// Inserts the labels as tabs; false when one is refused.
bool InsertTabs(HWND tab, const char* const* labels, int count);
// The area the tab control leaves for pages, in its parent's client coordinates.
RECT TabPageArea(HWND tab);

// The extent of text in the control's font, and optionally the font's metrics.
SIZE TextSize(HWND control, const std::string& text, TEXTMETRICA* metrics = nullptr);

// Saves the screen under a window as <DAYLENS_SHOT_DIR>/<number>.bmp when that is set.
void SaveShot(HWND window, int number);

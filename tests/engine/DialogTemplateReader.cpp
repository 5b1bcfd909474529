#include "DialogTemplateReader.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwctype>

#include "TestWindow.h"

namespace {

class TemplateReader {
public:
    TemplateReader(const BYTE* data, size_t size) : start(data), at(data), end(data + size) {}

    bool Word(WORD* value) { return Raw(value, sizeof(*value)); }
    bool DWord(DWORD* value) { return Raw(value, sizeof(*value)); }
    bool Short(short* value) { return Raw(value, sizeof(*value)); }
    bool Byte(BYTE* value) { return Raw(value, sizeof(*value)); }

    bool AlignDWord()
    {
        size_t offset = static_cast<size_t>(at - start);
        size_t pad = (4 - offset % 4) % 4;
        if (static_cast<size_t>(end - at) < pad)
            return false;
        at += pad;
        return true;
    }

    bool String(std::wstring* text)
    {
        text->clear();
        for (;;) {
            WORD c;
            if (!Word(&c))
                return false;
            if (!c)
                return true;
            text->push_back(static_cast<wchar_t>(c));
        }
    }

    // A string, or 0xFFFF and an ordinal.
    bool StringOrOrdinal(std::wstring* text, WORD* ordinal)
    {
        *ordinal = 0;
        WORD first;
        if (!Raw(&first, sizeof(first), false))
            return false;
        if (first == 0xFFFF) {
            text->clear();
            return Word(&first) && Word(ordinal);
        }
        return String(text);
    }

    bool Skip(size_t bytes)
    {
        if (static_cast<size_t>(end - at) < bytes)
            return false;
        at += bytes;
        return true;
    }

private:
    bool Raw(void* value, size_t size, bool advance = true)
    {
        if (static_cast<size_t>(end - at) < size)
            return false;
        memcpy(value, at, size);
        if (advance)
            at += size;
        return true;
    }

    const BYTE* start;
    const BYTE* at;
    const BYTE* end;
};

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(towlower(c));
    return text;
}

std::wstring PredefinedClass(WORD atom)
{
    switch (atom) {
    case 0x80: return L"button";
    case 0x81: return L"edit";
    case 0x82: return L"static";
    case 0x83: return L"listbox";
    case 0x84: return L"scrollbar";
    case 0x85: return L"combobox";
    default: return L"#" + std::to_wstring(atom);
    }
}

bool ReadControl(TemplateReader& r, bool extended, TemplateControl* c)
{
    DWORD helpId;
    if (!r.AlignDWord())
        return false;
    if (extended) {
        if (!r.DWord(&helpId) || !r.DWord(&c->exStyle) || !r.DWord(&c->style))
            return false;
    } else if (!r.DWord(&c->style) || !r.DWord(&c->exStyle)) {
        return false;
    }
    if (!r.Short(&c->x) || !r.Short(&c->y) || !r.Short(&c->cx) || !r.Short(&c->cy))
        return false;
    if (extended) {
        if (!r.DWord(&c->id))
            return false;
    } else {
        short id;
        if (!r.Short(&id))
            return false;
        c->id = static_cast<DWORD>(static_cast<int>(id));
    }
    WORD atom, textOrdinal, extra;
    if (!r.StringOrOrdinal(&c->className, &atom) || !r.StringOrOrdinal(&c->text, &textOrdinal))
        return false;
    c->className = atom ? PredefinedClass(atom) : Lower(c->className);
    return r.Word(&extra) && r.Skip(extra);
}

}  // namespace

bool ParseDialogTemplate(const BYTE* data, size_t size, DialogTemplate* dialog)
{
    TemplateReader r(data, size);
    WORD version = 0, signature = 0, count = 0;
    r.Word(&version);
    r.Word(&signature);
    dialog->extended = version == 1 && signature == 0xFFFF;
    r = TemplateReader(data, size);
    if (dialog->extended) {
        DWORD helpId;
        if (!r.Skip(4) || !r.DWord(&helpId) || !r.DWord(&dialog->exStyle) || !r.DWord(&dialog->style))
            return false;
    } else if (!r.DWord(&dialog->style) || !r.DWord(&dialog->exStyle)) {
        return false;
    }
    if (!r.Word(&count) || !r.Short(&dialog->x) || !r.Short(&dialog->y) || !r.Short(&dialog->cx) ||
        !r.Short(&dialog->cy))
        return false;
    std::wstring menu, windowClass;
    WORD ordinal;
    if (!r.StringOrOrdinal(&menu, &ordinal) || !r.StringOrOrdinal(&windowClass, &ordinal) ||
        !r.String(&dialog->caption))
        return false;
    if (dialog->style & (DS_SETFONT | DS_SHELLFONT)) {
        WORD points, weight;
        BYTE italic, charset;
        if (!r.Word(&points))
            return false;
        if (dialog->extended && (!r.Word(&weight) || !r.Byte(&italic) || !r.Byte(&charset)))
            return false;
        dialog->points = points;
        if (!r.String(&dialog->face))
            return false;
    }
    dialog->controls.resize(count);
    for (TemplateControl& c : dialog->controls)
        if (!ReadControl(r, dialog->extended, &c))
            return false;
    return true;
}

bool LoadDialogTemplate(HMODULE module, int id, DialogTemplate* dialog)
{
    HRSRC found = FindResourceExA(module, RT_DIALOG, MAKEINTRESOURCEA(id), MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
    if (!found)
        return false;
    const BYTE* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    return bytes && ParseDialogTemplate(bytes, SizeofResource(module, found), dialog);
}

Ctl KindOf(const TemplateControl& c)
{
    const std::wstring& cls = c.className;
    if (cls == L"button") {
        switch (c.style & BS_TYPEMASK) {
        case BS_PUSHBUTTON: return Ctl::Button;
        case BS_DEFPUSHBUTTON: return Ctl::DefButton;
        case BS_CHECKBOX: case BS_AUTOCHECKBOX: return Ctl::Check;
        case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON: return Ctl::Radio;
        case BS_GROUPBOX: return Ctl::Group;
        case BS_OWNERDRAW: return Ctl::OwnerDraw;
        default: return Ctl::Other;
        }
    }
    if (cls == L"static")
        return Ctl::Label;
    if (cls == L"edit")
        return Ctl::Edit;
    if (cls == L"listbox")
        return Ctl::ListBox;
    if (cls == L"combobox") {
        DWORD type = c.style & 3;
        return type == CBS_DROPDOWNLIST ? Ctl::DropList : type == CBS_DROPDOWN ? Ctl::DropDown : Ctl::Other;
    }
    if (cls == L"syslistview32")
        return Ctl::ListView;
    if (cls == L"msctls_updown32")
        return Ctl::UpDown;
    if (cls == L"systabcontrol32")
        return Ctl::Tab;
    if (cls == L"sysdatetimepick32")
        return (c.style & DTS_TIMEFORMAT) == DTS_TIMEFORMAT ? Ctl::TimePicker : Ctl::DatePicker;
    return Ctl::Other;
}

const char* KindName(Ctl kind)
{
    static const char* const names[] = {"label", "group", "button", "default button", "owner-drawn button",
                                        "check box", "radio button", "edit", "drop-down list", "drop-down",
                                        "list view", "list box", "up-down", "date picker", "time picker",
                                        "tab", "other"};
    return names[static_cast<int>(kind)];
}

void ExpectRadioGroupsAndUpDowns(const DialogTemplate& dialog)
{
    const std::vector<TemplateControl>& cs = dialog.controls;
    for (size_t i = 0; i < cs.size(); i++) {
        Ctl kind = KindOf(cs[i]);
        if (kind == Ctl::Radio) {
            // So that CheckRadioButton and id - first work.
            bool starts = (cs[i].style & WS_GROUP) != 0;
            bool follows = i > 0 && KindOf(cs[i - 1]) == Ctl::Radio && !starts;
            EXPECT_TRUE(starts || follows) << "radio " << cs[i].id << " outside a group";
            if (follows) {
                EXPECT_EQ(cs[i].id, cs[i - 1].id + 1) << "radio group not contiguous";
            }
            if (i + 1 < cs.size() && KindOf(cs[i + 1]) != Ctl::Radio) {
                EXPECT_TRUE(cs[i + 1].style & WS_GROUP) << "control " << cs[i + 1].id << " joins radio group";
            }
        }
        if (kind == Ctl::UpDown) {
            // Attached to the edit before it.
            EXPECT_TRUE(cs[i].style & UDS_AUTOBUDDY);
            EXPECT_TRUE(i > 0 && KindOf(cs[i - 1]) == Ctl::Edit) << "up-down " << cs[i].id << " without its edit";
        }
    }
}

std::string Ansi(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    int n = WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

std::wstring Wide(const char* sjis)
{
    int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, sjis, -1, nullptr, 0);
    if (n <= 0)
        return L"<not Shift-JIS>";
    std::wstring text(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, sjis, -1, &text[0], n);
    text.resize(static_cast<size_t>(n - 1));
    return text;
}

// For messages: UTF-8, as the test log is read.
std::string Utf8(const std::wstring& text)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &out[0], n, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

std::string Utf8(const char* sjis) { return Utf8(Wide(sjis)); }

bool InitDialogControls()
{
    typedef BOOL(WINAPI * InitFn)(const INITCOMMONCONTROLSEX*);
    HMODULE comctl = LoadLibraryA("comctl32.dll");
    InitFn init = comctl ? reinterpret_cast<InitFn>(GetProcAddress(comctl, "InitCommonControlsEx")) : nullptr;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS |
                                                 ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
    return init && init(&icc);
}

INT_PTR CALLBACK OwnerDrawDialogProc(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_DRAWITEM) {
        const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        RECT rc = item->rcItem;
        DrawFrameControl(item->hDC, &rc, DFC_BUTTON, DFCS_BUTTONPUSH);
        char text[256] = "";
        GetWindowTextA(item->hwndItem, text, sizeof(text));
        HGDIOBJ old = SelectObject(item->hDC, reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
        SetBkMode(item->hDC, TRANSPARENT);
        DrawTextA(item->hDC, text, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(item->hDC, old);
        return TRUE;
    }
    return FALSE;
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

HWND CreatePageHolder(const char* title)
{
    static const char kClass[] = "DaylensTemplateTestHolder";
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = kClass;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        registered = RegisterClassA(&wc) != 0;
    }
    return CreateWindowExA(0, kClass, title, WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN, 20, 20, 200, 200,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

void FitHolderToPage(HWND holder, HWND page)
{
    RECT rc;
    GetWindowRect(page, &rc);
    RECT outer = {0, 0, rc.right - rc.left, rc.bottom - rc.top};
    AdjustWindowRect(&outer, static_cast<DWORD>(GetWindowLongA(holder, GWL_STYLE)), FALSE);
    SetWindowPos(holder, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER);
}

bool InsertTabs(HWND tab, const char* const* labels, int count)
{
    for (int i = 0; i < count; i++) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(labels[i]);
        if (SendMessageA(tab, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)) != i)
            return false;
    }
    return true;
}

RECT TabPageArea(HWND tab)
{
    RECT area;
    GetClientRect(tab, &area);
    SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    MapWindowPoints(tab, GetParent(tab), reinterpret_cast<POINT*>(&area), 2);
    return area;
}

SIZE TextSize(HWND control, const std::string& text, TEXTMETRICA* metrics)
{
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    if (metrics)
        GetTextMetricsA(dc, metrics);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size;
}

void SaveShot(HWND window, int number)
{
    const char* dir = getenv("DAYLENS_SHOT_DIR");
    if (!dir || !*dir)
        return;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
    // A Unix path names a folder on Wine's drive Z:.
    std::string path = std::string(dir[0] == '/' ? "Z:" : "") + dir + "/" + std::to_string(number) + ".bmp";
    EXPECT_TRUE(SaveWindowShot(window, path.c_str())) << path;
}

#include "Transparency.h"

#include "ScopedLibrary.h"
#include "UpDownControl.h"
#include "WindowsVersion.h"

namespace {

typedef BOOL(WINAPI* SetLayeredWindowAttributesProc)(HWND, COLORREF, BYTE, DWORD);
typedef BOOL(WINAPI* GetLayeredWindowAttributesProc)(HWND, COLORREF*, BYTE*, DWORD*);
typedef BOOL(WINAPI* UpdateLayeredWindowProc)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
                                              DWORD);
typedef BOOL(WINAPI* AnimateWindowProc)(HWND, DWORD, DWORD);

void SetLayeredStyle(HWND window, bool layered)
{
    LONG_PTR style = GetWindowLongPtrA(window, GWL_EXSTYLE);
    if (((style & WS_EX_LAYERED) != 0) == layered)
        return;
    SetWindowLongPtrA(window, GWL_EXSTYLE, layered ? (style | WS_EX_LAYERED) : (style & ~(LONG_PTR)WS_EX_LAYERED));
}

// Whether the window is layered with exactly these attributes. Setting them again costs the window system work (under
// Wine a new shape of the window whenever the key is set), and a fade sets them at every move of the pointer.
bool HasLayeredAttributes(HWND window, COLORREF key, BYTE alpha, DWORD flags)
{
    if (!(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_LAYERED))
        return false;
    ScopedLibrary user32("user32.dll");
    auto getAttributes = user32.Find<GetLayeredWindowAttributesProc>("GetLayeredWindowAttributes");
    COLORREF heldKey = 0;
    BYTE heldAlpha = 0;
    DWORD heldFlags = 0;
    if (!getAttributes || !getAttributes(window, &heldKey, &heldAlpha, &heldFlags) || heldFlags != flags)
        return false;
    return (!(flags & LWA_COLORKEY) || heldKey == key) && (!(flags & LWA_ALPHA) || heldAlpha == alpha);
}

void MakeLayered(HWND window, COLORREF key, BYTE alpha, DWORD flags)
{
    ScopedLibrary user32("user32.dll");
    auto setAttributes = user32.Find<SetLayeredWindowAttributesProc>("SetLayeredWindowAttributes");
    // A layered window whose attributes were never set is not drawn at all: without the call it stays as it is.
    if (!setAttributes || HasLayeredAttributes(window, key, alpha, flags))
        return;
    SetLayeredStyle(window, true);
    setAttributes(window, key, alpha, flags);
}

BYTE StartAlpha(const TransparencySettings* settings, int startFaded)
{
    if (startFaded == 1)
        return 0;
    BYTE fade = settings->TransparentAlphaMode;
    return (fade == 1 || fade == 3 || fade == 4) ? settings->TransparentAlpha : TRANS_ALPHA_MAX;
}

struct PageIds {
    int KindRadio;
    int FadeRadio;
    int AlphaUpDown;
    int AlphaEdit;
    int TimeUpDown;
    int TimeEdit;
};

void EnableItem(HWND dialog, int id, bool enable)
{
    HWND item = GetDlgItem(dialog, id);
    if (item)
        EnableWindow(item, enable);
}

// The pseudo-transparent kind is never layered, so it has no fading to set.
void EnablePageControls(HWND dialog, const PageIds& ids, const TransparencySettings* settings)
{
    bool fades = settings->TransMode != TRANS_MODE_PSEUDO;
    BYTE fade = settings->TransparentAlphaMode;
    for (int i = 0; i < TRANS_FADE_COUNT; i++)
        EnableItem(dialog, ids.FadeRadio + i, fades);
    bool alpha = fades && fade != TRANS_FADE_OFF;
    EnableItem(dialog, ids.AlphaEdit, alpha);
    EnableItem(dialog, ids.AlphaUpDown, alpha);
    bool time = alpha && fade != TRANS_FADE_NO_TIME;
    EnableItem(dialog, ids.TimeEdit, time);
    EnableItem(dialog, ids.TimeUpDown, time);
}

// The typed number limited to [low, high]; false while the edit holds no number, so a cleared field keeps the
// setting instead of storing 0.
bool ReadClampedNumber(HWND dialog, int id, int low, int high, int* value)
{
    BOOL ok = FALSE;
    int number = (int)GetDlgItemInt(dialog, id, &ok, TRUE);
    if (!ok)
        return false;
    *value = number < low ? low : (number > high ? high : number);
    return true;
}

bool InRange(int id, int first, int count)
{
    return id >= first && id < first + count;
}

}  // namespace

extern "C" {

int ApplyTransparency(HWND window, TransparencySettings* settings, int startFaded)
{
    if (!settings)
        return 0;
    BYTE mode = settings->TransMode;
    if (mode >= TRANS_MODE_COUNT)
        return 1;
    settings->Alpha = StartAlpha(settings, startFaded);
    if (mode == TRANS_MODE_PSEUDO || mode == TRANS_MODE_OPAQUE)
        SetLayeredAttributes(window, nullptr, nullptr);
    else
        SetLayeredAttributes(window, mode == TRANS_MODE_KEY_AND_ALPHA ? &settings->KeyColor : nullptr, settings);
    return 1;
}

int SetLayeredAttributes(HWND window, const COLORREF* key, const TransparencySettings* settings)
{
    if (!window)
        return 0;
    if (!key && !settings) {
        SetLayeredStyle(window, false);
        return 1;
    }
    DWORD flags = (key ? LWA_COLORKEY : 0) | (settings ? LWA_ALPHA : 0);
    MakeLayered(window, key ? *key : 0, settings ? settings->Alpha : 0, flags);
    return 1;
}

int ApplyLayeredSettings(HWND window, const TransparencySettings* settings)
{
    if (!window)
        return 0;
    if (!settings) {
        SetLayeredStyle(window, false);
        return 1;
    }
    DWORD flags = 0;
    if (settings->TransMode == TRANS_MODE_KEY_AND_ALPHA)
        flags |= LWA_COLORKEY;
    if (settings->TransMode != TRANS_MODE_PSEUDO && settings->TransparentAlphaMode != TRANS_FADE_OFF)
        flags |= LWA_ALPHA;
    MakeLayered(window, settings->KeyColor, settings->TransparentAlpha, flags);
    return 1;
}

int UpdateLayered(HWND window, HDC destination, HDC source)
{
    if (!window)
        return 0;
    ScopedLibrary user32("user32.dll");
    auto update = user32.Find<UpdateLayeredWindowProc>("UpdateLayeredWindow");
    if (!update)
        return 1;
    RECT rect;
    GetWindowRect(window, &rect);
    POINT position = {rect.left, rect.top};
    SIZE size = {rect.right - rect.left, rect.bottom - rect.top};
    POINT sourceOrigin = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    SetLayeredStyle(window, true);
    update(window, destination, &position, &size, source, &sourceOrigin, 0, &blend, ULW_ALPHA);
    return 1;
}

int EmptyKeyedShape(HWND window)
{
    if (!window || !RunsUnderWine() || !IsWindowVisible(window) ||
        !(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_LAYERED))
        return 0;
    ScopedLibrary user32("user32.dll");
    auto getAttributes = user32.Find<GetLayeredWindowAttributesProc>("GetLayeredWindowAttributes");
    COLORREF key = 0;
    DWORD flags = 0;
    if (!getAttributes || !getAttributes(window, &key, nullptr, &flags) || !(flags & LWA_COLORKEY))
        return 0;
    HDC dc = GetDC(window);
    if (!dc)
        return 0;
    RECT rect;
    GetClientRect(window, &rect);
    HBRUSH brush = CreateSolidBrush(key);
    if (brush) {
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
    }
    ReleaseDC(window, dc);
    // Wine hands a window's picture (and with it the key's shape) to the X server whenever the thread waits for
    // messages; this wait ends at once.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
    return brush ? 1 : 0;
}

int ShowWindowAnimated(HWND window, int tenths, DWORD flags)
{
    ScopedLibrary user32("user32.dll");
    auto animate = user32.Find<AnimateWindowProc>("AnimateWindow");
    if (animate)
        animate(window, (DWORD)tenths * 100, flags);
    return 1;
}

int InitTransparencyControls(HWND dialog, int kindRadio, int fadeRadio, int alphaUpDown, int alphaEdit,
                             int timeUpDown, int timeEdit, const TransparencySettings* settings)
{
    if (!settings)
        return 0;
    PageIds ids = {kindRadio, fadeRadio, alphaUpDown, alphaEdit, timeUpDown, timeEdit};
    CheckRadioButton(dialog, kindRadio, kindRadio + TRANS_MODE_COUNT - 1, kindRadio + settings->TransMode);
    CheckRadioButton(dialog, fadeRadio, fadeRadio + TRANS_FADE_COUNT - 1, fadeRadio + settings->TransparentAlphaMode);
    // Setting a range or position rewrites the buddy edit, whose change notice may store into these very
    // settings: take the values first.
    int alpha = settings->TransparentAlpha;
    int time = settings->TransparentAlphaTime;
    SetUpDownItem(dialog, alphaUpDown, 0, TRANS_ALPHA_MAX, alpha);
    SetUpDownItem(dialog, timeUpDown, 0, TRANS_TIME_MAX, time);
    EnablePageControls(dialog, ids, settings);
    return 1;
}

int OnTransparencyControl(HWND dialog, WPARAM wParam, int kindRadio, int fadeRadio, int alphaUpDown, int alphaEdit,
                          int timeUpDown, int timeEdit, TransparencySettings* settings)
{
    if (!settings)
        return 0;
    PageIds ids = {kindRadio, fadeRadio, alphaUpDown, alphaEdit, timeUpDown, timeEdit};
    int id = LOWORD(wParam);
    int code = HIWORD(wParam);
    if (InRange(id, kindRadio, TRANS_MODE_COUNT) || InRange(id, fadeRadio, TRANS_FADE_COUNT)) {
        if (code != BN_CLICKED)
            return 1;
        if (InRange(id, kindRadio, TRANS_MODE_COUNT))
            settings->TransMode = (BYTE)(id - kindRadio);
        else
            settings->TransparentAlphaMode = (BYTE)(id - fadeRadio);
        EnablePageControls(dialog, ids, settings);
        return 1;
    }
    int value = 0;
    if (id == alphaEdit) {
        if (code == EN_CHANGE && ReadClampedNumber(dialog, alphaEdit, 0, TRANS_ALPHA_MAX, &value))
            settings->TransparentAlpha = (BYTE)value;
        return 1;
    }
    if (id == timeEdit) {
        if (code == EN_CHANGE && ReadClampedNumber(dialog, timeEdit, 0, TRANS_TIME_MAX, &value))
            settings->TransparentAlphaTime = value;
        return 1;
    }
    return id == alphaUpDown || id == timeUpDown;
}

}  // extern "C"

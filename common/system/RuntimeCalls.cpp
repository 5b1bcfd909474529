#include "RuntimeCalls.h"

#include <mmsystem.h>
#include <stdio.h>

#include "ScopedLibrary.h"

namespace {

typedef HBITMAP(WINAPI* CreateDIBSectionProc)(HDC, const BITMAPINFO*, UINT, void**, HANDLE, DWORD);
typedef HIMC(WINAPI* ImmGetContextProc)(HWND);
typedef BOOL(WINAPI* ImmReleaseContextProc)(HWND, HIMC);
typedef BOOL(WINAPI* ImmSetOpenStatusProc)(HIMC, BOOL);
typedef BOOL(WINAPI* ImmGetOpenStatusProc)(HIMC);
typedef BOOL(WINAPI* PlaySoundAProc)(LPCSTR, HMODULE, DWORD);

const DWORD kSoundFlags = SND_FILENAME | SND_NOWAIT | SND_NODEFAULT | SND_ASYNC;
HBITMAP CreateDibSection(int width, int height, WORD bitsPerPixel, void** bits)
{
    if (!bits)
        return nullptr;
    *bits = nullptr;
    ScopedLibrary gdi32("gdi32.dll");
    auto create = gdi32.Find<CreateDIBSectionProc>("CreateDIBSection");
    if (!create)
        return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = create(screen, &info, DIB_RGB_COLORS, bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

}  // namespace

extern "C" {

HBITMAP CreateDibSection32(int width, int height, void** bits)
{
    return CreateDibSection(width, height, 32, bits);
}

HBITMAP CreateDibSection24(int width, int height, void** bits)
{
    return CreateDibSection(width, height, 24, bits);
}

int SetImeOpen(HWND window, int open)
{
    ScopedLibrary imm32("imm32.dll");
    auto getContext = imm32.Find<ImmGetContextProc>("ImmGetContext");
    auto setOpen = imm32.Find<ImmSetOpenStatusProc>("ImmSetOpenStatus");
    auto release = imm32.Find<ImmReleaseContextProc>("ImmReleaseContext");
    if (!getContext || !setOpen || !release)
        return 1;
    HIMC context = getContext(window);
    if (context) {
        setOpen(context, open ? TRUE : FALSE);
        release(window, context);
    }
    return 1;
}

int GetImeOpen(HWND window)
{
    ScopedLibrary imm32("imm32.dll");
    auto getContext = imm32.Find<ImmGetContextProc>("ImmGetContext");
    auto getOpen = imm32.Find<ImmGetOpenStatusProc>("ImmGetOpenStatus");
    auto release = imm32.Find<ImmReleaseContextProc>("ImmReleaseContext");
    if (!getContext || !getOpen || !release)
        return 0;
    HIMC context = getContext(window);
    if (!context)
        return 0;
    int open = getOpen(context) ? 1 : 0;
    release(window, context);
    return open;
}

int PlaySoundFile(const char* path)
{
    if (!path)
        return 1;
    // The sound goes on playing after PlaySoundA returns, from winmm's own code: the library is loaded once and
    // kept until the program ends, never released under a playing sound.
    static HMODULE winmm = LoadLibraryA("winmm.dll");
    auto play = winmm ? (PlaySoundAProc)GetProcAddress(winmm, "PlaySoundA") : nullptr;
    if (play)
        play(path, nullptr, kSoundFlags);
    return 1;
}

}  // extern "C"

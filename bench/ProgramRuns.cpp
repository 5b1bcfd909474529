#include "ProgramRuns.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>

#include "BenchClock.h"
#include "TempFolder.h"

void ParkPointer()
{
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 10, GetSystemMetrics(SM_CYSCREEN) - 10);
}

void WaitForTray(DWORD timeoutMs)
{
    HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
    DWORD_PTR answer = 0;
    if (tray)
        SendMessageTimeoutA(tray, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &answer);
}

HWND FindProcessWindow(const char* windowClass, DWORD processId)
{
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, windowClass, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId)
            return window;
    }
    return nullptr;
}

bool CapturePicture(const RECT& rect, ScreenPicture* picture)
{
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = memory && bitmap;
    if (ok) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != FALSE;
        GdiFlush();
        SelectObject(memory, old);
    }
    if (ok) {
        picture->Rect = rect;
        picture->Pixels.assign((DWORD*)bits, (DWORD*)bits + (size_t)width * height);
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (memory)
        DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

bool SamePicture(const ScreenPicture& a, const ScreenPicture& b)
{
    return EqualRect(&a.Rect, &b.Rect) && a.Pixels == b.Pixels;
}

// The part of picture inside rect (which must lie inside it).
ScreenPicture Crop(const ScreenPicture& picture, const RECT& rect)
{
    ScreenPicture part;
    part.Rect = rect;
    int width = picture.Rect.right - picture.Rect.left;
    for (int y = rect.top; y < rect.bottom; y++) {
        const DWORD* row = picture.Pixels.data() + (size_t)(y - picture.Rect.top) * width - picture.Rect.left;
        part.Pixels.insert(part.Pixels.end(), row + rect.left, row + rect.right);
    }
    return part;
}

bool CaptureScreen(ScreenPicture* picture)
{
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return CapturePicture(screen, picture);
}

bool SettledPicture(HWND window, const ScreenPicture& background, DWORD settleMs, DWORD timeoutMs,
                    ScreenPicture* picture)
{
    DWORD started = GetTickCount();
    ScreenPicture last;
    int same = 0;
    while (GetTickCount() - started < timeoutMs) {
        RECT rect, inside;
        ScreenPicture now;
        if (IsWindowVisible(window) && GetWindowRect(window, &rect) &&
            IntersectRect(&inside, &rect, &background.Rect) && EqualRect(&inside, &rect) &&
            CapturePicture(rect, &now)) {
            bool shown = now.Pixels != Crop(background, rect).Pixels;
            same = shown && SamePicture(now, last) ? same + 1 : 0;
            if (same == 2) {
                *picture = now;
                return true;
            }
            last = now;
        }
        Sleep(settleMs);
    }
    return false;
}

double WaitForPicture(const ScreenPicture& picture, LARGE_INTEGER from, DWORD timeoutMs)
{
    DWORD started = GetTickCount();
    ScreenPicture now;
    while (GetTickCount() - started < timeoutMs) {
        if (CapturePicture(picture.Rect, &now) && now.Pixels == picture.Pixels)
            return Milliseconds(from, Now());
        Sleep(1);
    }
    return -1;
}

bool StartProgram(const std::string& exe, const std::string& folder, RunningProgram* run)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    *run = RunningProgram();
    return CreateProcessA(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                          &run->Process) != FALSE;
}

bool WaitForWindow(RunningProgram* run, const char* windowClass, DWORD timeoutMs)
{
    DWORD started = GetTickCount();
    while (GetTickCount() - started < timeoutMs) {
        if (!run->Window)
            run->Window = FindProcessWindow(windowClass, run->Process.dwProcessId);
        if (run->Window && IsWindowVisible(run->Window))
            return true;
        Sleep(1);
    }
    return false;
}

double CloseAndWait(RunningProgram* run, DWORD timeoutMs)
{
    LARGE_INTEGER from = Now();
    double ended = -1;
    if (run->Window && PostMessageA(run->Window, WM_CLOSE, 0, 0) &&
        WaitForSingleObject(run->Process.hProcess, timeoutMs) == WAIT_OBJECT_0)
        ended = Milliseconds(from, Now());
    EndProgram(run);
    return ended;
}

void EndProgram(RunningProgram* run)
{
    if (!run->Process.hProcess)
        return;
    if (WaitForSingleObject(run->Process.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(run->Process.hProcess, 1);
        WaitForSingleObject(run->Process.hProcess, 5000);
    }
    CloseHandle(run->Process.hThread);
    CloseHandle(run->Process.hProcess);
    *run = RunningProgram();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n == 0 ? -1 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Best(const std::vector<double>& values)
{
    return values.empty() ? -1 : *std::min_element(values.begin(), values.end());
}

void PrintTimes(const char* name, const std::vector<double>& times)
{
    printf("  %-22s", name);
    for (double t : times)
        printf(" %6.1f", t);
    printf("   min %.1f, median %.1f ms\n", Best(times), Median(times));
}

int CountArgument(int argc, char** argv, int index, int fallback)
{
    int count = argc > index ? atoi(argv[index]) : fallback;
    return count < 1 ? fallback : count;
}

std::string FreshTempFolder(const char* name)
{
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof(temp), temp);
    std::string folder = std::string(temp) + name;
    RemoveFolder(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string UserSettingsPath(const std::string& folder)
{
    char user[256] = "";
    DWORD size = sizeof(user);
    GetUserNameA(user, &size);
    return folder + "\\Daylens-" + user + ".ini";
}

void WriteIniInt(const std::string& ini, const char* section, const char* key, int value)
{
    char text[16];
    snprintf(text, sizeof(text), "%d", value);
    WritePrivateProfileStringA(section, key, text, ini.c_str());
}

bool CopyProgram(const char* dist, const std::string& folder, int x, int y)
{
    if (!CopyFolder(dist, folder)) {
        printf("cannot copy %s to %s\n", dist, folder.c_str());
        return false;
    }
    std::string ini = UserSettingsPath(folder);
    WritePrivateProfileStringA("Daylens00", "Version", "1.20.01", ini.c_str());
    WriteIniInt(ini, "Daylens00", "WindowX", x);
    WriteIniInt(ini, "Daylens00", "WindowY", y);
    WriteIniInt(ini, "Daylens01", "DelayedStart", 0);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());
    return true;
}

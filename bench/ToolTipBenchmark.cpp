// What help tooltips for the controls of one dialog cost under Wine, made and destroyed many times over a window of
// 30 buttons: a tooltip window per control with a subclassing tool (CreateControlToolTip), one tooltip control with
// a subclassing tool per control, and one tooltip control whose tools the dialog relays to (SetDialogToolTips, once
// made and once only refilled):
//   tooltip_benchmark.exe [runs]
#include <windows.h>
#include <commctrl.h>

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <vector>

#include "BenchClock.h"
#include "ControlToolTip.h"

namespace {

const int kControls = 30;
const int kFirstId = 100;
const int kDefaultRuns = 20;
const char kText[] = "コントロールの働きを一文で説明します";

HWND MakeWindow(HINSTANCE instance)
{
    HWND window = CreateWindowExA(0, "#32770", "tooltip benchmark", WS_POPUP | WS_VISIBLE, 20, 20, 640, 400, nullptr,
                                  nullptr, instance, nullptr);
    for (int i = 0; i < kControls; i++) {
        CreateWindowExA(0, "BUTTON", "button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10 + (i % 5) * 120,
                        10 + (i / 5) * 60, 110, 40, window, (HMENU)(INT_PTR)(kFirstId + i), instance, nullptr);
    }
    return window;
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

double WindowPerControl(HINSTANCE instance, HWND window)
{
    LARGE_INTEGER from = Now();
    HWND tips[kControls];
    for (int i = 0; i < kControls; i++)
        tips[i] = CreateControlToolTip(instance, window, kFirstId + i, kText, 0);
    for (HWND tip : tips)
        DestroyWindow(tip);
    return Milliseconds(from, Now());
}

double OneControlSubclassing(HINSTANCE instance, HWND window)
{
    LARGE_INTEGER from = Now();
    HWND tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance,
                               nullptr);
    for (int i = 0; i < kControls; i++) {
        TOOLINFOA tool = {};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_SUBCLASS | TTF_TRANSPARENT;
        tool.hwnd = GetDlgItem(window, kFirstId + i);
        tool.lpszText = const_cast<char*>(kText);
        GetClientRect(tool.hwnd, &tool.rect);
        SendMessageA(tip, TTM_ADDTOOLA, 0, (LPARAM)&tool);
    }
    DestroyWindow(tip);
    return Milliseconds(from, Now());
}

ControlToolTipText s_texts[kControls];

double OneControlRelayed(HINSTANCE instance, HWND window, HWND* kept)
{
    LARGE_INTEGER from = Now();
    SetDialogToolTips(instance, window, kept, s_texts, kControls, 0);
    return Milliseconds(from, Now());
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n == 0 ? -1 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void Print(const char* name, const std::vector<double>& times)
{
    printf("%-40s best %7.2f ms, median %7.2f ms\n", name, *std::min_element(times.begin(), times.end()),
           Median(times));
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = argc > 1 ? atoi(argv[1]) : kDefaultRuns;
    if (runs < 1)
        runs = kDefaultRuns;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND window = MakeWindow(instance);
    for (int i = 0; i < kControls; i++)
        s_texts[i] = {kFirstId + i, kText};
    Pump();
    std::vector<double> perControl, subclassing, relayedNew, relayedRefill;
    HWND kept = nullptr;
    for (int run = 0; run < runs; run++) {
        perControl.push_back(WindowPerControl(instance, window));
        Pump();
        subclassing.push_back(OneControlSubclassing(instance, window));
        Pump();
        HWND fresh = nullptr;
        relayedNew.push_back(OneControlRelayed(instance, window, &fresh));
        DestroyDialogToolTips(&fresh);
        Pump();
        relayedRefill.push_back(OneControlRelayed(instance, window, &kept));
        Pump();
    }
    printf("help tooltips for %d controls, made and destroyed, %d runs:\n", kControls, runs);
    Print("a tooltip window per control", perControl);
    Print("one control, subclassing tools", subclassing);
    Print("one control, relayed tools, made", relayedNew);
    Print("one control, relayed tools, refilled", relayedRefill);
    DestroyDialogToolTips(&kept);
    DestroyWindow(window);
    return 0;
}

// What the day-memo window's template costs by itself against the version dialog's, both made from the language
// module in this process with a dialog procedure that does nothing, taking turns round by round:
//   dialog_template_benchmark.exe <dist folder> [rounds]
// "made" is the return of CreateDialogParam (the window and its controls); "painted" adds the show and the painting
// of the window and every control. For the day-memo template the making is also split by the control class that
// was being made, with the windows a control makes for itself (the mark list's drop-down, the picker's check box and
// month calendar) counted to that control.
#include <windows.h>
#include <commctrl.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "BenchClock.h"
#include "LanguageResources.h"
#include "ProgramRuns.h"

namespace {

const int kDefaultRounds = 20;
const int kMaxClasses = 16;

struct Subject {
    const char* Name;
    int Template;
    std::vector<double> Made;
    std::vector<double> Painted;
};

// The making of the day-memo dialog that runs now, split by control class.
struct ClassCost {
    char Name[64];
    double Ms;
    int Controls;
};
struct Split {
    HHOOK Hook;
    HWND Dialog;
    int Current;  // index into Classes of the control being made, -1 for the dialog's own frame
    LARGE_INTEGER Since;
    ClassCost Classes[kMaxClasses];
    int Count;
    double Frame;
};

Split s_split;

void Charge(LARGE_INTEGER now)
{
    double ms = Milliseconds(s_split.Since, now);
    if (s_split.Current < 0)
        s_split.Frame += ms;
    else
        s_split.Classes[s_split.Current].Ms += ms;
    s_split.Since = now;
}

int ClassIndex(const char* name)
{
    for (int i = 0; i < s_split.Count; i++) {
        if (lstrcmpiA(s_split.Classes[i].Name, name) == 0)
            return i;
    }
    if (s_split.Count == kMaxClasses)
        return kMaxClasses - 1;
    lstrcpynA(s_split.Classes[s_split.Count].Name, name, sizeof(s_split.Classes[0].Name));
    s_split.Classes[s_split.Count].Ms = 0;
    s_split.Classes[s_split.Count].Controls = 0;
    return s_split.Count++;
}

LRESULT CALLBACK WatchCreation(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const CBT_CREATEWNDA* create = (const CBT_CREATEWNDA*)lParam;
        if (!s_split.Dialog) {
            s_split.Dialog = (HWND)wParam;
        } else if (create->lpcs->hwndParent == s_split.Dialog) {
            // A control of the template begins; what was made since belongs to the one before.
            Charge(Now());
            const char* name = create->lpcs->lpszClass;
            char atom[16];
            if ((ULONG_PTR)name < 0x10000) {
                snprintf(atom, sizeof(atom), "#%u", (unsigned)(ULONG_PTR)name);
                name = atom;
            }
            // "6.0.2600.2982!Button" and "Button" are one class.
            const char* bang = strchr(name, '!');
            s_split.Current = ClassIndex(bang ? bang + 1 : name);
            s_split.Classes[s_split.Current].Controls++;
        }
    }
    return CallNextHookEx(s_split.Hook, code, wParam, lParam);
}

INT_PTR CALLBACK Nothing(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Makes, shows and paints the template once; false when it cannot be made.
bool MeasureOne(HMODULE module, Subject* subject, bool split)
{
    if (split) {
        s_split.Dialog = nullptr;
        s_split.Current = -1;
        s_split.Since = Now();
        s_split.Hook = SetWindowsHookExA(WH_CBT, WatchCreation, nullptr, GetCurrentThreadId());
    }
    LARGE_INTEGER from = Now();
    HWND dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(subject->Template), nullptr, Nothing, 0);
    LARGE_INTEGER made = Now();
    if (split) {
        Charge(made);
        UnhookWindowsHookEx(s_split.Hook);
    }
    if (!dialog)
        return false;
    ShowWindow(dialog, SW_SHOWNORMAL);
    UpdateWindow(dialog);
    Pump();
    GdiFlush();
    LARGE_INTEGER painted = Now();
    subject->Made.push_back(Milliseconds(from, made));
    subject->Painted.push_back(Milliseconds(from, painted));
    DestroyWindow(dialog);
    Pump();
    Sleep(50);
    Pump();
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        printf("usage: dialog_template_benchmark <dist folder> [rounds]\n");
        return 2;
    }
    int rounds = CountArgument(argc, argv, 2, kDefaultRounds);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    std::string path = std::string(argv[1]) + "\\Daylens.Jpn.dll";
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) {
        printf("cannot load %s\n", path.c_str());
        return 1;
    }
    Subject subjects[] = {{"version", IDD_ABOUT, {}, {}}, {"day memo", IDD_DAYMEMO, {}, {}}};
    Subject& dayMemo = subjects[1];
    // The first round loads what stays loaded and is not counted.
    for (Subject& subject : subjects) {
        if (!MeasureOne(module, &subject, false)) {
            printf("template %d cannot be made\n", subject.Template);
            return 1;
        }
        subject.Made.clear();
        subject.Painted.clear();
    }
    ClassCost totals[kMaxClasses] = {};
    int totalCount = 0;
    double frame = 0;
    for (int round = 0; round < rounds; round++) {
        for (Subject& subject : subjects) {
            if (!MeasureOne(module, &subject, false))
                return 1;
        }
    }
    // The split in rounds of its own: the hook that watches the making slows it a little.
    Subject splitRuns = {"split", IDD_DAYMEMO, {}, {}};
    for (int round = 0; round < rounds; round++) {
        s_split = {};
        if (!MeasureOne(module, &splitRuns, true))
            return 1;
        frame += s_split.Frame;
        for (int i = 0; i < s_split.Count; i++) {
            totals[i].Ms += s_split.Classes[i].Ms;
            totals[i].Controls = s_split.Classes[i].Controls;
            lstrcpynA(totals[i].Name, s_split.Classes[i].Name, sizeof(totals[i].Name));
        }
        totalCount = s_split.Count;
    }
    printf("the templates alone, made and painted with a dialog procedure that does nothing, %d rounds (ms):\n",
           rounds);
    for (const Subject& subject : subjects) {
        printf("%-9s made: best %5.1f, median %5.1f   painted: best %5.1f, median %5.1f\n", subject.Name,
               Best(subject.Made), Median(subject.Made), Best(subject.Painted), Median(subject.Painted));
    }
    printf("day memo against version: made %.1f x the best, %.1f x the median; painted %.1f x the best, %.1f x the "
           "median\n",
           Best(dayMemo.Made) / Best(subjects[0].Made), Median(dayMemo.Made) / Median(subjects[0].Made),
           Best(dayMemo.Painted) / Best(subjects[0].Painted), Median(dayMemo.Painted) / Median(subjects[0].Painted));
    printf("the day memo's making by what was being made (watched by a hook), mean of %d rounds (ms):\n", rounds);
    printf("  %-28s %5.1f\n", "the dialog's own window", frame / rounds);
    for (int i = 0; i < totalCount; i++)
        printf("  %-16s %2d controls %5.1f\n", totals[i].Name, totals[i].Controls, totals[i].Ms / rounds);
    FreeLibrary(module);
    return 0;
}

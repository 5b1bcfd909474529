// How long Daylens.exe takes from its start to its whole first picture on the screen, and from the request to close
// to the end of its process, each against a minimal window program started and closed the same way. Two calendars:
// the one month of a first run's settings and a 3 x 4 view of months, with the colour key of the default
// transparency. The programs take turns, round after round:
//   startup_benchmark.exe <dist folder> [rounds]
// Each calendar runs from its own copy of the dist folder; two runs before the measured ones write the full
// settings file and take the picture the measured runs wait for. The minimal program (minimal_window.exe) is looked
// for beside this program.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "BenchClock.h"
#include "DaylensIds.h"
#include "ProgramRuns.h"
#include "TempFolder.h"

namespace {

const int kDefaultRounds = 8;
const DWORD kStartTimeoutMs = 30000;
const DWORD kCloseTimeoutMs = 15000;
const DWORD kSettleMs = 300;
const char kMinimalClass[] = "DaylensMinimalWindow";
// Every window is placed here (the minimal program places itself there): below the stand-alone tray window that Wine
// shows at the top left without a desktop shell, which the colour key would let through.
const int kWindowX = 40;
const int kWindowY = 100;

struct Case {
    const char* Name;
    std::string Exe;
    std::string Folder;
    const char* WindowClass;
    int Rows;  // 0: the minimal program
    int Lines;
    ScreenPicture Picture;
    std::vector<double> Start;
    std::vector<double> Close;
};

// The settings of a user who has run the program before, with the view of the case.
void WriteSettings(const Case& c)
{
    std::string ini = UserSettingsPath(c.Folder);
    WritePrivateProfileStringA("Daylens00", "Version", "1.20.01", ini.c_str());
    WriteIniInt(ini, "Daylens00", "WindowX", kWindowX);
    WriteIniInt(ini, "Daylens00", "WindowY", kWindowY);
    WriteIniInt(ini, "Daylens01", "DelayedStart", 0);
    if (c.Rows > 1 || c.Lines > 1) {
        WriteIniInt(ini, "Daylens01", "DisplayRows", c.Rows);
        WriteIniInt(ini, "Daylens01", "DisplayLines", c.Lines);
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());
}

// A run that waits for the settled picture instead of a known one; the last one's picture is kept.
bool WarmUp(Case* c)
{
    WaitForTray(kCloseTimeoutMs);
    Sleep(kSettleMs);
    ScreenPicture background;
    RunningProgram run;
    if (!CaptureScreen(&background) || !StartProgram(c->Exe, c->Folder, &run))
        return false;
    bool ok = WaitForWindow(&run, c->WindowClass, kStartTimeoutMs) &&
              SettledPicture(run.Window, background, 500, kStartTimeoutMs, &c->Picture);
    return CloseAndWait(&run, kCloseTimeoutMs) >= 0 && ok;
}

void MeasureOnce(Case* c)
{
    WaitForTray(kCloseTimeoutMs);
    Sleep(kSettleMs);
    RunningProgram run;
    LARGE_INTEGER from = Now();
    if (!StartProgram(c->Exe, c->Folder, &run)) {
        c->Start.push_back(-1);
        return;
    }
    c->Start.push_back(WaitForPicture(c->Picture, from, kStartTimeoutMs));
    WaitForWindow(&run, c->WindowClass, kStartTimeoutMs);
    Sleep(kSettleMs);
    c->Close.push_back(CloseAndWait(&run, kCloseTimeoutMs));
}

void PrintRatio(const char* what, const std::vector<double>& times, const std::vector<double>& floor)
{
    printf("  %-22s %.2f of the minimum, %.2f of the median\n", what, Best(times) / Best(floor),
           Median(times) / Median(floor));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        printf("usage: startup_benchmark <dist folder> [rounds]\n");
        return 2;
    }
    int rounds = CountArgument(argc, argv, 2, kDefaultRounds);
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof(self));
    std::string benchDir = self;
    benchDir = benchDir.substr(0, benchDir.find_last_of('\\') + 1);
    std::string root = FreshTempFolder("daylens-startup-benchmark");
    ParkPointer();

    std::vector<Case> cases = {
        {"minimal window", benchDir + "minimal_window.exe", root, kMinimalClass, 0, 0, {}, {}, {}},
        {"Daylens one month", "", root + "\\month", DAYLENS_WINDOW_CLASS, 1, 1, {}, {}, {}},
        {"Daylens 3 x 4", "", root + "\\grid", DAYLENS_WINDOW_CLASS, 3, 4, {}, {}, {}},
    };
    for (Case& c : cases) {
        if (c.Rows > 0) {
            c.Exe = c.Folder + "\\Daylens.exe";
            if (!CopyFolder(argv[1], c.Folder)) {
                printf("cannot copy %s to %s\n", argv[1], c.Folder.c_str());
                return 1;
            }
            WriteSettings(c);
        }
        if (!WarmUp(&c) || !WarmUp(&c)) {
            printf("%s does not show a settled window\n", c.Name);
            RemoveFolder(root);
            return 1;
        }
    }
    for (int i = 0; i < rounds; i++)
        for (Case& c : cases)
            MeasureOnce(&c);
    RemoveFolder(root);

    printf("start to the whole first picture on the screen, %d rounds (ms):\n", rounds);
    for (const Case& c : cases)
        PrintTimes(c.Name, c.Start);
    for (size_t i = 1; i < cases.size(); i++)
        PrintRatio(cases[i].Name, cases[i].Start, cases[0].Start);
    printf("request to close (WM_CLOSE) to the end of the process (ms):\n");
    for (const Case& c : cases)
        PrintTimes(c.Name, c.Close);
    for (size_t i = 1; i < cases.size(); i++)
        PrintRatio(cases[i].Name, cases[i].Close, cases[0].Close);
    return 0;
}

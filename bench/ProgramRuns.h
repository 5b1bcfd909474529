// What the benchmarks of the running program share: starting a program and finding its window, the window's
// picture as the screen shows it, waiting for a known picture, and the minimum and median of a set of times.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The pixels the screen shows in a rectangle.
struct ScreenPicture {
    RECT Rect = {};
    std::vector<DWORD> Pixels;
};

struct RunningProgram {
    PROCESS_INFORMATION Process = {};
    HWND Window = nullptr;
};

// Moves the pointer where no window of the benchmarks lies and no screen edge or corner starts anything, so that no
// tooltip comes up.
void ParkPointer();
// Waits until the tray has handled every request so far (Wine's own tray takes two seconds to hide without a window
// manager, and a program started meanwhile would wait for it), at most timeoutMs.
void WaitForTray(DWORD timeoutMs);
// The first top-level window of windowClass that belongs to the process, or null.
HWND FindProcessWindow(const char* windowClass, DWORD processId);
// What the screen shows inside rect; false when it cannot be read.
bool CapturePicture(const RECT& rect, ScreenPicture* picture);
// What the whole screen shows.
bool CaptureScreen(ScreenPicture* picture);
bool SamePicture(const ScreenPicture& a, const ScreenPicture& b);
// The visible window's picture once it differs from what the screen showed there before (background: the whole
// screen before the window came) and no longer changes (three readings settleMs apart are equal), waiting up to timeoutMs;
// false when it did not settle.
bool SettledPicture(HWND window, const ScreenPicture& background, DWORD settleMs, DWORD timeoutMs,
                    ScreenPicture* picture);
// Polls until the screen shows picture where it was taken; the milliseconds from `from`, or -1 after timeoutMs.
double WaitForPicture(const ScreenPicture& picture, LARGE_INTEGER from, DWORD timeoutMs);

// Starts exe in folder; the process, its window still unknown.
bool StartProgram(const std::string& exe, const std::string& folder, RunningProgram* run);
// Polls until the process has a visible window of windowClass; false after timeoutMs.
bool WaitForWindow(RunningProgram* run, const char* windowClass, DWORD timeoutMs);
// Asks the window to close and waits for the process to end; the milliseconds from the request to the end, or -1
// (the process is then ended by force). The handles are closed either way.
double CloseAndWait(RunningProgram* run, DWORD timeoutMs);
// Ends the process by force when it still runs and closes its handles.
void EndProgram(RunningProgram* run);

// The positive count given as argument index; fallback when it is missing or not above 0.
int CountArgument(int argc, char** argv, int index, int fallback);
// A folder of that name in the temporary folder, emptied; its path.
std::string FreshTempFolder(const char* name);
// The current user's settings file in a program folder.
std::string UserSettingsPath(const std::string& folder);
// Writes value as the number under section and key of ini.
void WriteIniInt(const std::string& ini, const char* section, const char* key, int value);
// Copies the dist folder to folder and gives it the settings of a user who has run the program before, with the
// calendar at (x, y) and no delayed start; false (said on the output) when the copy fails.
bool CopyProgram(const char* dist, const std::string& folder, int x, int y);

double Median(std::vector<double> values);
double Best(const std::vector<double>& values);
// One line: the name, every time, then the minimum and the median.
void PrintTimes(const char* name, const std::vector<double>& times);

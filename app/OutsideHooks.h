// The calendar window's hooks into outside modules that no part of Daylens provides: the launcher (its commands
// and owner-drawn menu items), the handler of dropped files and the power plug-in's commands. Nothing sets the
// launcher module or the drop slot, and the power slot's plug-ins have no power call, so none of them acts here.
#pragma once

#include <windows.h>
#include <shellapi.h>

class EnvData;

// Commands 10101, 10102 and 20000-20099 to the launcher when one is loaded; 1.
int RunLauncherCommand(HWND window, EnvData* env, int command);
// WM_MEASUREITEM and WM_DRAWITEM of a menu item (wParam 0) to the launcher when one is loaded.
void OnLauncherMeasureItem(HWND window, EnvData* env, WPARAM wParam, LPARAM lParam);
void OnLauncherDrawItem(HWND window, EnvData* env, WPARAM wParam, LPARAM lParam);
// Commands 9001-9009 to the power slot's plug-in when it is in use and has the power call; 1.
int RunPowerCommand(HWND window, EnvData* env, int command);
// Files dropped on the calendar: imported as memos or handed to the drop slot's module while a drop slot is set.
// The drop is always released. 1 when handled, 0 without a drop slot.
int OnDropFiles(HWND window, EnvData* env, HDROP drop);

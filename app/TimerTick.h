// The calendar window's 500 ms tick (timer 5001): the hourly chime, the change of day, the work area and the screen
// hot spots that bring the calendar to the front.
#pragma once

#include <windows.h>

class EnvData;

// One tick; 1.
int OnTimerTick(EnvData* env);
// The redraw of a new day (also timer 5005): at once while some window has the foreground, else marked pending and
// tried again in ten seconds; the mini memo redraws with the calendar.
void RedrawForNewDay(HWND window, EnvData* env);
// Brings window to the front from a hot spot, past the foreground lock: the lock's time-out is 0 for that moment
// and then the user's own again, in this session only, never written to the user's profile.
void BringToFrontPastLock(HWND window);

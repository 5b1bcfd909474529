// The memo watcher: a thread of the program that shows the day's memo, repeating memos and memorial days in the
// popup-view plug-in when the program starts and after a resume from sleep, then today's memo at its own time and
// tomorrow's at the set time, each at most once per date. DecidePopupWatch (PopupWatchRules.h) decides each pass;
// the thread gathers the texts and opens the popup, loading the plug-in around it.
#pragma once

#include <windows.h>

class EnvData;

// Starts the watcher for env (its first pass shows the start popup); 1 when it runs, also when it already did.
int StartPopupWatch(EnvData* env);
// Stops the watcher: no further pass, an open popup is closed, and the thread is waited for up to 10 s. 1 when the
// thread has ended (or never ran); 0 when it still runs, and then nothing it reads may be freed.
int StopPopupWatch();

// The calendar's icon in the task tray: the picture of today's month, the tip with today's date, and the blink while
// today has a memo.
#pragma once

class EnvData;

// Sets the tray icon from today; check 1 looks again whether today has a memo (the tick passes 0, so that it stays
// cheap). The icon is put back when the tray lost it and taken out when UseTaskTray is off; until the first paint
// (which adds it) only the record is filled. 1; 0 without env.
int UpdateTrayIcon(EnvData* env, int check);

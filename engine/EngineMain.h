// The language module's own state: its module handle, application information,
// plug-in folder and the icons its dialogs show.
#pragma once
#include <windows.h>

#include "ProgramIcons.h"

class AppInfo;
class EnvData;

// Sets the module up: its AppInfo (identity of the program, folders of the
// host executable), the plug-in folder "<program folder>PlugIn" (created when
// missing) and the icons, from "<program folder>Icon\" or else from the
// resources of resourceModule, each loaded when first asked for. programDir
// null takes the host's folder.
void SetUpEngine(HINSTANCE resourceModule, const char* programDir);
// Frees the plug-in folder path; the AppInfo and the icons stay until the process ends.
void ReleaseEngine();

AppInfo* EngineAppInfo();
// "<program folder>PlugIn"; null before set-up or when out of memory.
const char* EnginePlugInDir();
// The icon of a slot (ProgramIconSlot), loaded on the first call; or null.
HICON EngineIcon(int slot);

// The module handle: the instance of the module's dialogs and resources.
HINSTANCE EngineInstance();

extern "C" {
// The module handle, exported for the plug-ins.
HINSTANCE GetInstance(void);
// Fills the calendar fonts of a fresh settings record with the module's defaults; 1, or 0 for a null record.
int EnvInitialize(EnvData* env);
}

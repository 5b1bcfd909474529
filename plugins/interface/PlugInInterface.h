// What a plug-in tells the shared exports about itself. Every plug-in links the interface library and defines
// ThisPlugIn; the library then answers LxPlugInMenuInfoLang, LxPlugInMenuInfo, LxPlugInRunMenu, LxActivate,
// LxGetOnce, LxClose, GetMajorVersion, GetMinorVersion, LxSetPlugIn, GetCreator and GetDate for it. A plug-in's
// .def file lists the ones it exports.
#pragma once

#include <windows.h>

#include "PlugInModule.h"

// Every export of the plug-in interface, declared with its type once; the library defines the shared ones, a
// plug-in the others it has.
extern "C" {
PLUGIN_EXPORTS(DAYLENS_EXPORT_DECLARE)
}

// The release date every plug-in gives.
#define PLUGIN_RELEASE_DATE "12/04/2013"

struct PlugInDescription {
    const char* const* JapaneseItems;  // menu texts in code page 932, ItemCount of them
    const char* const* EnglishItems;   // the same items in English
    int ItemCount;
    int MajorVersion;  // version x 100
    int MinorVersion;
    int RunOnce;       // 1: the host loads the plug-in only around each use
    const char* Creator;
    // The plug-in's own work; each may be null. RunMenu gets only item numbers of the list.
    void (*RunMenu)(HWND calendar, int item);
    void (*Activate)(void);
    void (*Close)(void);
};

// Defined by each plug-in.
const PlugInDescription* ThisPlugIn();

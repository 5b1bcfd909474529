// Every export a module's interface names is listed in its .def file and exported by the built DLL, and the .def
// file exports nothing the interface does not name: a missing or misspelt export never passes silently. A plug-in
// may further export any of the shared plug-in exports it has.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>

#include "ImgctlModule.h"
#include "LanguageModule.h"
#include "MiniMemoModule.h"
#include "PlugInModule.h"
#include "PopupViewModule.h"
#include "PrintModule.h"
#include "ToolBarModule.h"
#include "Unlha32Module.h"

namespace {

struct ModuleInterface {
    const char* Dll;  // under the install folder
    const char* Def;  // under the source folder
    const char* const* Names;
    int Count;
    bool PlugIn;  // also exports the plug-in set: the names every plug-in has, and any other of the set
};

const ModuleInterface kModules[] = {
    {"Daylens.Jpn.dll", "engine\\Daylens.Jpn.def", LanguageModule::kExportNames, LanguageModule::kExportCount, false},
    {"imgctl.dll", "layers\\imgctl\\imgctl.def", ImgctlModule::kExportNames, ImgctlModule::kExportCount, false},
    {"PlugIn\\unlha32.dll", "layers\\unlha32\\unlha32.def", Unlha32Module::kExportNames, Unlha32Module::kExportCount,
     false},
    {"PlugIn\\DaylensPopupView.dll", "plugins\\popupview\\DaylensPopupView.def", PopupViewModule::kExportNames,
     PopupViewModule::kExportCount, true},
    {"PlugIn\\DaylensToolBar.dll", "plugins\\toolbar\\DaylensToolBar.def", ToolBarModule::kExportNames,
     ToolBarModule::kExportCount, true},
    {"PlugIn\\DaylensMiniMemo.dll", "plugins\\minimemo\\DaylensMiniMemo.def", MiniMemoModule::kExportNames,
     MiniMemoModule::kExportCount, true},
    {"PlugIn\\DaylensPrint.dll", "plugins\\print\\DaylensPrint.def", PrintModule::kDllExportNames,
     PrintModule::kDllExportCount, true},
};

// The exports of the plug-in set that every plug-in has.
const char* const kEveryPlugIn[] = {"GetCreator",       "GetDate",          "GetMajorVersion",      "GetMinorVersion",
                                    "LxActivate",       "LxGetOnce",        "LxPlugInMenuInfo", "LxPlugInMenuInfoLang",
                                    "LxPlugInRunMenu",  "LxSetPlugIn"};
// The holiday routines of the language module that a plug-in may export as its own.
const char* const kPlugInHoliday[] = {"CheckHoliday", "LoadHoliday"};

// The names after EXPORTS in a .def file.
std::set<std::string> DefExports(const std::string& path)
{
    std::ifstream in(path);
    std::set<std::string> names;
    std::string line;
    bool exports = false;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string word;
        if (!(words >> word) || word[0] == ';')
            continue;
        if (word == "EXPORTS")
            exports = true;
        else if (exports)
            names.insert(word);
    }
    return names;
}

}  // namespace

TEST(ModuleExportsTest, InterfaceDefFileAndBinaryAgree)
{
    for (const ModuleInterface& module : kModules) {
        SCOPED_TRACE(module.Dll);
        std::set<std::string> def = DefExports(std::string(DAYLENS_SOURCE_DIR) + "\\" + module.Def);
        ASSERT_FALSE(def.empty());
        HMODULE dll = LoadLibraryExA((std::string(DAYLENS_DIST_DIR) + "\\" + module.Dll).c_str(), nullptr,
                                     DONT_RESOLVE_DLL_REFERENCES);
        ASSERT_NE(nullptr, dll);
        std::set<std::string> named;
        std::set<std::string> required;
        for (int i = 0; i < module.Count; i++) {
            named.insert(module.Names[i]);
            required.insert(module.Names[i]);
        }
        if (module.PlugIn) {
            named.insert(PlugInModule::kExportNames, PlugInModule::kExportNames + PlugInModule::kExportCount);
            required.insert(std::begin(kEveryPlugIn), std::end(kEveryPlugIn));
            named.insert(std::begin(kPlugInHoliday), std::end(kPlugInHoliday));
        }
        for (const std::string& name : required) {
            EXPECT_EQ(1u, def.count(name)) << name << " is not in the .def file";
            EXPECT_NE(nullptr, GetProcAddress(dll, name.c_str())) << name << " is not exported";
        }
        for (const std::string& name : def) {
            EXPECT_EQ(1u, named.count(name)) << name << " is exported but not in the module's interface";
            EXPECT_NE(nullptr, GetProcAddress(dll, name.c_str())) << name << " is in the .def file but not exported";
        }
        FreeLibrary(dll);
    }
}

// Every export a module's interface names is listed in its .def file and exported by the built DLL, and the .def
// file exports nothing the interface does not name: a missing or misspelt export never passes silently.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "LanguageModule.h"
#include "PrintModule.h"
#include "Unlha32Module.h"

namespace {

struct ModuleInterface {
    const char* Dll;  // under the install folder
    const char* Def;  // under the source folder
    const char* const* Names;
    int Count;
};

const ModuleInterface kModules[] = {
    {"Daylens.Jpn.dll", "engine\\Daylens.Jpn.def", LanguageModule::kExportNames, LanguageModule::kExportCount},
    {"PlugIn\\unlha32.dll", "layers\\unlha32\\unlha32.def", Unlha32Module::kExportNames, Unlha32Module::kExportCount},
    {"PlugIn\\DaylensPrint.dll", "plugins\\print\\DaylensPrint.def", PrintModule::kDllExportNames,
     PrintModule::kDllExportCount},
};

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
        for (int i = 0; i < module.Count; i++) {
            named.insert(module.Names[i]);
            EXPECT_EQ(1u, def.count(module.Names[i])) << module.Names[i] << " is not in the .def file";
            EXPECT_NE(nullptr, GetProcAddress(dll, module.Names[i])) << module.Names[i] << " is not exported";
        }
        for (const std::string& name : def)
            EXPECT_EQ(1u, named.count(name)) << name << " is exported but not in the module's interface";
        FreeLibrary(dll);
    }
}

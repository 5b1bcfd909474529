// How a DLL boundary is written down: a module's header lists each export once, by name and function type, in an
// X-macro; from the list come the function-pointer types, the typed names the host resolves at the moment of use,
// and the table of names that the export check compares with the built DLL.
//
//   #define SAMPLE_EXPORTS(X) X(DoThing, int, (HWND owner, int value))
//   namespace SampleModule { SAMPLE_EXPORTS(DAYLENS_EXPORT_TYPE) DAYLENS_EXPORT_TABLE(SAMPLE_EXPORTS) }
//   auto doThing = FindExport(module, SampleModule::kDoThing);  // SampleModule::DoThing, or null
#pragma once

#include <windows.h>

#include <stddef.h>

// The name of one export, typed with its function-pointer type.
template <typename Fn>
struct ExportName {
    const char* Name;
};

// Declares the function-pointer type `Name` and its typed name `kName` of one export.
#define DAYLENS_EXPORT_TYPE(name, result, parameters) \
    typedef result(*name) parameters;                  \
    constexpr ExportName<name> k##name = {#name};
#define DAYLENS_EXPORT_NAME(name, result, parameters) #name,
// The names of every export of the list, as kExportNames and kExportCount.
#define DAYLENS_EXPORT_TABLE(list)                                      \
    constexpr const char* kExportNames[] = {list(DAYLENS_EXPORT_NAME)}; \
    constexpr int kExportCount = (int)(sizeof(kExportNames) / sizeof(kExportNames[0]));

// Declares the export itself (inside extern "C"), for the modules that implement a list.
#define DAYLENS_EXPORT_DECLARE(name, result, parameters) result name parameters;

// Checks, in the module that implements a list, that each export has the type the list gives it.
#define DAYLENS_EXPORT_CHECK(name, result, parameters)                                          \
    static_assert(__is_same(decltype(&::name), result(*) parameters), #name " does not have the type its " \
                                                                             "module's interface gives it");

// The export's address, or null when the module or the export is missing; a missing export is traced.
FARPROC FindModuleExport(HMODULE module, const char* name);

template <typename Fn>
Fn FindExport(HMODULE module, ExportName<Fn> name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(FindModuleExport(module, name.Name)));
}

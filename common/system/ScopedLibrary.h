// A library loaded by name for the length of one call: optional platform functions are looked up at run time,
// so the program still starts where a library or an export is missing.
#pragma once

#include <windows.h>

class ScopedLibrary {
public:
    explicit ScopedLibrary(const char* name) : module_(LoadLibraryA(name)) {}
    ~ScopedLibrary()
    {
        if (module_)
            FreeLibrary(module_);
    }
    ScopedLibrary(const ScopedLibrary&) = delete;
    ScopedLibrary& operator=(const ScopedLibrary&) = delete;

    // The export as a function pointer of type Proc, null when the library or the export is missing.
    template <typename Proc>
    Proc Find(const char* exportName) const
    {
        return module_ ? (Proc)GetProcAddress(module_, exportName) : nullptr;
    }

private:
    HMODULE module_;
};

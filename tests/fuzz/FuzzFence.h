// Where the fuzz run may write: the file functions that write, as the program and the DLLs it loads import them,
// are fenced to the run's temporary folder and the program's own folder (its scratch files), so that no generated
// path or command line touches anything else. Also the built DLLs of the install folder, loaded once and fenced.
#pragma once

#include <windows.h>

#include <string>

// Fences this program's imports to root (and the program's folder); call it once, before any case.
void FenceFileWrites(const std::string& root);
// The temporary folder the run writes in.
const std::string& FenceRoot();
// The DLL at name under the install folder ($DAYLENS_BUILD_DIR/dist), loaded once, kept and fenced; the run ends
// when it cannot be loaded.
HMODULE DistLibrary(const char* name);
// The install folder, "...\dist\".
const std::string& DistFolder();

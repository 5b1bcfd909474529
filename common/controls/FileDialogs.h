// Modal open, save and folder choosers. Path and folder buffers hold MAX_PATH bytes.
// A filter is a double-NUL list of description and pattern pairs ("CSV\0*.csv\0").
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Open-file chooser starting at path and folder; on OK path gets the file and folder (when given) its folder ending in "\"; 1 on OK.
int OpenFileDialog(HWND owner, const char* title, char* path, const char* filter, char* folder);
// Save-file chooser, otherwise as OpenFileDialog; the file need not exist and overwriting is the caller's question.
int SaveFileDialog(HWND owner, const char* title, char* path, const char* filter, char* folder);
// Folder chooser starting at path (may be null); on OK path gets the chosen file-system folder; 1 on OK.
int BrowseForFolder(HWND owner, char* path, const char* title);
// Selects the starting folder (data) when the folder chooser opens.
int CALLBACK BrowseForFolderProc(HWND window, UINT message, LPARAM param, LPARAM data);
// Extension of the index-th (from 1) filter's first pattern ("*.csv" gives "csv") into ext; 0 and "" when it has none ("*.*").
int FilterDefaultExt(const char* filter, int index, char* ext, size_t extSize);
// OPENFILENAME flags of the open (save 0) or save (save 1) chooser.
DWORD FileDialogFlags(int save);

#ifdef __cplusplus
}
#endif

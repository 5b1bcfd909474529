// Which Windows the program runs on: the version record and the Windows kind code with its name.
// Callers compare kinds by number: below 6 there are no layered windows, themes or the writable check.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Highest Windows kind code; 0 means unknown.
#define WINDOWS_KIND_MAX 31

// Windows kind of a version record's numbers (0 when unknown); hasProductType 0 when GetProductInfo is missing.
int WindowsKindFromVersion(DWORD major, DWORD minor, DWORD platformId, DWORD suiteMask, int hasProductType,
                           DWORD productType);
// The reduced detection: only the Vista, 7 and 8 editions, and 30 for major 10; 0 otherwise.
int WindowsKindSimpleFromVersion(DWORD major, DWORD minor, int hasProductType, DWORD productType);
// Name of a Windows kind ("Windows 10 Home" ...); "" for 0 and unknown codes.
const char* WindowsKindName(int kind);
// Clears and sizes *version, then fills it from RtlGetVersion (ntdll) when present, else GetVersionExA; 1 on success.
int ReadWindowsVersion(OSVERSIONINFOEXA* version);
// Product type from GetProductInfo (kernel32, bound at run time) into *type; 0 when the export is missing.
int QueryProductType(const OSVERSIONINFOEXA* version, DWORD* type);
// Windows kind from GetVersionExA alone (see WindowsKindSimpleFromVersion).
int GetWindowsKindSimple(void);
// 1 when the program runs under Wine (its ntdll exports wine_get_version), else 0.
int RunsUnderWine(void);

#ifdef __cplusplus
}
#endif

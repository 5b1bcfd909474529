// Stands in for a program that is started (the update tool, the calendar started again): writes its arguments, one
// a line, then "folder=" and its working folder, to "<its own name>-args.txt" beside itself.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char folder[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, folder, sizeof(folder));
    if (length == 0 || length >= sizeof(folder))
        return 1;
    char* dot = strrchr(folder, '.');
    if (dot)
        *dot = '\0';
    char partial[MAX_PATH + 32];
    char done[MAX_PATH + 32];
    snprintf(partial, sizeof(partial), "%s-args.tmp", folder);
    snprintf(done, sizeof(done), "%s-args.txt", folder);
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(current), current);
    FILE* out = fopen(partial, "wb");
    if (!out)
        return 1;
    for (int i = 1; i < __argc; i++)
        fprintf(out, "%s\n", __argv[i]);
    fprintf(out, "folder=%s\n", current);
    fclose(out);
    // Renamed when complete, so that a waiting test never reads half a file.
    return MoveFileExA(partial, done, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}

// The files the crash run saves and checks, one kind per writer of a file the user owns: what generation g of the
// file holds, the program's own writer that saves it, and a check through the program's own readers.
#pragma once

#include <stdint.h>

#include <string>

struct CrashKind {
    const char* Name;
    const char* FileName;  // the file in the kind's folder
    bool Ini;              // read with the profile functions as well
    // Generations that shape one file: 1 when a save writes the whole of it, 31 for a month file, where a save
    // changes one day.
    uint32_t Depth;
    // Puts generation 0 (with everything around it that no save touches) in folder; false when it cannot.
    bool (*Prepare)(const std::string& folder);
    // Saves generation g (from 1) in folder through the program's writer; false when the writer failed.
    bool (*Save)(const std::string& folder, uint32_t g);
    // Reads the file in folder through the program's readers: true with its generation in *g when every part
    // of it belongs to that generation, else false with what is wrong in *why.
    bool (*Check)(const std::string& folder, uint32_t* g, std::string* why);
};

extern const CrashKind kCrashKinds[];
extern const int kCrashKindCount;

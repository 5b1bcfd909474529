// A fresh folder under the temporary folder, removed with all it holds, and the folder copies of the tests and
// benchmarks.
#pragma once

#include <string>

class TempFolder {
public:
    TempFolder() = default;
    ~TempFolder() { Remove(); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Creates <temp>\<prefix>-<process id>-<serial>; false when it cannot.
    bool Create(const char* prefix);
    void Remove();

    // The folder, without a trailing backslash.
    const std::string& Dir() const { return dir_; }
    std::string Path(const char* name) const { return dir_ + "\\" + name; }

private:
    std::string dir_;
};

// Copies the folder from with everything under it into to (created when missing), leaving out the settings files a
// run of the program left there ("Daylens-*"); false when anything could not be copied.
bool CopyFolder(const std::string& from, const std::string& to);
// Removes the folder with everything under it, read-only and hidden files included.
void RemoveFolder(const std::string& path);

// The host's settings file as a plug-in loaded into this program finds it: beside the program, named after it and
// the user.
std::string HostIniPath();
// The text of a process-heap string, which is then freed; "(null)" for null.
std::string TakeHeapText(char* text);

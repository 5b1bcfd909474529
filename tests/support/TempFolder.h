// A fresh folder under the temporary folder, removed with all it holds.
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

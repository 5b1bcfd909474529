#include "FileType.h"

#include <shlobj.h>
#include <stdio.h>
#include <string.h>

#include "StrUtil.h"

namespace {

const char kUserClasses[] = "Software\\Classes\\";
const char kCommandSubKey[] = "shell\\open\\command";
const int kKeySize = 1024;

// "<prefix><name>[\<sub>]" into key (kKeySize bytes); false when it does not fit.
bool KeyPath(char* key, const char* prefix, const char* name, const char* sub)
{
    int length = snprintf(key, kKeySize, sub ? "%s%s\\%s" : "%s%s", prefix, name, sub);
    return length > 0 && length < kKeySize;
}

bool SetKeyText(const char* name, const char* sub, const char* value)
{
    char key[kKeySize];
    if (!KeyPath(key, kUserClasses, name, sub))
        return false;
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
        return false;
    RegSetValueExA(handle, nullptr, 0, REG_SZ, (const BYTE*)value, (DWORD)strlen(value) + 1);
    RegCloseKey(handle);
    return true;
}

bool KeyOpens(HKEY root, const char* prefix, const char* name, const char* sub)
{
    char key[kKeySize];
    if (!KeyPath(key, prefix, name, sub))
        return false;
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

bool KeyOpensAnywhere(const char* name, const char* sub)
{
    return KeyOpens(HKEY_CURRENT_USER, kUserClasses, name, sub) || KeyOpens(HKEY_CLASSES_ROOT, "", name, sub);
}

bool DeleteKey(HKEY root, const char* prefix, const char* name, const char* sub)
{
    char key[kKeySize];
    return KeyPath(key, prefix, name, sub) && RegDeleteKeyA(root, key) == ERROR_SUCCESS;
}

// Keys go innermost first: a key with subkeys cannot be deleted. Nothing of the type is touched unless the
// extension pointed at it here.
bool DeleteTypeUnder(HKEY root, const char* prefix, const char* typeName, const char* extension)
{
    if (!DeleteKey(root, prefix, extension, nullptr))
        return false;
    DeleteKey(root, prefix, typeName, "DefaultIcon");
    DeleteKey(root, prefix, typeName, kCommandSubKey);
    DeleteKey(root, prefix, typeName, "shell\\open");
    DeleteKey(root, prefix, typeName, "shell");
    return DeleteKey(root, prefix, typeName, nullptr);
}

}  // namespace

extern "C" {

int RegisterFileType(const char* typeName, const char* description, const char* verbLabel, const char* commandPath,
                     const char* extension, const char* iconFile, int iconIndex)
{
    if (SafeStrLen(typeName) == 0 || SafeStrLen(extension) == 0 || SafeStrLen(commandPath) == 0)
        return 0;
    char icon[kKeySize];
    char command[kKeySize];
    int iconLength = snprintf(icon, sizeof(icon), "%s,%d", NonNullStr(iconFile), iconIndex);
    int commandLength = commandPath[0] == '"' ? snprintf(command, sizeof(command), "%s", commandPath)
                                              : snprintf(command, sizeof(command), "\"%s\" \"%%1\"", commandPath);
    if (iconLength < 0 || iconLength >= kKeySize || commandLength < 0 || commandLength >= kKeySize)
        return 0;
    bool ok = SetKeyText(extension, nullptr, typeName) && SetKeyText(typeName, nullptr, NonNullStr(description)) &&
              SetKeyText(typeName, "DefaultIcon", icon) && SetKeyText(typeName, "shell", "open") &&
              SetKeyText(typeName, "shell\\open", NonNullStr(verbLabel)) &&
              SetKeyText(typeName, kCommandSubKey, command);
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_FLUSH, nullptr, nullptr);
    return ok ? 1 : 0;
}

int UnregisterFileType(const char* typeName, const char* extension)
{
    if (SafeStrLen(typeName) == 0 || SafeStrLen(extension) == 0)
        return 0;
    bool deleted = DeleteTypeUnder(HKEY_CLASSES_ROOT, "", typeName, extension);
    if (DeleteTypeUnder(HKEY_CURRENT_USER, kUserClasses, typeName, extension))
        deleted = true;
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_FLUSH, nullptr, nullptr);
    return deleted ? 1 : 0;
}

int IsFileTypeRegistered(const char* typeName, const char* extension)
{
    if (SafeStrLen(typeName) == 0 || SafeStrLen(extension) == 0)
        return 0;
    return KeyOpensAnywhere(extension, nullptr) && KeyOpensAnywhere(typeName, kCommandSubKey) ? 1 : 0;
}

}  // extern "C"

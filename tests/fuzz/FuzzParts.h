// What the target files of the fuzz run share: the helpers that build a case's lines and files, and the samples
// and run functions of the parsers fed through files (settings sections) and through the outside DLLs.
#pragma once

#include <stddef.h>

#include <string>

#include "FuzzInputs.h"

std::string Num(int n);
// "key=value" or "key = value", ended by CR LF or a lone LF.
std::string Line(const std::string& key, const std::string& value, FuzzRandom& random);
// The input as the file name in the case's folder; its path.
std::string WriteCaseFile(const char* folder, const char* name, const char* data, size_t size);
// The input with every "%F" (a path the sample meant inside the case's folder) made that folder's path.
std::string InCaseFolder(const char* data, size_t size, const char* folder);
void FreeText(char* text);
// size bytes (a copy of data unless it is null) ending where a page without access begins, so that a read or a
// write past their end faults; read-only unless writable. Null without memory; the caller frees *block with
// VirtualFree(*block, 0, MEM_RELEASE).
char* BeforeGuardPage(const char* data, size_t size, bool writable, void** block);
// Removes folder with everything in it.
void RemoveFolderTree(const std::string& folder);
// A memo file of days in the store's INI form (FuzzTargets.cpp).
std::string DayMemoSample(FuzzRandom& random, bool impossible);

// Settings files: the memo, memorial and per-screen placement sections, each plug-in's section, and sections
// large enough that the whole-section read grows its buffer (FuzzSettingsTargets.cpp).
std::string MemoSettingsSample(FuzzRandom& random, bool impossible);
std::string MemorialSettingsSample(FuzzRandom& random, bool impossible);
std::string ScreenSettingsSample(FuzzRandom& random, bool impossible);
std::string ToolBarSettingsSample(FuzzRandom& random, bool impossible);
std::string MiniMemoSettingsSample(FuzzRandom& random, bool impossible);
std::string PopupViewSettingsSample(FuzzRandom& random, bool impossible);
std::string PrintSettingsSample(FuzzRandom& random, bool impossible);
std::string GrowingSectionSample(FuzzRandom& random, bool impossible);
void RunMemoSettings(const char* data, size_t size, const char* folder);
void RunMemorialSettings(const char* data, size_t size, const char* folder);
void RunScreenSettings(const char* data, size_t size, const char* folder);
void RunToolBarSettings(const char* data, size_t size, const char* folder);
void RunMiniMemoSettings(const char* data, size_t size, const char* folder);
void RunPopupViewSettings(const char* data, size_t size, const char* folder);
void RunPrintSettings(const char* data, size_t size, const char* folder);
void RunGrowingSection(const char* data, size_t size, const char* folder);

// unlha32.dll's command lines and archives, imgctl.dll's pictures (FuzzLayerTargets.cpp).
std::string UnlhaCommandSample(FuzzRandom& random, bool impossible);
std::string MemoArchiveSample(FuzzRandom& random, bool impossible);
std::string PictureSample(FuzzRandom& random, bool impossible);
void RunUnlhaCommands(const char* data, size_t size, const char* folder);
void RunUnlhaArchive(const char* data, size_t size, const char* folder);
void RunPicture(const char* data, size_t size, const char* folder);

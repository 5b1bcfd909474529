// The crash-consistency run: a child process (this program with --child) saves one kind of the user's files in a
// loop through the program's own writer, each save a new generation whose number stands in every part of the file.
// The parent lets it get into the loop (the child signals after its first save), waits a random 0..N ms, kills it
// with TerminateProcess and checks that the file reads whole through the program's readers and the profile
// functions: of one generation, the last the child finished or the one it was saving, equal byte for byte to what
// the writer makes of that generation, and the sections no save touches unchanged. Then RemoveLeftoverSaves must
// leave no "*.dlsave" in the folder. It counts kills, damaged files and failed saves per kind.
//
// A second round per kind has each run find what the killed run before it left, as a restarted program does, under
// its own process number: Windows gives a number again, and under Wine the first program after the server starts
// always gets 0x20, so the next run may well be the killed one's number. The child renames the leftovers of its
// predecessor to its own number and adds the one the predecessor's first save would have left; its saves must not
// fail for them, and its RemoveLeftoverSaves, as at start-up, must take them all.
//
// ctest runs a short slice; the full run (under Wine some 70 minutes, most of it in starting the children) is started
// by hand from the source folder:
//     bash scripts/test-env.sh start build
//     DAYLENS_BUILD_DIR=$PWD/build nohup sh cmake/wine-run.sh build/tests/crash/daylens_crash.exe --seed 1 --kills 1000 >crash.log 2>&1 &
//     bash scripts/test-env.sh stop build       (when crash.log ends with the table)
// Options: --seed N (required), --kills N (per kind and round, 1000 by default), --kind NAME (settings, day, month,
// repeat, holiday), --delay-ms N (longest wait between the child's signal and the kill, 40 by default). A damaged
// file is kept in %TEMP%\daylens-crash-kept-<process> and the kind starts again from a fresh file.

#include <windows.h>

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "CrashKinds.h"
#include "DurableSave.h"
#include "FileUtil.h"
#include "FuzzInputs.h"
#include "TempFolder.h"
#include "UserMessage.h"

namespace {

const uint32_t kDefaultKills = 1000;
const DWORD kDefaultDelayMs = 40;
const DWORD kStartLimitMs = 60000;
const DWORD kEndLimitMs = 30000;
const UINT kKilledCode = 0xDEAD;
const size_t kProfileBufferSize = 1 << 20;

// What the child tells the parent through shared memory; the parent sets it before each child starts.
struct ChildState {
    volatile LONG Saving;  // the generation being saved, 0 between saves
    volatile LONG Done;    // the last generation saved
    volatile LONG Failed;  // saves the writer gave up
    volatile LONG Saves;
    volatile LONGLONG SaveTicks;  // performance counter ticks spent in saves
    volatile LONG Kept;           // leftovers of an ended run under this run's number that RemoveLeftoverSaves kept
};

struct Options {
    uint64_t Seed = 0;
    bool HasSeed = false;
    uint32_t Kills = kDefaultKills;
    const char* Kind = nullptr;
    DWORD DelayMs = kDefaultDelayMs;
};

struct Counts {
    uint32_t Kills = 0, Damaged = 0, Errors = 0, InSave = 0, Temps = 0, Failed = 0;
    LONGLONG Saves = 0, SaveTicks = 0;
    double Seconds = 0;
};

Options g_options;

std::string SharedName(const char* what, DWORD parent)
{
    return std::string("DaylensCrash") + what + "-" + std::to_string(parent);
}

const CrashKind* FindKind(const char* name)
{
    for (int i = 0; i < kCrashKindCount; i++) {
        if (strcmp(kCrashKinds[i].Name, name) == 0)
            return &kCrashKinds[i];
    }
    return nullptr;
}

int AnswerNo(HWND, const char*, const char*, UINT)
{
    return IDNO;
}

// The leftovers of the killed run in folder under this process's number, as a run of that number again finds them:
// each temporary file of the kind's file renamed to carry it, and the one the killed run's first save would have
// left beside them ("<file>.<process>-<run>-<number>.dlsave", run being the killed process's start time). Their
// names.
std::vector<std::string> LeftoversUnderOwnNumber(const CrashKind& kind, const std::string& folder,
                                                 unsigned long long killedRun)
{
    char own[32];
    snprintf(own, sizeof(own), "%lx", GetCurrentProcessId());
    std::string prefix = std::string(kind.FileName) + ".";
    std::vector<std::string> found, names;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*" DURABLE_SAVE_SUFFIX).c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && strncmp(entry.cFileName, prefix.c_str(),
                                                                                prefix.size()) == 0)
                found.push_back(entry.cFileName);
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    for (const std::string& name : found) {
        size_t dash = name.find('-', prefix.size());
        if (dash == std::string::npos)
            continue;
        std::string renamed = prefix + own + name.substr(dash);
        if (MoveFileA((folder + "\\" + name).c_str(), (folder + "\\" + renamed).c_str()))
            names.push_back(renamed);
    }
    char first[64];
    snprintf(first, sizeof(first), ".%s-%llx-1" DURABLE_SAVE_SUFFIX, own, killedRun);
    std::string planted = std::string(kind.FileName) + first;
    if (WriteWholeFile((folder + "\\" + planted).c_str(), "[cut", 4, nullptr))
        names.push_back(planted);
    return names;
}

// How many of names are still in folder.
LONG CountPresent(const std::string& folder, const std::vector<std::string>& names)
{
    LONG present = 0;
    for (const std::string& name : names)
        present += GetFileAttributesA((folder + "\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES;
    return present;
}

// The child: saves generation start + 1, start + 2, ... until it is killed. With reuse it first takes over the
// leftovers of the run killed before it (LeftoversUnderOwnNumber), saves, and removes the leftovers as at start-up.
int RunChild(const char* kindName, const char* folder, uint32_t start, DWORD parent, bool reuse,
             unsigned long long killedRun)
{
    const CrashKind* kind = FindKind(kindName);
    HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, SharedName("State", parent).c_str());
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, SharedName("Ready", parent).c_str());
    ChildState* state = mapping ? (ChildState*)MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(ChildState)) : nullptr;
    if (!kind || !state || !ready)
        return 3;
    SetMessageBoxHook(AnswerNo);  // a save that fails is counted, not shown
    std::vector<std::string> leftovers;
    if (reuse)
        leftovers = LeftoversUnderOwnNumber(*kind, folder, killedRun);
    for (uint32_t g = start + 1;; g++) {
        InterlockedExchange(&state->Saving, (LONG)g);
        LARGE_INTEGER before, after;
        QueryPerformanceCounter(&before);
        bool saved = kind->Save(folder, g);
        QueryPerformanceCounter(&after);
        state->SaveTicks += after.QuadPart - before.QuadPart;
        InterlockedIncrement(&state->Saves);
        if (saved)
            InterlockedExchange(&state->Done, (LONG)g);
        else
            InterlockedIncrement(&state->Failed);
        InterlockedExchange(&state->Saving, 0);
        if (g == start + 1) {
            if (reuse) {
                RemoveLeftoverSaves(folder);
                InterlockedExchange(&state->Kept, CountPresent(folder, leftovers));
            }
            SetEvent(ready);
        }
    }
}

uint64_t KindSeed(uint64_t seed, const char* name)
{
    uint64_t hash = 1469598103934665603ull;  // FNV-1a of the name, so that --kind repeats the kind's part of a run
    for (const char* p = name; *p; ++p)
        hash = (hash ^ (unsigned char)*p) * 1099511628211ull;
    return seed ^ hash;
}

void SpinMicroseconds(uint32_t microseconds)
{
    LARGE_INTEGER frequency, now, start;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    LONGLONG until = start.QuadPart + frequency.QuadPart * microseconds / 1000000;
    do
        QueryPerformanceCounter(&now);
    while (now.QuadPart < until);
}

std::string ReadBytes(const std::string& path)
{
    DWORD size = 0;
    char* text = ReadWholeFile(path.c_str(), &size);
    std::string bytes = text ? std::string(text, size) : std::string();
    if (text)
        HeapFree(GetProcessHeap(), 0, text);
    return bytes;
}

// A NUL-separated list as the profile functions give it, up to its closing empty entry.
std::string ProfileList(const std::vector<char>& buffer)
{
    size_t at = 0;
    while (at < buffer.size() - 1 && (buffer[at] || buffer[at + 1]))
        at++;
    return std::string(buffer.data(), at);
}

// Every section of the file, as the profile functions read it, against the reference.
bool SameProfile(const std::string& path, const std::string& reference, std::string* why)
{
    std::vector<char> a(kProfileBufferSize), b(kProfileBufferSize);
    GetPrivateProfileSectionNamesA(a.data(), (DWORD)a.size(), path.c_str());
    GetPrivateProfileSectionNamesA(b.data(), (DWORD)b.size(), reference.c_str());
    std::string names = ProfileList(a);
    if (names != ProfileList(b)) {
        *why = "the profile functions read other sections";
        return false;
    }
    for (const char* name = names.c_str(); *name; name += strlen(name) + 1) {
        GetPrivateProfileSectionA(name, a.data(), (DWORD)a.size(), path.c_str());
        GetPrivateProfileSectionA(name, b.data(), (DWORD)b.size(), reference.c_str());
        if (ProfileList(a) != ProfileList(b)) {
            *why = std::string("the profile functions read section [") + name + "] otherwise";
            return false;
        }
    }
    return true;
}

// The writer's own file of a generation, kept up to date from kill to kill.
class Reference {
public:
    Reference(const CrashKind& kind, const std::string& folder) : kind_(kind), folder_(folder) {}

    // The file as the writer makes generation g from generation 0; empty when the writer failed.
    std::string Path(uint32_t g)
    {
        if (!valid_ || g < generation_) {
            RemoveFolder(folder_);
            valid_ = CreateDirectoryA(folder_.c_str(), nullptr) && kind_.Prepare(folder_);
            generation_ = 0;
        }
        uint32_t from = g >= kind_.Depth ? g - kind_.Depth + 1 : 1;
        for (uint32_t n = from > generation_ ? from : generation_ + 1; valid_ && n <= g; n++)
            valid_ = kind_.Save(folder_, n);
        generation_ = g;
        return valid_ ? folder_ + "\\" + kind_.FileName : std::string();
    }

private:
    const CrashKind& kind_;
    std::string folder_;
    bool valid_ = false;
    uint32_t generation_ = 0;
};

// The file after a kill: whole, of the generation the child finished or was saving, and as the writer makes it.
bool CheckFile(const CrashKind& kind, const std::string& folder, Reference& reference, const ChildState& state,
               uint32_t* g, std::string* why)
{
    if (!kind.Check(folder, g, why))
        return false;
    if (*g != (uint32_t)state.Done && *g != (uint32_t)state.Saving) {
        *why = "generation " + std::to_string(*g) + " after generation " + std::to_string(state.Done) +
               " was saved" + (state.Saving ? " and " + std::to_string(state.Saving) + " was being saved" : "");
        return false;
    }
    std::string path = folder + "\\" + kind.FileName;
    std::string expected = reference.Path(*g);
    if (expected.empty()) {
        *why = "the reference file could not be written";
        return false;
    }
    if (kind.Ini && !SameProfile(path, expected, why))
        return false;
    if (ReadBytes(path) != ReadBytes(expected)) {
        *why = "the file is not byte for byte the writer's file of generation " + std::to_string(*g);
        return false;
    }
    return true;
}

bool HasTemporaryFiles(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*" DURABLE_SAVE_SUFFIX).c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    FindClose(find);
    return true;
}

// Copies the damaged file where it outlives the run; its path.
std::string KeepDamagedFile(const CrashKind& kind, const std::string& folder, uint32_t kill)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    std::string kept = std::string(temp) + "daylens-crash-kept-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(kept.c_str(), nullptr);
    std::string to = kept + "\\" + kind.Name + "-" + std::to_string(kill) + "-" + kind.FileName;
    CopyFileA((folder + "\\" + kind.FileName).c_str(), to.c_str(), FALSE);
    return to;
}

bool StartFresh(const CrashKind& kind, const std::string& folder)
{
    RemoveFolder(folder);
    return CreateDirectoryA(folder.c_str(), nullptr) && kind.Prepare(folder);
}

struct Shared {
    ChildState* State;
    HANDLE Ready;
};

// The start time of a process, which tells its run from another of the same number; 0 when it cannot be read.
unsigned long long RunOf(HANDLE process)
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return 0;
    return ((unsigned long long)created.dwHighDateTime << 32) | created.dwLowDateTime;
}

// Starts the child from generation start and waits for its first save; null (after telling why) when it did not
// get there. A child of the reuse round takes over the leftovers of the run of killedRun.
HANDLE StartChild(const CrashKind& kind, const std::string& folder, uint32_t start, const Shared& shared, bool reuse,
                  unsigned long long killedRun)
{
    memset((void*)shared.State, 0, sizeof(ChildState));
    shared.State->Done = (LONG)start;
    ResetEvent(shared.Ready);
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof(self));
    std::string command = std::string("\"") + self + "\" --child " + kind.Name + " \"" + folder + "\" " +
                          std::to_string(start) + " " + std::to_string(GetCurrentProcessId()) +
                          (reuse ? " " + std::to_string(killedRun) : std::string());
    STARTUPINFOA startup = {sizeof(startup)};
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        fprintf(stderr, "%s: the child could not be started (error %lu)\n", kind.Name, GetLastError());
        return nullptr;
    }
    CloseHandle(process.hThread);
    HANDLE waits[] = {shared.Ready, process.hProcess};
    if (WaitForMultipleObjects(2, waits, FALSE, kStartLimitMs) == WAIT_OBJECT_0)
        return process.hProcess;
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    fprintf(stderr, "%s: the child did not get into its save loop (exit code %lu)\n", kind.Name, code);
    TerminateProcess(process.hProcess, kKilledCode);
    WaitForSingleObject(process.hProcess, kEndLimitMs);
    CloseHandle(process.hProcess);
    return nullptr;
}

// One round of kills of a kind; with reuse, each child finds the leftovers of the run before it (see above).
void RunKind(const CrashKind& kind, const std::string& root, const Shared& shared, bool reuse, Counts* counts)
{
    ULONGLONG started = GetTickCount64();
    FuzzRandom random(KindSeed(g_options.Seed, kind.Name) ^ (reuse ? 0x9E3779B97F4A7C15ull : 0));
    std::string folder = root + "\\" + kind.Name + (reuse ? "-reuse" : "");
    Reference reference(kind, root + "\\" + kind.Name + "-reference");
    uint32_t generation = 0;
    unsigned long long killedRun = 0;
    if (!StartFresh(kind, folder)) {
        fprintf(stderr, "%s: the first file could not be written\n", kind.Name);
        counts->Errors++;
        return;
    }
    for (uint32_t kill = 1; kill <= g_options.Kills; kill++) {
        uint32_t delay = random.Below(g_options.DelayMs * 1000 + 1);
        HANDLE child = StartChild(kind, folder, generation, shared, reuse, killedRun);
        if (!child) {
            counts->Errors++;
            break;
        }
        SpinMicroseconds(delay);
        if (WaitForSingleObject(child, 0) == WAIT_OBJECT_0) {
            fprintf(stderr, "%s kill %u: the child ended by itself\n", kind.Name, kill);
            counts->Errors++;
        }
        TerminateProcess(child, kKilledCode);
        bool ended = WaitForSingleObject(child, kEndLimitMs) == WAIT_OBJECT_0;
        killedRun = RunOf(child);
        CloseHandle(child);
        if (!ended) {
            fprintf(stderr, "%s kill %u: the child did not end\n", kind.Name, kill);
            counts->Errors++;
            break;
        }
        const ChildState& state = *shared.State;
        counts->Kills++;
        counts->InSave += state.Saving != 0;
        counts->Saves += state.Saves;
        counts->SaveTicks += state.SaveTicks;
        counts->Failed += (uint32_t)state.Failed;
        if (state.Failed) {
            fprintf(stderr, "%s kill %u: %ld saves failed\n", kind.Name, kill, (long)state.Failed);
            counts->Errors++;
        }
        if (state.Kept) {
            fprintf(stderr, "%s kill %u: %ld leftovers of the killed run were kept\n", kind.Name, kill,
                    (long)state.Kept);
            counts->Errors++;
        }
        std::string why;
        uint32_t found = 0;
        bool whole = CheckFile(kind, folder, reference, state, &found, &why);
        // In the reuse round the next child finds the leftovers; the last kill's are removed here.
        if (!reuse || kill == g_options.Kills) {
            int removed = RemoveLeftoverSaves(folder.c_str());
            counts->Temps += removed > 0 ? (uint32_t)removed : 0;
            if (whole && HasTemporaryFiles(folder)) {
                whole = false;
                why = "a temporary file is left after RemoveLeftoverSaves";
            }
        }
        if (whole) {
            generation = found;
            continue;
        }
        counts->Damaged++;
        fprintf(stderr, "%s kill %u (%u us after the save of generation %u): %s; the file is kept as %s\n", kind.Name,
                kill, delay, generation + 1, why.c_str(), KeepDamagedFile(kind, folder, kill).c_str());
        generation = 0;
        if (!StartFresh(kind, folder)) {
            counts->Errors++;
            break;
        }
    }
    counts->Seconds = (GetTickCount64() - started) / 1000.0;
}

bool ParseOptions(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const char* name = argv[i];
        const char* value = argv[i + 1];
        if (strcmp(name, "--seed") == 0)
            g_options.Seed = strtoull(value, nullptr, 10), g_options.HasSeed = true;
        else if (strcmp(name, "--kills") == 0)
            g_options.Kills = (uint32_t)strtoul(value, nullptr, 10);
        else if (strcmp(name, "--kind") == 0 && FindKind(value))
            g_options.Kind = value;
        else if (strcmp(name, "--delay-ms") == 0)
            g_options.DelayMs = (DWORD)strtoul(value, nullptr, 10);
        else
            return false;
    }
    return g_options.HasSeed && argc % 2 == 1;
}

// counts holds the plain round of each kind, then its reuse round.
bool PrintCounts(const std::vector<Counts>& counts)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    bool clean = true;
    printf("%-9s %-6s %7s %8s %7s %7s %8s %7s %8s %9s\n", "kind", "round", "kills", "damaged", "failed", "errors",
           "in-save", "temps", "ms/save", "seconds");
    for (int i = 0; i < 2 * kCrashKindCount; i++) {
        const Counts& c = counts[i];
        const char* name = kCrashKinds[i % kCrashKindCount].Name;
        if (g_options.Kind && strcmp(g_options.Kind, name) != 0)
            continue;
        double msPerSave = c.Saves ? c.SaveTicks * 1000.0 / frequency.QuadPart / c.Saves : 0;
        printf("%-9s %-6s %7u %8u %7u %7u %8u %7u %8.2f %9.1f\n", name, i < kCrashKindCount ? "kill" : "reuse",
               c.Kills, c.Damaged, c.Failed, c.Errors, c.InSave, c.Temps, msPerSave, c.Seconds);
        clean = clean && c.Damaged == 0 && c.Failed == 0 && c.Errors == 0 && c.Kills == g_options.Kills;
    }
    return clean;
}

}  // namespace

int main(int argc, char** argv)
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    if ((argc == 6 || argc == 7) && strcmp(argv[1], "--child") == 0)
        return RunChild(argv[2], argv[3], (uint32_t)strtoul(argv[4], nullptr, 10), strtoul(argv[5], nullptr, 10),
                        argc == 7, argc == 7 ? strtoull(argv[6], nullptr, 10) : 0);
    if (!ParseOptions(argc, argv)) {
        fprintf(stderr, "usage: %s --seed N [--kills N] [--kind settings|day|month|repeat|holiday] [--delay-ms N]\n",
                argv[0]);
        return 2;
    }
    DWORD self = GetCurrentProcessId();
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(ChildState),
                                        SharedName("State", self).c_str());
    Shared shared = {mapping ? (ChildState*)MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(ChildState)) : nullptr,
                     CreateEventA(nullptr, TRUE, FALSE, SharedName("Ready", self).c_str())};
    TempFolder root;
    if (!shared.State || !shared.Ready || !root.Create("daylens-crash")) {
        fprintf(stderr, "no shared memory, event or temporary folder\n");
        return 2;
    }
    printf("Crash-consistency run; seed %llu, %u kills per kind, kill 0-%lu ms after the first save\n",
           (unsigned long long)g_options.Seed, g_options.Kills, (unsigned long)g_options.DelayMs);
    fflush(stdout);
    std::vector<Counts> counts(2 * kCrashKindCount);
    for (int i = 0; i < kCrashKindCount; i++) {
        if (g_options.Kind && strcmp(g_options.Kind, kCrashKinds[i].Name) != 0)
            continue;
        RunKind(kCrashKinds[i], root.Dir(), shared, false, &counts[i]);
        RunKind(kCrashKinds[i], root.Dir(), shared, true, &counts[kCrashKindCount + i]);
    }
    return PrintCounts(counts) ? 0 : 1;
}

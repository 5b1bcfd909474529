// The parser fuzz run: feeds every parser of the table in FuzzTargets.cpp (holiday lists, the memo store and its
// imports, the settings files of the program and its plug-ins, unlha32.dll's command lines and archives,
// imgctl.dll's pictures) generated inputs and counts per parser the cases, crashes, traps and hangs. It is built
// twice, as shipped (daylens_fuzz, which calls unlha32.dll and imgctl.dll of the install folder) and with the
// parsers and the two DLLs' sources compiled with -fsanitize=undefined -fsanitize-trap=all (daylens_fuzz_ubsan;
// GCC before 14 spells the trap mode -fsanitize-undefined-trap-on-error), where undefined behaviour becomes a
// trap. ctest runs a short slice of both; the full run (under Wine about an hour a build, most of it in the
// profile reads of repeat.txt, the memo store and the settings files; the two builds may run at once, and so may
// single parsers with --target: both builds took some 50 minutes run parser by parser, three at a time) is
// started by hand from the source folder:
//     bash scripts/test-env.sh start build
//     DAYLENS_BUILD_DIR=$PWD/build sh cmake/wine-run.sh build/tests/fuzz/daylens_fuzz.exe --seed 1 --cases 10000
//     DAYLENS_BUILD_DIR=$PWD/build sh cmake/wine-run.sh build/tests/fuzz/daylens_fuzz_ubsan.exe --seed 1 --cases 10000
//     bash scripts/test-env.sh stop build
// Options: --seed N (required), --cases N (per parser, 10000 by default), --first N (first case number;
// case 0 is the 10 MB file), --target NAME (one parser), --limit-ms N (a case that runs longer is a hang).
// One case is run again with --seed S --target T --first N --cases 1.
//
// Every input lies in read-only pages directly before a page without access, ending at the boundary, so
// a read past its end faults. A case runs under a vectored exception handler: a fault or trap sends the
// thread back to the case loop, and a watchdog sends it back when the case is over the time limit. A case runs
// in a folder of its own, which is also the current folder; whatever the inputs name, the run writes only there
// and in the program's folder (FuzzFence.h), and message boxes are answered at once.

#include <windows.h>

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "FuzzFence.h"
#include "FuzzParts.h"
#include "FuzzTargets.h"
#include "UserMessage.h"

namespace {

const uint32_t kDefaultCases = 10000;
const DWORD kDefaultLimitMs = 20000;
const DWORD kWatchdogTickMs = 50;
const SIZE_T kWorkerStackBytes = 16 * 1024 * 1024;

#ifdef DAYLENS_FUZZ_SANITIZED
const char kBuildName[] = "sanitized (" DAYLENS_FUZZ_SANITIZED ")";
#else
const char kBuildName[] = "as shipped";
#endif

enum Outcome { kPassed, kCrash, kTrap, kHang };

struct Options {
    uint64_t Seed = 0;
    bool HasSeed = false;
    uint32_t Cases = kDefaultCases;
    uint32_t First = 0;
    const char* Target = nullptr;
    DWORD LimitMs = kDefaultLimitMs;
};

struct Counts {
    uint32_t Cases = 0, Crashes = 0, Traps = 0, Hangs = 0;
    double Seconds = 0;
};

// What the exception handler and the watchdog share with the case loop.
void* g_jump[5];
volatile LONG g_inCase = 0;
volatile LONG g_caseSerial = 0;
volatile ULONGLONG g_caseStart = 0;
volatile Outcome g_outcome = kPassed;
volatile DWORD g_faultCode = 0;
volatile DWORD64 g_faultOffset = 0; // from the start of the faulting module's image, for addr2line
char g_faultModule[MAX_PATH];
DWORD g_workerId = 0;
// The stack Recover runs on: the faulting stack may have overflowed.
alignas(16) char g_recoveryStack[64 * 1024];

Options g_options;
std::string g_root;
std::vector<Counts> g_counts;

__attribute__((noreturn, noinline)) void Recover()
{
    __builtin_longjmp(g_jump, 1);
}

// Continues the thread in Recover, which jumps back into RunCase.
void RedirectToRecover(CONTEXT* context)
{
    DWORD64 top = ((DWORD64)(g_recoveryStack + sizeof(g_recoveryStack))) & ~(DWORD64)15;
    context->Rsp = top - 40; // as after a call: 8 bytes of return address, 32 of home space
    context->Rip = (DWORD64)&Recover;
}

LONG CALLBACK OnException(EXCEPTION_POINTERS* info)
{
    DWORD code = info->ExceptionRecord->ExceptionCode;
    // Debug output and C++ exceptions are no faults; only error codes are.
    if (!g_inCase || GetCurrentThreadId() != g_workerId || (code & 0xF0000000) != 0xC0000000)
        return EXCEPTION_CONTINUE_SEARCH;
    g_outcome = code == EXCEPTION_ILLEGAL_INSTRUCTION ? kTrap : kCrash;
    g_faultCode = code;
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       (const char*)info->ExceptionRecord->ExceptionAddress, &module);
    g_faultOffset = (DWORD64)info->ExceptionRecord->ExceptionAddress - (DWORD64)module;
    if (!module || !GetModuleFileNameA(module, g_faultModule, sizeof(g_faultModule)))
        strcpy(g_faultModule, "?");
    g_inCase = 0;
    RedirectToRecover(info->ContextRecord);
    return EXCEPTION_CONTINUE_EXECUTION;
}

__attribute__((noinline)) Outcome RunCase(const FuzzTarget& target, const char* data, size_t size, const char* folder)
{
    g_outcome = kPassed;
    if (__builtin_setjmp(g_jump) == 0) {
        g_caseStart = GetTickCount64();
        InterlockedIncrement(&g_caseSerial);
        InterlockedExchange(&g_inCase, 1);
        target.Run(data, size, folder);
    }
    InterlockedExchange(&g_inCase, 0);
    return g_outcome;
}

// Sends a case that is over the time limit back to the case loop.
void StopOverlongCase(HANDLE worker)
{
    LONG serial = g_caseSerial;
    if (!g_inCase || GetTickCount64() - g_caseStart <= g_options.LimitMs)
        return;
    if (SuspendThread(worker) == (DWORD)-1)
        return;
    CONTEXT context = {};
    context.ContextFlags = CONTEXT_FULL;
    if (g_inCase && g_caseSerial == serial && GetThreadContext(worker, &context)) {
        g_outcome = kHang;
        g_inCase = 0;
        RedirectToRecover(&context);
        SetThreadContext(worker, &context);
    }
    ResumeThread(worker);
}

uint64_t CaseSeed(uint64_t seed, const char* name, uint32_t caseIndex)
{
    uint64_t hash = 1469598103934665603ull; // FNV-1a of the name, so that a new parser changes no other's cases
    for (const char* p = name; *p; ++p)
        hash = (hash ^ (unsigned char)*p) * 1099511628211ull;
    return seed ^ hash ^ ((uint64_t)caseIndex * 0xD1B54A32D192ED03ull);
}

} // namespace

char* BeforeGuardPage(const char* data, size_t size, bool writable, void** block)
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    size_t page = info.dwPageSize;
    size_t dataPages = (size + page - 1) / page;
    if (dataPages == 0)
        dataPages = 1;
    char* base = (char*)VirtualAlloc(nullptr, (dataPages + 1) * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!base)
        return nullptr;
    char* guard = base + dataPages * page;
    char* start = guard - size;
    if (data)
        memcpy(start, data, size);
    DWORD old = 0;
    if (!VirtualProtect(guard, page, PAGE_NOACCESS, &old) ||
        (!writable && !VirtualProtect(base, dataPages * page, PAGE_READONLY, &old))) {
        VirtualFree(base, 0, MEM_RELEASE);
        return nullptr;
    }
    *block = base;
    return start;
}

void RemoveFolderTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string path = folder + "\\" + found.cFileName;
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL), DeleteFileA(path.c_str());
            else if (strcmp(found.cFileName, ".") != 0 && strcmp(found.cFileName, "..") != 0)
                RemoveFolderTree(path);
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

namespace {

const char* OutcomeName(Outcome outcome)
{
    return outcome == kTrap ? "trap" : outcome == kHang ? "hang" : "crash";
}

// Runs the cases of one parser; false when a hang stopped them (the interrupted case may hold a lock).
bool RunTarget(const FuzzTarget& target, Counts* counts)
{
    ULONGLONG started = GetTickCount64();
    for (uint32_t n = g_options.First; n < g_options.First + g_options.Cases; ++n) {
        FuzzRandom random(CaseSeed(g_options.Seed, target.Name, n));
        std::string input = MakeFuzzInput(random, target.Sample, n);
        if (target.Terminated)
            input += '\0';
        void* block = nullptr;
        const char* data = BeforeGuardPage(input.data(), input.size(), false, &block);
        std::string folder = g_root + "\\" + std::to_string(n);
        if (!data || !CreateDirectoryA(folder.c_str(), nullptr)) {
            fprintf(stderr, "%s case %u: no memory or folder for the input\n", target.Name, n);
            return false;
        }
        // Relative paths a parser is given stay in the case's folder.
        SetCurrentDirectoryA(folder.c_str());
        Outcome outcome = RunCase(target, data, input.size(), folder.c_str());
        SetCurrentDirectoryA(g_root.c_str());
        VirtualFree(block, 0, MEM_RELEASE);
        RemoveFolderTree(folder);
        ++counts->Cases;
        if (outcome != kPassed) {
            const char* module = strrchr(g_faultModule, '\\') ? strrchr(g_faultModule, '\\') + 1 : g_faultModule;
            fprintf(stderr, "%s case %u: %s (code %08lX at image offset %llX of %s); again with --seed %llu "
                    "--target %s --first %u --cases 1\n", target.Name, n, OutcomeName(outcome),
                    outcome == kHang ? 0ul : (unsigned long)g_faultCode,
                    outcome == kHang ? 0ull : (unsigned long long)g_faultOffset, outcome == kHang ? "-" : module,
                    (unsigned long long)g_options.Seed, target.Name, n);
            counts->Crashes += outcome == kCrash;
            counts->Traps += outcome == kTrap;
            counts->Hangs += outcome == kHang;
        }
        if (outcome == kHang)
            break;
    }
    counts->Seconds = (GetTickCount64() - started) / 1000.0;
    return true;
}

DWORD WINAPI Worker(void*)
{
    for (int i = 0; i < kFuzzTargetCount; ++i) {
        if (g_options.Target && strcmp(g_options.Target, kFuzzTargets[i].Name) != 0)
            continue;
        if (!RunTarget(kFuzzTargets[i], &g_counts[i]))
            return 2;
    }
    return 0;
}

bool ParseOptions(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const char* name = argv[i];
        const char* value = argv[i + 1];
        if (strcmp(name, "--seed") == 0)
            g_options.Seed = strtoull(value, nullptr, 10), g_options.HasSeed = true;
        else if (strcmp(name, "--cases") == 0)
            g_options.Cases = (uint32_t)strtoul(value, nullptr, 10);
        else if (strcmp(name, "--first") == 0)
            g_options.First = (uint32_t)strtoul(value, nullptr, 10);
        else if (strcmp(name, "--target") == 0)
            g_options.Target = value;
        else if (strcmp(name, "--limit-ms") == 0)
            g_options.LimitMs = (DWORD)strtoul(value, nullptr, 10);
        else
            return false;
    }
    return g_options.HasSeed && argc % 2 == 1;
}

bool PrintCounts()
{
    bool clean = true;
    printf("%-10s %8s %8s %8s %8s %9s\n", "parser", "cases", "crashes", "traps", "hangs", "seconds");
    for (int i = 0; i < kFuzzTargetCount; ++i) {
        const Counts& c = g_counts[i];
        if (g_options.Target && strcmp(g_options.Target, kFuzzTargets[i].Name) != 0)
            continue;
        printf("%-10s %8u %8u %8u %8u %9.1f\n", kFuzzTargets[i].Name, c.Cases, c.Crashes, c.Traps, c.Hangs, c.Seconds);
        clean = clean && c.Crashes == 0 && c.Traps == 0 && c.Hangs == 0 && c.Cases == g_options.Cases;
    }
    return clean;
}

} // namespace

int main(int argc, char** argv)
{
    if (!ParseOptions(argc, argv)) {
        fprintf(stderr, "usage: %s --seed N [--cases N] [--first N] [--target NAME] [--limit-ms N]\n", argv[0]);
        return 2;
    }
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    g_root = std::string(temp) + "daylens-fuzz-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(g_root.c_str(), nullptr);
    FenceFileWrites(g_root);
    // A parser that would ask the user is answered at once: no case waits for a button.
    SetMessageBoxHook([](HWND, const char*, const char*, UINT flags) {
        return (flags & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
    });
    printf("Parser fuzz run, %s; seed %llu, cases %u-%u per parser\n", kBuildName,
           (unsigned long long)g_options.Seed, g_options.First, g_options.First + g_options.Cases - 1);
    fflush(stdout);

    g_counts.resize(kFuzzTargetCount);
    AddVectoredExceptionHandler(1, OnException);
    HANDLE worker = CreateThread(nullptr, kWorkerStackBytes, Worker, nullptr, 0, &g_workerId);
    if (!worker)
        return 2;
    while (WaitForSingleObject(worker, kWatchdogTickMs) == WAIT_TIMEOUT)
        StopOverlongCase(worker);
    DWORD workerResult = 0;
    GetExitCodeThread(worker, &workerResult);
    CloseHandle(worker);
    SetCurrentDirectoryA(temp);
    RemoveFolderTree(g_root);
    bool clean = PrintCounts();
    return workerResult != 0 ? 2 : clean ? 0 : 1;
}

// Every test program watches its own tests: one that runs far longer than any test should (a modal dialog that a
// test never got to close, say) ends the program with its name on the output, instead of a silent time-out of the
// whole program.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdio.h>

namespace {

const DWORD kLongestTestMs = 120000;

// What the watching thread reads lives as long as the process: gtest deletes its listeners when the program ends,
// while the thread may still be on its way back to its wait.
struct WatchState {
    char Name[512];
    HANDLE Started;
    HANDLE Ended;
    HANDLE Thread;
} s_watch;

DWORD WINAPI Watch(void*)
{
    for (;;) {
        if (WaitForSingleObject(s_watch.Started, INFINITE) != WAIT_OBJECT_0)
            return 0;
        DWORD ended = WaitForSingleObject(s_watch.Ended, kLongestTestMs);
        if (ended == WAIT_OBJECT_0)
            continue;
        if (ended != WAIT_TIMEOUT)
            return 0;
        fflush(stdout);
        fprintf(stderr, "\n%s has run for %lu s: ending the test program\n", s_watch.Name, kLongestTestMs / 1000);
        fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 3);
    }
}

class Watchdog : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo& test) override
    {
        snprintf(s_watch.Name, sizeof(s_watch.Name), "%s.%s", test.test_suite_name(), test.name());
        if (!s_watch.Started)
            s_watch.Started = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        if (!s_watch.Ended)
            s_watch.Ended = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        if (!s_watch.Thread && s_watch.Started && s_watch.Ended)
            s_watch.Thread = CreateThread(nullptr, 0, Watch, nullptr, 0, nullptr);
        SetEvent(s_watch.Started);
    }
    void OnTestEnd(const testing::TestInfo&) override { SetEvent(s_watch.Ended); }
};

struct Registrar {
    Registrar()
    {
        // Unbuffered: a program that ends abruptly still shows how far it got (its output goes to a file).
        setvbuf(stdout, nullptr, _IONBF, 0);
        testing::UnitTest::GetInstance()->listeners().Append(new Watchdog);
    }
} s_registrar;

}  // namespace

// Every test program watches its own tests: one that runs far longer than any test should (a modal dialog that a
// test never got to close, say) ends the program with its name on the output, instead of a silent time-out of the
// whole program.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdio.h>

namespace {

const DWORD kLongestTestMs = 120000;

class Watchdog : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo& test) override
    {
        snprintf(name_, sizeof(name_), "%s.%s", test.test_suite_name(), test.name());
        if (!started_)
            started_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        if (!ended_)
            ended_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        if (!thread_ && started_ && ended_)
            thread_ = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
        SetEvent(started_);
    }
    void OnTestEnd(const testing::TestInfo&) override { SetEvent(ended_); }

private:
    static DWORD WINAPI Watch(void* context)
    {
        Watchdog* self = (Watchdog*)context;
        for (;;) {
            WaitForSingleObject(self->started_, INFINITE);
            if (WaitForSingleObject(self->ended_, kLongestTestMs) == WAIT_OBJECT_0)
                continue;
            fflush(stdout);
            fprintf(stderr, "\n%s has run for %lu s: ending the test program\n", self->name_,
                    kLongestTestMs / 1000);
            fflush(stderr);
            TerminateProcess(GetCurrentProcess(), 3);
        }
    }

    char name_[512] = "";
    HANDLE started_ = nullptr;
    HANDLE ended_ = nullptr;
    HANDLE thread_ = nullptr;
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

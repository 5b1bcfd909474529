#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>
#include <string.h>

#include <string>

#include "FileUtil.h"
#include "LibrarySearch.h"
#include "RuntimeCalls.h"

namespace {

class RuntimeCallsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ASSERT_NE(0u, GetTempPathA(sizeof(temp), temp));
        root_ = std::string(temp) + "daylens-runtime-" + std::to_string(GetCurrentProcessId()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name();
        ASSERT_TRUE(CreateDirectoryA(root_.c_str(), nullptr));
    }

    void TearDown() override
    {
        std::string from = root_ + '\0';
        SHFILEOPSTRUCTA op = {};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
        SHFileOperationA(&op);
    }

    std::string root_;
};

// A second of silence, 8 kHz mono, 8 bits.
std::string SilentWave()
{
    const DWORD samples = 8000;
    std::string wave = "RIFF????WAVEfmt ";
    const DWORD format[] = {16, 1 | (1 << 16), 8000, 8000, 1 | (8 << 16)};
    wave.append((const char*)format, sizeof(format));
    wave += "data";
    wave.append((const char*)&samples, 4);
    wave.append(samples, (char)0x80);
    DWORD riffSize = (DWORD)wave.size() - 8;
    memcpy(&wave[4], &riffSize, 4);
    return wave;
}

TEST_F(RuntimeCallsTest, SoundLibraryStaysLoadedWhileTheSoundPlays)
{
    ASSERT_EQ(nullptr, GetModuleHandleA("winmm.dll")) << "winmm is loaded before the test: it proves nothing";
    std::string wave = SilentWave();
    std::string path = root_ + "\\chime.wav";
    ASSERT_EQ(1, WriteWholeFile(path.c_str(), wave.data(), (DWORD)wave.size(), nullptr));

    EXPECT_EQ(1, PlaySoundFile(nullptr));
    EXPECT_EQ(1, PlaySoundFile(path.c_str()));
    EXPECT_NE(nullptr, GetModuleHandleA("winmm.dll"));
    EXPECT_EQ(1, PlaySoundFile(path.c_str()));
    HMODULE winmm = GetModuleHandleA("winmm.dll");
    ASSERT_NE(nullptr, winmm);
    // Stopped here so that the folder can be removed.
    typedef BOOL(WINAPI * PlaySoundAProc)(LPCSTR, HMODULE, DWORD);
    auto play = (PlaySoundAProc)GetProcAddress(winmm, "PlaySoundA");
    ASSERT_NE(nullptr, play);
    play(nullptr, nullptr, 0);
}

TEST_F(RuntimeCallsTest, LibrarySearchFindsAModuleInThePlugInFolder)
{
    std::string work = root_ + "\\work";
    ASSERT_TRUE(CreateDirectoryA(work.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((work + "\\PlugIn").c_str(), nullptr));
    // A name no module of the process has, so that nothing already loaded answers.
    std::string expected = work + "\\PlugIn\\DaylensProbe.dll";
    ASSERT_TRUE(CopyFileA(SEARCH_PROBE_DLL, expected.c_str(), FALSE));

    char saved[MAX_PATH];
    ASSERT_NE(0u, GetCurrentDirectoryA(sizeof(saved), saved));
    ASSERT_TRUE(SetCurrentDirectoryA(work.c_str()));
    HMODULE module = LoadLibrarySearch("DaylensProbe.dll");
    HMODULE missing = LoadLibrarySearch("DaylensMissing.dll");
    SetCurrentDirectoryA(saved);

    ASSERT_NE(nullptr, module);
    char loaded[MAX_PATH] = "";
    GetModuleFileNameA(module, loaded, sizeof(loaded));
    EXPECT_EQ(0, lstrcmpiA(expected.c_str(), loaded)) << loaded;
    FreeLibrary(module);
    EXPECT_EQ(nullptr, missing);
}

}  // namespace

// A memo store of the memo tests' own: an empty memo folder and the memo settings that point at it.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>

#include <string>

#include "DayMemoStore.h"
#include "MemoSettings.h"
#include "MemoWriter.h"
#include "StrUtil.h"
#include "TempFolder.h"

class MemoTestStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.Create("daylens-memo-store"));
        memset(&memo_, 0, sizeof(memo_));
        SafeStrCpy(memo_.MemoDir, sizeof(memo_.MemoDir), folder_.Dir().c_str());
        memo_.MemoStyle.MarkType = 1;
        memo_.MemoStyle.NoUseStrColor = 1;
    }

    std::string Path(const char* name) const { return folder_.Path(name); }

    // A record of the memo settings' style at hour:minute.
    DayMemoRecord Record(int hour = DAY_MEMO_NO_TIME, int minute = DAY_MEMO_NO_TIME) const
    {
        DayMemoRecord record = {memo_.MemoStyle, hour, minute};
        return record;
    }

    // The day's memo in the store, "(null)" for none.
    std::string Read(int year, int month, int day, DayMemoRecord* record = nullptr) const
    {
        MemoStoreSettings store = MemoStoreOf(&memo_);
        char* text = ReadDayMemoText(nullptr, year, month, day, &store, record, 0);
        if (!text)
            return "(null)";
        std::string read = text;
        HeapFree(GetProcessHeap(), 0, text);
        return read;
    }

    TempFolder folder_;
    MemoSettings memo_;
};

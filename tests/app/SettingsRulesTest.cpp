#include <gtest/gtest.h>

#include <windows.h>

#include <iterator>
#include <string>
#include <vector>

#include "SettingsFile.h"
#include "SettingsTypes.h"

namespace {

TEST(SettingsRulesTest, MarkOrderGetsEveryMissingKindWhileThereIsRoom)
{
    struct OrderCase {
        int read[MARK_ORDER_COUNT];
        int want[MARK_ORDER_COUNT];
    };
    const OrderCase cases[] = {
        {{0}, {1, 2, 3, 4, 5, 6, 7, 0, 0, 0}},
        {{7, 0, 1}, {7, 2, 1, 3, 4, 5, 6, 0, 0, 0}},
        {{2, 2, 9, 0, 0, 0, 0, 0, 0, 5}, {2, 2, 9, 1, 3, 4, 6, 7, 0, 5}},
        // No room: what was read stays.
        {{9, 9, 9, 9, 9, 9, 9, 9, 1, 9}, {9, 9, 9, 9, 9, 9, 9, 9, 1, 9}},
        {{9, 9, 9, 9, 9, 9, 9, 0, 9, 9}, {9, 9, 9, 9, 9, 9, 9, 1, 9, 9}},
    };
    for (const OrderCase& c : cases) {
        int order[MARK_ORDER_COUNT];
        std::copy(std::begin(c.read), std::end(c.read), order);
        CompleteMarkOrder(order);
        EXPECT_EQ(std::vector<int>(std::begin(c.want), std::end(c.want)), std::vector<int>(order, order + 10));
    }
}

TEST(SettingsRulesTest, UserNamesAreSplitAtCommas)
{
    struct NamesCase {
        const char* list;
        std::vector<const char*> want;  // of 7
    };
    const NamesCase cases[] = {
        {"日,月,火,水,木,金,土", {"日", "月", "火", "水", "木", "金", "土"}},
        {"A,B", {"A", "B", nullptr, nullptr, nullptr, nullptr, nullptr}},
        {",表,,", {nullptr, "表", nullptr, nullptr, nullptr, nullptr, nullptr}},
        {"1,2,3,4,5,6,7,8,9", {"1", "2", "3", "4", "5", "6", "7"}},
        {nullptr, {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr}},
    };
    char* names[WEEK_USER_NAME_COUNT] = {};
    for (const NamesCase& c : cases) {
        SplitUserNames(c.list, names, WEEK_USER_NAME_COUNT);
        for (int i = 0; i < WEEK_USER_NAME_COUNT; i++) {
            if (c.want[i])
                EXPECT_STREQ(c.want[i], names[i]) << c.list << " " << i;
            else
                EXPECT_EQ(nullptr, names[i]) << c.list << " " << i;
        }
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <windows.h>

#include <iterator>
#include <vector>

#include "SettingsFile.h"
#include "SettingsKeys.h"
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

}  // namespace

#include "KanjiNumber.h"

#include "StrUtil.h"

namespace {

const size_t kBufferSize = 1024;
const char* const kDigits[10] = {"〇", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
const char* const kUnits[4] = {"", "十", "百", "千"};
const char* const kGroupWords[4] = {"万", "億", "兆", "京"};

}  // namespace

extern "C" {

const char* KanjiNumberUnder10000(int n, int units)
{
    static char text[kBufferSize];
    text[0] = '\0';
    if (n <= 0 || n > 9999)
        return text;
    int place = 1000;
    for (int i = 3; i >= 0; i--, place /= 10) {
        int digit = n / place % 10;
        if (units == 1) {
            // A place is written when the rest of the number reaches it, so zero places vanish.
            if (n % (place * 10) < place)
                continue;
            SafeStrCat(text, sizeof(text), kDigits[digit]);
            SafeStrCat(text, sizeof(text), kUnits[i]);
        } else if (n >= place) {
            SafeStrCat(text, sizeof(text), kDigits[digit]);
        }
    }
    return text;
}

const char* KanjiNumber(long long n, int units)
{
    static char text[kBufferSize];
    text[0] = '\0';
    if (n < 0)
        return text;
    if (n == 0) {
        SafeStrCpy(text, sizeof(text), kDigits[0]);
        return text;
    }
    SafeStrCpy(text, sizeof(text), KanjiNumberUnder10000((int)(n % 10000), units));
    n /= 10000;
    for (int g = 0; g < 4 && n > 0; g++, n /= 10000) {
        const char* group = KanjiNumberUnder10000((int)(n % 10000), units);
        if (!*group)
            continue;
        char joined[kBufferSize];
        SafeStrCpy(joined, sizeof(joined), group);
        SafeStrCat(joined, sizeof(joined), kGroupWords[g]);
        SafeStrCat(joined, sizeof(joined), text);
        SafeStrCpy(text, sizeof(text), joined);
    }
    return text;
}

}  // extern "C"

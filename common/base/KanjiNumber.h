// Numbers written in kanji numerals (〇一二…, 千百十, 万億兆京).
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// n (0-9999) in kanji, with 千百十 when units is 1 (1005 gives 一千五) or digit by digit (一〇〇五); "" for 0 or out of range; static buffer.
const char* KanjiNumberUnder10000(int n, int units);
// n in kanji with the group words 万億兆京 (100020003 gives 一億二万三); "" when negative, "〇" for 0; static buffer.
const char* KanjiNumber(long long n, int units);

#ifdef __cplusplus
}
#endif

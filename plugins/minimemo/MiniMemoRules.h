// The mini memo's decisions without windows: the text of one day (day memo joined with the repeating memos), the
// date headers, the walk that lays the listed days out (drawing and automatic sizing both follow it through a
// painter), the per-pixel alpha of the translucent mode and the window's place on the screen.
#pragma once

#include <windows.h>

#include <stddef.h>

#include "MiniMemoSettings.h"

// Shown when no listed day has text and empty days are hidden.
#define MINIMEMO_NOTHING_TEXT "予定なし"
// Room for a date header.
#define MINIMEMO_HEADER_SIZE 64
// Every listed text is drawn with these, headers always on one line.
#define MINIMEMO_TEXT_FORMAT (DT_NOPREFIX | DT_END_ELLIPSIS)

// 1 when the stored line breaks of the texts become blanks (everything but MultiLine with AllMemo).
int MiniMemoOneLine(const MiniMemoSettings* settings);
// "2026年12月 9日(水)" with showYear 1, else "12月 9日(水)"; the bytes written.
int FormatMiniMemoHeader(char* out, size_t size, int year, int month, int day, int showYear);
// A day's text from its memo and its repeating-memo text (both heap strings or null, both taken over): the memo,
// the joiner ("\r\n" when lines are kept, else " ") and the repeating text. Null when both are missing; the
// caller frees it with HeapFree.
char* JoinMiniMemoTexts(char* dayMemo, char* repeatText, int oneLine);
// The style of the first listed day: today's when no day before today is listed.
int MiniMemoFirstStyle(const MiniMemoSettings* settings);

// What the walk asks of whoever draws or measures. Every routine receives Context.
struct MiniMemoPainter {
    void* Context;
    // Makes style (MINIMEMO_STYLE_*) the current one.
    void (*SelectStyle)(void* context, int style);
    // Width and height of a header in the current style.
    SIZE (*Measure)(void* context, const char* text);
    // Draws (or measures) text into box with format in the current style; the height used, shadow included.
    int (*Draw)(void* context, const char* text, const RECT* box, UINT format);
    // The band of a listed day and its tooltip text; may be null.
    void (*AddTip)(void* context, const RECT* band, const char* text);
    // The text of a day as JoinMiniMemoTexts gives it (null for none); the walk frees it with HeapFree.
    char* (*DayText)(void* context, int year, int month, int day, int oneLine);
};

// Lays the days from today - BeforeDays to today + AfterDays out in client: headers, texts below or beside them,
// the empty days, "予定なし" when nothing is listed. The y below the last line drawn.
int WalkMiniMemo(const MiniMemoSettings* settings, const SYSTEMTIME* today, const RECT* client,
                 const MiniMemoPainter* painter);
// Height of the window that shows the whole walk ending at y below the list; at least 1.
int MiniMemoAutoHeight(const MiniMemoSettings* settings, int walkEnd);

// Per-pixel alpha of the translucent mode over count pixels of 32-bit BGRA colour and mask images: the alpha is the
// mask's red (times alpha / 255 unless the fade mode is TRANS_FADE_OFF), the colour is premultiplied by it.
void PremultiplyMiniMemo(BYTE* colour, const BYTE* mask, size_t count, int fadeMode, int alpha);

// The window rectangle at creation: the stored one, or reference's (zero without one) with 200 x 200 when no size
// is stored.
RECT MiniMemoStartRect(const MiniMemoSettings* settings, const RECT* reference);

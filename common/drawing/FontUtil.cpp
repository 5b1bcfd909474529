#include "FontUtil.h"

#include <string.h>

#include "Sjis.h"
#include "StrUtil.h"

namespace {

// Faces the font rule knows, with the character set and pitch-and-family they always get.
struct KnownFace {
    const char* face;
    BYTE charSet;
    BYTE pitchAndFamily;
};

const char kGothic[] = "ＭＳ ゴシック";
const char kPGothic[] = "ＭＳ Ｐゴシック";
const char kMincho[] = "ＭＳ 明朝";
const char kPMincho[] = "ＭＳ Ｐ明朝";

const KnownFace kKnownFaces[] = {
    {"Century", ANSI_CHARSET, FF_ROMAN | VARIABLE_PITCH},
    {"Tahoma", ANSI_CHARSET, FF_SWISS | VARIABLE_PITCH},
    {kGothic, SHIFTJIS_CHARSET, FF_MODERN | FIXED_PITCH},
    {kPGothic, SHIFTJIS_CHARSET, FF_MODERN | VARIABLE_PITCH},
    {kPMincho, SHIFTJIS_CHARSET, FF_ROMAN | VARIABLE_PITCH},
    {kMincho, SHIFTJIS_CHARSET, FF_ROMAN | FIXED_PITCH},
};
const KnownFace kNoFace = {kPMincho, SHIFTJIS_CHARSET, FF_ROMAN | VARIABLE_PITCH};
// What an unknown face with an unusable character set or pitch falls back to.
const KnownFace kBadFace = {kMincho, SHIFTJIS_CHARSET, FF_ROMAN | FIXED_PITCH};

// A dialog face and its counterpart in the other family.
struct FaceSwap {
    const char* from;
    const char* to;
    BYTE pitchAndFamily;
};

const FaceSwap kDialogSwaps[] = {
    {kGothic, kMincho, FF_ROMAN | FIXED_PITCH},
    {kPGothic, kPMincho, FF_ROMAN | VARIABLE_PITCH},
    {kPMincho, kPGothic, FF_MODERN | VARIABLE_PITCH},
    {kMincho, kGothic, FF_MODERN | FIXED_PITCH},
};

const KnownFace* FindKnownFace(const char* face)
{
    for (const KnownFace& known : kKnownFaces) {
        if (StrCompareNoCase(face, known.face) == 0)
            return &known;
    }
    return nullptr;
}

void SetFace(LOGFONTA* font, const char* face, int charSet, int pitchAndFamily)
{
    SafeStrCpy(font->lfFaceName, sizeof(font->lfFaceName), face);
    font->lfCharSet = (BYTE)charSet;
    font->lfPitchAndFamily = (BYTE)pitchAndFamily;
}

// Width of the first len bytes of text, or -1 when it cannot be measured.
int MeasureWidth(HDC dc, const char* text, size_t len)
{
    SIZE size;
    if (!GetTextExtentPoint32A(dc, text, (int)len, &size))
        return -1;
    return size.cx;
}

bool IsLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

void CopyHead(char* head, const char* text, size_t len)
{
    memcpy(head, text, len);
    head[len] = '\0';
}

void SplitOnDC(HDC dc, int width, const char* text, char* head, char* rest)
{
    size_t total = strlen(text);
    // A text longer than the head buffer goes through the walk, so that what the head cannot hold stays in the rest.
    if (total < SPLIT_TEXT_SIZE && !strpbrk(text, "\r\n")) {
        int whole = MeasureWidth(dc, text, total);
        if (whole >= 0 && whole < width) {
            SafeStrCpy(head, SPLIT_TEXT_SIZE, text);
            return;
        }
    }
    size_t split = 0;
    for (;;) {
        const char* after = text + split;
        if (*after == '\0' || IsLineBreak(*after))
            break;
        size_t next = split + (IsDoubleByteChar(after) ? 2 : 1);
        if (next > SPLIT_TEXT_SIZE - 1)
            break;
        // The first character always goes, so that a caller splitting line by line gets on.
        if (split > 0) {
            int measured = MeasureWidth(dc, text, next);
            if (measured < 0 || measured > width)
                break;
        }
        split = next;
    }
    CopyHead(head, text, split);
    const char* after = text + split;
    while (IsLineBreak(*after))
        after++;
    SafeStrCpy(rest, SPLIT_TEXT_SIZE, after);
}

}  // namespace

extern "C" {

int SetFontRecord(LOGFONTA* font, const char* face, int height, int weight, int italic, int charSet, int pitchAndFamily)
{
    if (!font)
        return 0;
    memset(font, 0, sizeof(*font));
    font->lfHeight = height;
    font->lfWeight = weight;
    font->lfItalic = (BYTE)italic;
    font->lfOutPrecision = OUT_STROKE_PRECIS;
    font->lfClipPrecision = CLIP_STROKE_PRECIS;
    font->lfQuality = DRAFT_QUALITY;

    const KnownFace* known = (!face || !*face) ? &kNoFace : FindKnownFace(face);
    if (!known && (charSet < 0 || pitchAndFamily < 0))
        known = &kBadFace;
    if (known)
        SetFace(font, known->face, known->charSet, known->pitchAndFamily);
    else
        SetFace(font, face, charSet, pitchAndFamily);
    return 1;
}

int InitLogFont(LOGFONTA* font, const char* face, int height, int bold, int italic, int charSet, int pitchAndFamily)
{
    return SetFontRecord(font, face, height, bold ? FONT_WEIGHT_BOLD : FONT_WEIGHT_NORMAL, italic ? 1 : 0, charSet,
                         pitchAndFamily);
}

int GetFontMetrics(HWND window, const LOGFONTA* font, int* averageWidth, int* lineHeight)
{
    if (!averageWidth || !lineHeight)
        return 0;
    *averageWidth = 0;
    *lineHeight = 0;
    HDC dc = GetDC(window);
    if (!dc)
        return 0;
    HFONT created = font ? CreateFontIndirectA(font) : nullptr;
    HGDIOBJ old = created ? SelectObject(dc, created) : nullptr;
    TEXTMETRICA metrics;
    int ok = (!font || created) && GetTextMetricsA(dc, &metrics);
    if (ok) {
        *averageWidth = metrics.tmAveCharWidth;
        *lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    }
    if (old)
        SelectObject(dc, old);
    if (created)
        DeleteObject(created);
    ReleaseDC(window, dc);
    return ok ? 1 : 0;
}

int GetTextSizeOnDC(HDC dc, const char* text, SIZE* size)
{
    if (!size)
        return 0;
    size->cx = 0;
    size->cy = 0;
    if (!dc || !text)
        return 0;
    if (GetTextExtentPoint32A(dc, text, (int)strlen(text), size))
        return 1;
    size->cx = 0;
    size->cy = 0;
    return 0;
}

int GetTextSize(HWND window, const char* text, SIZE* size)
{
    return GetTextSizeWithFont(window, nullptr, text, size);
}

int GetTextSizeWithFont(HWND window, HFONT font, const char* text, SIZE* size)
{
    if (!size)
        return 0;
    size->cx = 0;
    size->cy = 0;
    if (!text)
        return 0;
    HDC dc = GetDC(window);
    if (!dc)
        return 0;
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    int ok = GetTextSizeOnDC(dc, text, size);
    if (old)
        SelectObject(dc, old);
    ReleaseDC(window, dc);
    return ok;
}

int SplitTextToWidth(HWND window, HFONT font, int width, const char* text, char* head, char* rest)
{
    if (head)
        *head = '\0';
    if (rest)
        *rest = '\0';
    if (!text || !*text || !head || !rest)
        return 0;
    HDC dc = GetDC(window);
    if (!dc)
        return 0;
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    SplitOnDC(dc, width, text, head, rest);
    if (old)
        SelectObject(dc, old);
    ReleaseDC(window, dc);
    return 1;
}

HFONT SubstituteDialogFont(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    if (!control)
        return nullptr;
    HFONT current = (HFONT)SendMessageA(control, WM_GETFONT, 0, 0);
    LOGFONTA font;
    if (!current || GetObjectA(current, sizeof(font), &font) != (int)sizeof(font))
        return nullptr;
    for (const FaceSwap& swap : kDialogSwaps) {
        if (StrCompareNoCase(font.lfFaceName, swap.from) == 0) {
            SetFace(&font, swap.to, font.lfCharSet, swap.pitchAndFamily);
            break;
        }
    }
    HFONT substitute = CreateFontIndirectA(&font);
    if (substitute)
        SendMessageA(control, WM_SETFONT, (WPARAM)substitute, TRUE);
    return substitute;
}

}  // extern "C"

#include "MarkDialogRules.h"

#include "FontUtil.h"

void OpenMarkBlock(MarkDlgData* work)
{
    if (!work)
        return;
    BYTE& direction = work->Style.ShadowDirection;
    if (direction >= SHADOW_OUTLINE)
        direction = SHADOW_OUTLINE;
    else if (direction != SHADOW_UP_RIGHT && direction != SHADOW_DOWN_LEFT && direction != SHADOW_UP_LEFT)
        direction = SHADOW_DOWN_RIGHT;
    if (work->EditFont != 1)
        InitLogFont(&work->Style.Font, MARK_FIXED_FONT_FACE, MARK_FIXED_FONT_HEIGHT, 0, 0, SHIFTJIS_CHARSET,
                    FF_ROMAN | VARIABLE_PITCH);
}

MarkControlStates MarkControlStatesOf(const MarkDlgData& block, int withUserMarks, int individual)
{
    MarkControlStates states = {};
    if (!withUserMarks) {
        states.MarkKind = block.EditMark == 1;
        states.Font = block.EditFont == 1;
        states.TextColor = true;
        states.PlainColor = block.EditPlainColor == 1;
        states.Decoration = true;
        return states;
    }
    // With user marks the chosen side alone decides: an individual mark opens every control of its side, whatever
    // the flags closed at opening, so that a list's own text colour can be set here.
    bool own = individual != 0;
    states.MarkKind = own;
    states.Font = own;
    states.TextColor = own;
    states.PlainColor = own;
    states.Decoration = own;
    states.Choice = true;
    states.UserMark = !own;
    return states;
}

int ParseShadowWidth(const char* text, int* width)
{
    if (!text || !width)
        return 0;
    const char* p = text;
    while (*p == ' ')
        p++;
    if (*p < '0' || *p > '9')
        return 0;
    int value = 0;
    for (; *p >= '0' && *p <= '9'; p++) {
        value = value * 10 + (*p - '0');
        if (value > MARK_SHADOW_WIDTH_MAX)
            value = MARK_SHADOW_WIDTH_MAX + 1;  // stays small, however long the number
    }
    *width = value > MARK_SHADOW_WIDTH_MAX ? MARK_SHADOW_WIDTH_MAX : value;
    return 1;
}

int MarkPreviewFontHeight(const RECT& client)
{
    return -(int)(0.8 * (client.bottom - client.top));
}

MarkPreviewPlace PlaceMarkPreview(const RECT& client, SIZE textSize, int markKind, int fontHeight, int italic)
{
    MarkPreviewPlace place = {};
    place.FontHeight = fontHeight;
    int tenth = (int)(0.1 * textSize.cy);
    int centred = (client.right - textSize.cx + client.left) / 2;
    if (markKind >= MARK_OUTLINE_1 && markKind <= MARK_OUTLINE_3)
        place.MarkBox = {centred, client.top + tenth, client.right - 1, client.bottom - tenth - 1};
    else
        place.MarkBox = {client.left, client.top, client.right - 1, client.bottom - 1};
    int lean = italic ? (fontHeight < 0 ? -fontHeight : fontHeight) / 5 : 0;
    place.Text = {centred - lean, client.top + tenth};
    return place;
}

int ChosenMarkType(int individual, int kindIndex, int userIndex, int userCount, int current)
{
    if (individual)
        return kindIndex >= 0 && kindIndex < MARK_KIND_COUNT ? kindIndex : current;
    return userIndex >= 0 && userIndex < userCount && userIndex + MARK_KIND_USER_BASE <= 255
               ? MARK_KIND_USER_BASE + userIndex
               : current;
}

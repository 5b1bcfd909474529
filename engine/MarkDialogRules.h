// What the mark dialogs decide without windows: the working block at opening, which controls the user may use,
// the shadow width typed into the width box and the mark kind the dialog hands back.
#pragma once

#include <windows.h>

#include "SettingsTypes.h"

// Widest shadow the width box takes.
#define MARK_SHADOW_WIDTH_MAX SHADOW_WIDTH_MAX
// The font a mark dialog shows when the caller does not let the font change.
#define MARK_FIXED_FONT_FACE "ＭＳ Ｐ明朝"
#define MARK_FIXED_FONT_HEIGHT (-24)

// Which controls of a mark dialog may be used.
struct MarkControlStates {
    bool MarkKind;    // the mark box and the mark colour button
    bool Font;        // the font button
    bool TextColor;   // the text colour button
    bool PlainColor;  // the check box that keeps the text's normal colour
    bool Decoration;  // decoration colour, width, directions and gradation
    bool Choice;      // the radios between an individual mark and a user mark (with user marks only)
    bool UserMark;    // the list of user marks (with user marks only)
};

// Prepares the dialog's working copy: a shadow direction that no radio stands for becomes down-right (255 and
// above the outline), and a font the caller does not let change becomes the fixed font.
void OpenMarkBlock(MarkDlgData* work);

// The controls' states: the plain form (withUserMarks 0) follows the caller's may-edit flags; the form with user
// marks follows only the chosen side (individual 1: the individual mark), every control of that side open.
MarkControlStates MarkControlStatesOf(const MarkDlgData& block, int withUserMarks, int individual);

// The width typed into the width box: its leading number, at most MARK_SHADOW_WIDTH_MAX however long. 1 and
// *width, or 0 for a text that does not begin with a digit.
int ParseShadowWidth(const char* text, int* width);

// Where the preview of a sample day draws its mark and its text.
struct MarkPreviewPlace {
    int FontHeight;  // the style's font gets this height
    RECT MarkBox;    // handed to the day-mark drawing
    POINT Text;      // where the text starts
};

// The font height of the preview: a character height of eight tenths of the client's height.
int MarkPreviewFontHeight(const RECT& client);
// The places in client for a text of textSize in a font of fontHeight: outline marks (kinds 1-3) start where the
// centred text starts, a tenth of the text's height down; other marks take the client less its last column and row.
// Italic text moves left by a fifth of the font height.
MarkPreviewPlace PlaceMarkPreview(const RECT& client, SIZE textSize, int markKind, int fontHeight, int italic);

// The mark kind of the dialog's choice: the mark box's index for an individual mark, else the user mark of the
// list's index; current when the chosen list has no valid selection (an empty or unselected list).
int ChosenMarkType(int individual, int kindIndex, int userIndex, int userCount, int current);

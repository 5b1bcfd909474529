#include "PicturePlacement.h"

namespace {

int Align(BYTE align, int area, int size, int nearMargin, int farMargin)
{
    if (align == PICTURE_ALIGN_CENTER)
        return (area - size) / 2;
    if (align == PICTURE_ALIGN_FAR)
        return area - size - farMargin;
    return nearMargin;
}

}  // namespace

extern "C" {

int PlacePicture(int clientWidth, int clientHeight, int pictureWidth, int pictureHeight, BYTE alignX, BYTE alignY,
                 BYTE mode, const RECT* margins, RECT* destination)
{
    if (!destination || pictureWidth <= 0 || pictureHeight <= 0)
        return 0;
    RECT m = {0, 0, 0, 0};
    if (margins)
        m = *margins;
    if (mode == PICTURE_MODE_STRETCH) {
        SetRect(destination, m.left, m.top, clientWidth - m.right, clientHeight - m.bottom);
        return 1;
    }
    int x = Align(alignX, clientWidth, pictureWidth, m.left, m.right);
    int y = Align(alignY, clientHeight, pictureHeight, m.top, m.bottom);
    SetRect(destination, x, y, x + pictureWidth, y + pictureHeight);
    return 1;
}

}  // extern "C"

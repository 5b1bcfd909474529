// The image library "imgctl.dll" that the wallpaper mode uses (our own, under layers/imgctl): its exports with
// their function types. A picture is a handle of the library: a 24-bit bottom-up DIB, each row padded to 4 bytes.
#pragma once

#include <windows.h>

#include "ModuleExport.h"

// A picture of the library.
typedef HANDLE HDIB;

#define IMGCTL_MODULE_EXPORTS(X)                                                                                 \
    /* Reads a picture file (BMP, JPEG, PNG, GIF); null when it cannot. */                                       \
    X(ToDIB, HDIB, (const char* path))                                                                           \
    /* A new black picture of the header's size (24 bits only). */                                               \
    X(CreateDIB, HDIB, (const BITMAPINFOHEADER* header, int flags))                                              \
    /* The pixel rows, bottom row first, from pixel (x, y) into *pixels; 1. */                                   \
    X(MapDIB, int, (HDIB picture, int x, int y, void** pixels, int flags))                                       \
    /* The picture scaled smoothly to width x height, as a new picture. */                                       \
    X(ResizeDIB, HDIB, (HDIB picture, int width, int height))                                                    \
    X(HeadDIB, int, (HDIB picture, BITMAPINFOHEADER* header))                                                    \
    /* Draws width x height from (sourceX, sourceY), top left (all of it when width or height is 0). */          \
    X(DIBtoDC, int,                                                                                              \
      (HDC dc, int x, int y, int width, int height, HDIB picture, int sourceX, int sourceY, DWORD rop))          \
    X(DCtoDIB, HDIB, (HDC dc, int x, int y, int width, int height))                                              \
    /* Writes a 24-bit BMP file; 1 on success. */                                                                \
    X(DIBtoBMP, int, (const char* path, HDIB picture))                                                           \
    X(DeleteDIB, int, (HDIB picture))

namespace ImgctlModule {

IMGCTL_MODULE_EXPORTS(DAYLENS_EXPORT_TYPE)
DAYLENS_EXPORT_TABLE(IMGCTL_MODULE_EXPORTS)

constexpr const char kFileName[] = "imgctl.dll";

}  // namespace ImgctlModule

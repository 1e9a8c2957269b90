#pragma once
// The device-independent bitmap header layout the chassis picture shares with the console.

#include <cstdint>

#include "framework/afx/win_types.h"

struct BITMAPINFOHEADER {  // 40 bytes, as stored in bitmap files
    DWORD biSize;
    std::int32_t biWidth;
    std::int32_t biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    std::int32_t biXPelsPerMeter;
    std::int32_t biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];  // the colour table runs on behind the header
};

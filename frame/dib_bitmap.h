#pragma once
// A device-independent bitmap in memory, shared with the console's drawing of the chassis.
// Loading and drawing live in the console; the module only reads through these accessors.

#include "frame/bitmap_info.h"
#include "framework/afx/collections.h"

class CDIBitmap : public CObject {
public:
    CDIBitmap() = default;
    ~CDIBitmap() override = default;
    CDIBitmap(const CDIBitmap&) = delete;
    CDIBitmap& operator=(const CDIBitmap&) = delete;

    BITMAPINFO* GetBitmapInfoAddress() const { return m_pInfo; }
    BYTE* GetBitsAddress() const { return m_pBits; }
    // The colour table follows the 40-byte header.
    RGBQUAD* GetColorTableAddress() const {
        return reinterpret_cast<RGBQUAD*>(reinterpret_cast<BYTE*>(m_pInfo) +
                                          sizeof(BITMAPINFOHEADER));
    }
    int DibWidth() const { return m_pInfo->bmiHeader.biWidth; }
    int DibHeight() const { return m_pInfo->bmiHeader.biHeight; }
    int GetBitsPerPixel() const { return m_pInfo->bmiHeader.biBitCount; }
    // Bytes per scan line: scan lines are padded to whole 32-bit words.
    int StorageWidth() const {
        const long bits = static_cast<long>(DibWidth()) * GetBitsPerPixel();
        return static_cast<int>(((bits + 31) / 8) & ~3L);
    }
    int GetStorageWidth() const { return StorageWidth(); }
    BOOL IsLoaded() const { return m_loaded; }

protected:
    BITMAPINFO* m_pInfo = nullptr;  // header and colour table; owned by the console's loader
    BYTE* m_pBits = nullptr;
    BOOL m_loaded = FALSE;
    // The console keeps the size of the allocation here; the module never touches it.
    DWORD m_infoSize = 0;
};

#pragma once
// An off-screen drawing buffer of the console's chassis picture.

#include "frame/dib_bitmap.h"

class CPalette;  // the console's palette object; the module only passes it along

class CDIBBuffer : public CObject {
public:
    CDIBBuffer() = default;
    ~CDIBBuffer() override = default;
    CDIBBuffer(const CDIBBuffer&) = delete;
    CDIBBuffer& operator=(const CDIBBuffer&) = delete;

    CDIBitmap* GetDIB() const { return m_pDib; }
    CPalette* GetPalette() const { return m_pPalette; }
    CSize GetSize() const { return m_size; }

protected:
    CDIBitmap* m_pDib = nullptr;
    CPalette* m_pPalette = nullptr;
    CSize m_size;
};

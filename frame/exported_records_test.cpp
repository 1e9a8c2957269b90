// The records the module shares with the console: what their accessors compute.

#include <gtest/gtest.h>

#include <vector>

#include "frame/dib_bitmap.h"
#include "frame/selected_object.h"
#include "frame/sw_part.h"

namespace {

// A bitmap as the console's loader leaves it: header and colour table in one block.
class LoadedBitmap : public CDIBitmap {
public:
    LoadedBitmap(int width, int height, int bitsPerPixel) : m_block(40 + 256 * 4) {
        m_pInfo = reinterpret_cast<BITMAPINFO*>(m_block.data());
        m_pInfo->bmiHeader.biSize = 40;
        m_pInfo->bmiHeader.biWidth = width;
        m_pInfo->bmiHeader.biHeight = height;
        m_pInfo->bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
        m_loaded = TRUE;
    }

private:
    std::vector<std::uint32_t> m_block;
};

TEST(DIBitmap, ScanLinesArePaddedToWholeWords) {
    struct Case {
        int width, bits, bytes;
    } const cases[] = {
        {1, 1, 4},    {32, 1, 4}, {33, 1, 8},  {3, 4, 4},      {8, 8, 8},       {9, 8, 12},
        {10, 24, 32}, {1, 24, 4}, {4, 24, 12}, {100, 32, 400}, {640, 24, 1920}, {0, 24, 0},
    };
    for (const Case& c : cases) {
        LoadedBitmap bitmap(c.width, 7, c.bits);
        EXPECT_EQ(bitmap.StorageWidth(), c.bytes) << c.width << " x " << c.bits;
        EXPECT_EQ(bitmap.GetStorageWidth(), c.bytes);
        EXPECT_EQ(bitmap.StorageWidth() % 4, 0);
    }
}

TEST(DIBitmap, ReadsItsHeaderAndFindsTheColourTableBehindIt) {
    LoadedBitmap bitmap(20, -15, 8);
    EXPECT_EQ(bitmap.DibWidth(), 20);
    EXPECT_EQ(bitmap.DibHeight(), -15);
    EXPECT_EQ(bitmap.GetBitsPerPixel(), 8);
    EXPECT_TRUE(bitmap.IsLoaded());
    EXPECT_EQ(reinterpret_cast<BYTE*>(bitmap.GetColorTableAddress()) -
                  reinterpret_cast<BYTE*>(bitmap.GetBitmapInfoAddress()),
              40);
    EXPECT_EQ(bitmap.GetColorTableAddress(), &bitmap.GetBitmapInfoAddress()->bmiColors[0]);
}

TEST(ExportedRecords, PartRectAndSelectionKeepWhatTheyAreGiven) {
    CSwPart part(3, 4, 30, 40);
    EXPECT_EQ(part.GetRect(), CRect(3, 4, 30, 40));

    CSelectedObject selected;
    EXPECT_EQ(selected.GetControl(), nullptr);
    selected.SetSlot(5);
    selected.SetPort(12);
    EXPECT_EQ(selected.GetSlot(), 5);
    EXPECT_EQ(selected.GetPort(), 12);
}

}  // namespace

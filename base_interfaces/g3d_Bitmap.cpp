#include "g3d_Bitmap.h"

#include "crt_Assert.h"

void g3d_Bitmap::SetSize(int width, int height, bool withPixels, bool clear)
{
    QEL_ASSERT(width >= 0 && height >= 0);
    width_ = width;
    height_ = height;
    if (!withPixels) {
        pixels_.clear();
        pixels_.shrink_to_fit();
        return;
    }
    std::size_t bytes = static_cast<std::size_t>(BytesPerRow()) * static_cast<std::size_t>(height);
    if (clear)
        pixels_.assign(bytes, 0);
    else
        pixels_.resize(bytes, 0);
}

bool g3d_Bitmap::Pixel(int x, int row) const
{
    QEL_ASSERT(x >= 0 && x < width_ && row >= 0 && row < height_ && HasPixels());
    return (Row(row)[x >> 3] & (0x80u >> (x & 7))) != 0;
}

void g3d_Bitmap::SetPixel(int x, int row, bool on)
{
    QEL_ASSERT(x >= 0 && x < width_ && row >= 0 && row < height_ && HasPixels());
    std::uint8_t & byte = Row(row)[x >> 3];
    std::uint8_t const bit = static_cast<std::uint8_t>(0x80u >> (x & 7));
    byte = on ? static_cast<std::uint8_t>(byte | bit) : static_cast<std::uint8_t>(byte & ~bit);
}

bool g3d_Bitmap::operator==(g3d_Bitmap const & o) const
{
    return width_ == o.width_ && height_ == o.height_ && pixels_ == o.pixels_ && xOffset == o.xOffset &&
           yOffset == o.yOffset && xAdvance == o.xAdvance && yAdvance == o.yAdvance;
}

// A 1-bit glyph image: leftmost pixel in the most significant bit, rows padded
// to whole bytes and stored bottom row first, with its placement metrics.
#ifndef G3D_BITMAP_H
#define G3D_BITMAP_H

#include <cstdint>
#include <vector>

class g3d_Bitmap {
public:
    g3d_Bitmap() = default;

    // `withPixels` false gives the bitmap only its dimensions (no pixel memory).
    // `clear` zeroes the pixel memory; otherwise existing bytes are kept where they fit.
    void SetSize(int width, int height, bool withPixels, bool clear = true);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int BytesPerRow() const { return (width_ + 7) / 8; }
    bool HasPixels() const { return !pixels_.empty(); }

    // Row 0 is the bottom row.
    std::uint8_t * Row(int row) { return pixels_.data() + static_cast<std::size_t>(row) * BytesPerRow(); }
    std::uint8_t const * Row(int row) const { return pixels_.data() + static_cast<std::size_t>(row) * BytesPerRow(); }
    std::vector<std::uint8_t> const & Pixels() const { return pixels_; }

    bool Pixel(int x, int row) const;
    void SetPixel(int x, int row, bool on);

    // Placement relative to the pen and the pen's advance, in pixels.
    float xOffset = 0.0f;
    float yOffset = 0.0f;
    float xAdvance = 0.0f;
    float yAdvance = 0.0f;

    bool operator==(g3d_Bitmap const & o) const;
    bool operator!=(g3d_Bitmap const & o) const { return !(*this == o); }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> pixels_;
};

#endif

// TBitmap: a 24-bit off-screen bitmap with its own canvas.  It is both the
// picture content of image controls, loaded from uncompressed 24-bit BMP
// files, and the buffer that charts paint into before one block copy.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "framework/Canvas.h"
#include "framework/Graphic.h"

namespace cvcalc {

class TBitmap : public TGraphic {
public:
    CVCALC_CLASS_INFO()

    // Limits of BMP data this program accepts: side lengths and file size.
    static constexpr int MaxSide = 32767;
    static constexpr std::uint32_t MaxFileBytes = 64u * 1024u * 1024u;

    explicit TBitmap(int width = 0, int height = 0);
    ~TBitmap() override;

    int Width() const override;
    int Height() const override;
    // A new size starts white; the same size keeps the pixels.
    void SetSize(int width, int height);
    TCanvas& Canvas() { return canvas_; }
    // 0x00BBGGRR, or InvalidColor outside the bitmap.
    RgbColor Pixel(int x, int y) const;

    void Draw(TCanvas& canvas, int x, int y) const override;
    // A 4-byte little-endian byte count, then that many bytes of BMP file.
    void ReadData(TStream& stream) override;
    // A complete BMP file: "BM", the file header, a BITMAPINFOHEADER (or a
    // longer header) describing one plane of 24 bits, no compression and a
    // positive height (rows bottom-up), then the pixel rows.  Anything else,
    // or data that ends early, raises EInvalidGraphic "ビットマップ イメージが不正です".
    void LoadFromBmp(std::span<const std::uint8_t> file);

    const TOffscreenBitmap& Offscreen() const { return *pixels_; }

private:
    std::unique_ptr<TOffscreenBitmap> pixels_;
    TCanvas canvas_;
};

}  // namespace cvcalc

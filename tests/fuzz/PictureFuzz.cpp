// libFuzzer target: a picture's "Data" payload as an image control reads it
// from a form (a short class name, a 32-bit length, a BMP file).  Every
// input must load or end in the invalid-graphic or class-not-found error;
// a loaded bitmap must have the size its header gives and be drawable.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/GraphicErrors.h"
#include "framework/Picture.h"
#include "shell/core/MemoryStream.h"
#include "shell/core/StreamErrors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace cvcalc;
    TPicture picture;
    try {
        TMemoryStream stream(std::span<const unsigned char>(data, size));
        picture.ReadData(stream);
    } catch (const EInvalidGraphic&) {
        return 0;
    } catch (const EClassNotFound&) {
        return 0;
    }
    const int width = picture.Width(), height = picture.Height();
    if (width <= 0 || height <= 0 || width > TBitmap::MaxSide || height > TBitmap::MaxSide) std::abort();
    // Drawing it onto a small bitmap touches every stored row it shows.
    TBitmap target(8, 8);
    target.Canvas().Draw(0, 0, picture.Bitmap());
    return 0;
}

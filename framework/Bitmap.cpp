// TBitmap: off-screen pixels, their canvas, and the reading of BMP files.
#include "framework/Bitmap.h"

#include <cstring>
#include <vector>

#include "framework/GraphicErrors.h"
#include "platform/core/MessageTable.h"
#include "shell/core/ClassInfo.h"
#include "shell/core/Stream.h"

namespace cvcalc {

const TClassInfo& TGraphic::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TGraphic>("TGraphic", TPersistent::StaticClassInfo());
    return info;
}

const TClassInfo& TBitmap::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TBitmap>("TBitmap", TGraphic::StaticClassInfo());
    return info;
}

namespace {

[[noreturn]] void InvalidBitmap() { throw EInvalidGraphic(LoadMessage(msg::InvalidBitmap)); }

std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

}  // namespace

TBitmap::TBitmap(int width, int height) : pixels_(std::make_unique<TOffscreenBitmap>(width, height)) {
    canvas_.Attach(&pixels_->Surface());
}

TBitmap::~TBitmap() = default;

int TBitmap::Width() const { return pixels_->Width(); }
int TBitmap::Height() const { return pixels_->Height(); }

void TBitmap::SetSize(int width, int height) {
    if (width == Width() && height == Height()) return;
    pixels_->SetSize(width, height);
    // The surface went back to its defaults; the canvas hands its tools over again.
    canvas_.Attach(&pixels_->Surface());
}

RgbColor TBitmap::Pixel(int x, int y) const { return pixels_->Pixel(x, y); }

void TBitmap::Draw(TCanvas& canvas, int x, int y) const { canvas.Draw(x, y, *this); }

void TBitmap::ReadData(TStream& stream) {
    std::uint8_t countBytes[4];
    if (stream.Read(countBytes, 4) != 4) InvalidBitmap();
    const std::uint32_t count = U32(countBytes, 0);
    if (count > MaxFileBytes) InvalidBitmap();
    std::vector<std::uint8_t> file(count);
    if (count && stream.Read(file.data(), count) != count) InvalidBitmap();
    LoadFromBmp(file);
}

void TBitmap::LoadFromBmp(std::span<const std::uint8_t> file) {
    constexpr std::size_t FileHeader = 14;
    constexpr std::size_t InfoHeader = 40;
    if (file.size() < FileHeader + InfoHeader || file[0] != 'B' || file[1] != 'M') InvalidBitmap();
    const std::uint32_t offBits = U32(file, 10);
    const std::uint32_t headerSize = U32(file, 14);
    if (headerSize < InfoHeader || FileHeader + std::uint64_t{headerSize} > file.size()) InvalidBitmap();
    const auto width = static_cast<std::int32_t>(U32(file, 18));
    const auto height = static_cast<std::int32_t>(U32(file, 22));
    const std::uint16_t planes = U16(file, 26);
    const std::uint16_t bitCount = U16(file, 28);
    const std::uint32_t compression = U32(file, 30);
    if (width <= 0 || height <= 0 || width > MaxSide || height > MaxSide || planes != 1 || bitCount != 24 ||
        compression != 0)
        InvalidBitmap();
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * 3 + 3) / 4 * 4;
    const std::uint64_t lastRow = static_cast<std::uint64_t>(width) * 3;
    // The pixels must lie after the headers and end inside the file; the
    // last row may leave out its padding, as some writers do.
    if (offBits < FileHeader + headerSize || offBits > file.size()) InvalidBitmap();
    const std::uint64_t need = stride * static_cast<std::uint64_t>(height - 1) + lastRow;
    if (need > file.size() - offBits) InvalidBitmap();
    const TNativeImage image = TNativeImage::FromBottomUpBgr(width, height, file.subspan(offBits), stride);
    pixels_->SetSize(width, height);
    canvas_.Attach(&pixels_->Surface());
    canvas_.Draw(0, 0, image);
}

}  // namespace cvcalc

// Off-screen bitmaps over QImage, each with one persistent drawing surface.
#include "platform/gui/OffscreenBitmap.h"

#include <QtCore/QBuffer>
#include <algorithm>
#include <cstring>

#include "platform/gui/GuiPlatform.h"
#include "platform/gui/QtBridge.h"

namespace cvcalc {

namespace {
constexpr int MaxDimension = 32767;

QImage WhiteImage(int width, int height) {
    width = std::clamp(width, 0, MaxDimension);
    height = std::clamp(height, 0, MaxDimension);
    if (width == 0 || height == 0) return QImage();
    QImage image(width, height, QImage::Format_RGB32);
    // A failed allocation leaves a null image: a 0 x 0 bitmap, not a crash.
    if (!image.isNull()) image.fill(Qt::white);
    return image;
}
}  // namespace

TOffscreenBitmap::TOffscreenBitmap(int width, int height) : impl_(std::make_unique<Impl>()) {
    InitPlatform();
    impl_->image = WhiteImage(width, height);
}

TOffscreenBitmap::~TOffscreenBitmap() {
    // The painter must end before the image it paints on goes.
    impl_->surface.reset();
}

bool TOffscreenBitmap::SavePng(const std::string& path) const {
    return !impl_->image.isNull() && impl_->image.save(QString::fromStdString(path), "PNG");
}

std::string TOffscreenBitmap::EncodePng(std::string_view description) const {
    if (impl_->image.isNull()) return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (description.empty()) {
        impl_->image.save(&buffer, "PNG");
    } else {
        QImage described = impl_->image;
        described.setText(QStringLiteral("Description"),
                          QString::fromUtf8(description.data(), qsizetype(description.size())));
        described.save(&buffer, "PNG");
    }
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

int TOffscreenBitmap::Width() const { return impl_->image.width(); }

int TOffscreenBitmap::Height() const { return impl_->image.height(); }

void TOffscreenBitmap::SetSize(int width, int height) {
    width = std::clamp(width, 0, MaxDimension);
    height = std::clamp(height, 0, MaxDimension);
    if (width == Width() && height == Height()) return;
    if (impl_->surface) AttachSurface(*impl_->surface, nullptr);
    impl_->image = WhiteImage(width, height);
    if (impl_->surface) AttachSurface(*impl_->surface, impl_->image.isNull() ? nullptr : &impl_->image);
}

TSurface& TOffscreenBitmap::Surface() {
    if (!impl_->surface) {
        impl_->surface = MakeSurface(nullptr);
        if (!impl_->image.isNull()) AttachSurface(*impl_->surface, &impl_->image);
    }
    return *impl_->surface;
}

void TOffscreenBitmap::PaintWindow(const TNativeWindow& window) {
    QWidget* widget = WidgetOf(&window);
    if (widget == nullptr || impl_->image.isNull()) return;
    // Rendered into an image of its own: the bitmap may have a painter of
    // its own at work, and an image takes one painter at a time.
    QImage shot = impl_->image.copy();
    widget->render(&shot, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    const auto bytes = static_cast<std::size_t>(std::min(shot.bytesPerLine(), impl_->image.bytesPerLine()));
    for (int y = 0; y < shot.height(); ++y) std::memcpy(impl_->image.scanLine(y), shot.constScanLine(y), bytes);
}

RgbColor TOffscreenBitmap::Pixel(int x, int y) const {
    if (!impl_->image.valid(x, y)) return InvalidColor;
    return FromQRgb(impl_->image.pixel(x, y));
}

}  // namespace cvcalc

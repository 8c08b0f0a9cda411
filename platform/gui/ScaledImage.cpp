// Figures at a multiple of their size: a QImage of that device pixel ratio
// under a vector-mode surface.
#include "platform/gui/ScaledImage.h"

#include <QtCore/QBuffer>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <algorithm>
#include <cmath>

#include "platform/gui/GuiPlatform.h"
#include "platform/gui/QtBridge.h"

namespace cvcalc {

namespace {
constexpr int MaxSide = 32767;
constexpr double PixelsPerMetre = 96 / 0.0254;
}  // namespace

struct TScaledImage::Impl {
    QImage image;
    QPainter painter;
    std::unique_ptr<TSurface> surface;
};

TScaledImage::TScaledImage(int width, int height, int scale) : impl_(std::make_unique<Impl>()) {
    InitPlatform();
    scale = std::clamp(scale, 1, 8);
    width = std::clamp(width, 0, MaxSide / scale);
    height = std::clamp(height, 0, MaxSide / scale);
    if (width > 0 && height > 0) {
        impl_->image = QImage(width * scale, height * scale, QImage::Format_RGB32);
        impl_->image.fill(Qt::white);
        impl_->image.setDevicePixelRatio(scale);
        // A word processor places the picture at the figure's size.
        const int dots = int(std::lround(PixelsPerMetre * scale));
        impl_->image.setDotsPerMeterX(dots);
        impl_->image.setDotsPerMeterY(dots);
        impl_->painter.begin(&impl_->image);
    }
    impl_->surface = MakeVectorSurface(&impl_->painter);
}

TScaledImage::~TScaledImage() { FinishDrawing(); }

TSurface& TScaledImage::Surface() { return *impl_->surface; }

int TScaledImage::DeviceWidth() const { return impl_->image.width(); }

int TScaledImage::DeviceHeight() const { return impl_->image.height(); }

RgbColor TScaledImage::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= impl_->image.width() || y >= impl_->image.height()) return InvalidColor;
    const QRgb p = impl_->image.pixel(x, y);
    return MakeRgb(unsigned(qRed(p)), unsigned(qGreen(p)), unsigned(qBlue(p)));
}

void TScaledImage::FinishDrawing() {
    if (!impl_->painter.isActive()) return;
    FlushVectorLine(impl_->surface->Internal());
    impl_->painter.end();
}

std::string TScaledImage::EncodePng(std::string_view description) {
    FinishDrawing();
    if (impl_->image.isNull()) return {};
    QImage picture = impl_->image;
    if (!description.empty())
        picture.setText(QStringLiteral("Description"),
                        QString::fromUtf8(description.data(), qsizetype(description.size())));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

}  // namespace cvcalc

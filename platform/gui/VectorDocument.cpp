// Vector documents over QSvgGenerator and QPdfWriter, written into memory.
#include "platform/gui/VectorDocument.h"

#include <QtCore/QBuffer>
#include <QtGui/QPageLayout>
#include <QtGui/QPageSize>
#include <QtGui/QPdfWriter>
#include <QtSvg/QSvgGenerator>
#include <QtSvg/QSvgRenderer>
#include <algorithm>

#include "platform/gui/GuiPlatform.h"
#include "platform/gui/QtBridge.h"

namespace cvcalc {

namespace {
constexpr int PixelsPerInch = 96;
constexpr int MaxSide = 32767;
}  // namespace

struct TVectorDocument::Impl {
    QBuffer buffer;
    std::unique_ptr<QSvgGenerator> svg;
    std::unique_ptr<QPdfWriter> pdf;
    QPainter painter;
    std::unique_ptr<TSurface> surface;
    bool finished = false;
};

TVectorDocument::TVectorDocument(VectorFormat format, int width, int height, std::string_view title,
                                 std::string_view description)
    : impl_(std::make_unique<Impl>()) {
    InitPlatform();
    width = std::clamp(width, 1, MaxSide);
    height = std::clamp(height, 1, MaxSide);
    impl_->buffer.open(QIODevice::WriteOnly);
    if (format == VectorFormat::Svg) {
        impl_->svg = std::make_unique<QSvgGenerator>();
        impl_->svg->setOutputDevice(&impl_->buffer);
        impl_->svg->setSize(QSize(width, height));
        impl_->svg->setViewBox(QRect(0, 0, width, height));
        impl_->svg->setResolution(PixelsPerInch);
        impl_->svg->setTitle(ToQString(title));
        impl_->svg->setDescription(description.empty() ? QStringLiteral("cvcalc")
                                                       : QStringLiteral("cvcalc: ") + ToQString(description));
        impl_->painter.begin(impl_->svg.get());
    } else {
        impl_->pdf = std::make_unique<QPdfWriter>(&impl_->buffer);
        impl_->pdf->setResolution(PixelsPerInch);
        // A PDF's metadata has no description of its own.
        impl_->pdf->setTitle(description.empty() ? ToQString(title)
                                                 : ToQString(title) + QStringLiteral(" — ") + ToQString(description));
        impl_->pdf->setCreator(QStringLiteral("cvcalc"));
        const QPageSize size(QSizeF(width * 72.0 / PixelsPerInch, height * 72.0 / PixelsPerInch), QPageSize::Point,
                             QString(), QPageSize::ExactMatch);
        impl_->pdf->setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        impl_->painter.begin(impl_->pdf.get());
    }
    impl_->surface = MakeVectorSurface(&impl_->painter);
}

TVectorDocument::~TVectorDocument() {
    impl_->surface.reset();  // draws what it gathered
    if (impl_->painter.isActive()) impl_->painter.end();
}

TSurface& TVectorDocument::Surface() { return *impl_->surface; }

std::string TVectorDocument::Finish() {
    if (!impl_->finished) {
        impl_->finished = true;
        FlushVectorLine(impl_->surface->Internal());
        if (impl_->painter.isActive()) impl_->painter.end();
    }
    const QByteArray& bytes = impl_->buffer.data();
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

bool RenderSvg(std::string_view svg, TOffscreenBitmap& target) {
    InitPlatform();
    QImage& image = target.Internal().image;
    if (image.isNull()) return false;
    // The bitmap's own painter must not be active on the image meanwhile.
    TSurface& surface = target.Surface();
    AttachSurface(surface, nullptr);
    image.fill(Qt::white);
    QSvgRenderer renderer(QByteArray(svg.data(), qsizetype(svg.size())));
    bool valid = renderer.isValid();
    if (valid) {
        QPainter painter(&image);
        renderer.render(&painter, QRectF(0, 0, image.width(), image.height()));
    }
    AttachSurface(surface, &image);
    return valid;
}

}  // namespace cvcalc

// Vector documents over QSvgGenerator and QPdfWriter, written into memory.
#include "platform/gui/VectorDocument.h"

#include <QtCore/QBuffer>
#include <QtGui/QPageLayout>
#include <QtGui/QPageSize>
#include <QtGui/QPdfWriter>
#include <QtSvg/QSvgGenerator>
#include <QtSvg/QSvgRenderer>
#include <algorithm>
#include <charconv>
#include <string>

#include "platform/gui/GuiPlatform.h"
#include "platform/gui/QtBridge.h"

namespace cvcalc {

namespace {
constexpr int PixelsPerInch = 96;
constexpr int MaxSide = 32767;

// A coordinate to a millionth of a pixel, without trailing zeros.
void AppendCoordinate(std::string& out, double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    std::string_view text(buffer, std::size_t(result.ptr - buffer));
    if (result.ec != std::errc()) text = "0";
    if (text.find('.') != std::string_view::npos) {
        while (text.back() == '0') text.remove_suffix(1);
        if (text.back() == '.') text.remove_suffix(1);
    }
    if (text == "-0") text = "0";
    out += text;
}

// QSvgGenerator writes coordinates to six significant digits, a hundredth
// of a pixel and less on a figure some hundred pixels wide, and a text as
// one element per run of one script.  The surface kept what was meant
// (SvgIntent): every polyline's points go back in at a millionth of a
// pixel, and every text whole in place of its stand-in.  Elements are
// found in drawing order; should the counts disagree, the generator's own
// polylines stay.
std::string RewriteSvg(std::string_view svg, const SvgIntent& intent) {
    std::string out;
    out.reserve(svg.size() + svg.size() / 2);
    std::size_t polylines = 0;
    for (std::size_t at = svg.find("<polyline"); at != std::string_view::npos; at = svg.find("<polyline", at + 1))
        ++polylines;
    const bool rewriteLines = polylines == intent.polylines.size();
    std::string standIn(1, '>');
    standIn += QString(QChar(SvgIntent::TextStandIn)).toStdString();
    standIn += "</text>";
    std::size_t line = 0, text = 0, pos = 0;
    while (pos < svg.size()) {
        const std::size_t nextLine = rewriteLines ? svg.find("<polyline", pos) : std::string_view::npos;
        const std::size_t nextText = svg.find(standIn, pos);
        if (nextLine == std::string_view::npos && nextText == std::string_view::npos) break;
        if (nextText < nextLine) {
            out.append(svg.substr(pos, nextText - pos));
            out += '>';
            if (text < intent.texts.size()) out += intent.texts[text].toHtmlEscaped().toStdString();
            ++text;
            out += "</text>";
            pos = nextText + standIn.size();
            continue;
        }
        const std::size_t points = svg.find(" points=\"", nextLine);
        const std::size_t end = points == std::string_view::npos ? points : svg.find('"', points + 9);
        if (end == std::string_view::npos) break;
        out.append(svg.substr(pos, points + 9 - pos));
        for (const QPointF& p : intent.polylines[line]) {
            AppendCoordinate(out, p.x());
            out += ',';
            AppendCoordinate(out, p.y());
            out += ' ';
        }
        ++line;
        pos = end;
    }
    out.append(svg.substr(std::min(pos, svg.size())));
    return out;
}
}  // namespace

struct TVectorDocument::Impl {
    QBuffer buffer;
    std::unique_ptr<QSvgGenerator> svg;
    std::unique_ptr<QPdfWriter> pdf;
    QPainter painter;
    std::unique_ptr<TSurface> surface;
    SvgIntent svgIntent;
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
    if (impl_->svg) impl_->surface->Internal().svgIntent = &impl_->svgIntent;
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
    const std::string_view written(bytes.constData(), std::size_t(bytes.size()));
    if (impl_->svg) return RewriteSvg(written, impl_->svgIntent);
    return std::string(written);
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

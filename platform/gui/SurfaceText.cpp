// How a surface puts text on its target, and the kept pixels of texts on
// a bitmap's plain backgrounds.
#include "platform/gui/SurfaceText.h"

#include <QtGui/QPen>
#include <QtGui/QTransform>
#include <algorithm>
#include <climits>
#include <string>

namespace cvcalc {

void PaintText(QPainter& p, const TNativeFont& font, const TextPlacement& place, std::string_view utf8,
               const QColor* fill) {
    if (place.orientation == 0 && utf8.find_first_of("\r\n") == std::string_view::npos) {
        // Upright text on one line keeps its layout from paint to paint.
        const QPoint at(place.x + place.left, place.y + place.top);
        if (fill != nullptr) p.fillRect(QRect(at, QSize(place.width, place.height)), *fill);
        p.drawStaticText(at, TextLayout(font, utf8));
        return;
    }
    // Orientation turns counter-clockwise; Qt's rotation turns clockwise on
    // a y-down surface.  Drawn at a point, text with a line break stays on
    // one line.
    p.save();
    p.translate(place.x, place.y);
    p.rotate(-place.orientation / 10.0);
    if (fill != nullptr) p.fillRect(QRect(place.left, place.top, place.width, place.height), *fill);
    p.drawText(QPoint(place.left, place.top + place.ascent), ToQString(utf8));
    p.restore();
}

namespace {
// Texts larger than this many pixels, with the margin probed around them,
// are drawn each time.
constexpr qsizetype MaxProbedPixels = 1 << 18;

// What makes a text's pixels what they are, besides the background: the
// key of its stamp in the font's cache.
void MakeStampKey(const TSurface::State& s, const TextPlacement& place, std::string_view utf8, std::string& key) {
    const int fields[] = {place.orientation,
                          place.left,
                          place.top,
                          int(s.textColor),
                          int(s.painter->renderHints().toInt()),
                          s.image->dotsPerMeterX(),
                          s.image->dotsPerMeterY()};
    key.assign(reinterpret_cast<const char*>(fields), sizeof fields);
    key.append(utf8);
}

// A blank image like the surface's bitmap, for drawing a text alone.
QImage Scratch(const QImage& like, QSize size, QRgb fill) {
    QImage image(size, like.format());
    image.setDotsPerMeterX(like.dotsPerMeterX());
    image.setDotsPerMeterY(like.dotsPerMeterY());
    image.fill(fill);
    return image;
}

// The text drawn on `image` as the surface draws it, its point at `point`.
void DrawAlone(const TSurface::State& s, QImage& image, QPoint point, const TextPlacement& place,
               std::string_view utf8) {
    QPainter p(&image);
    p.setRenderHints(s.painter->renderHints());
    p.setFont(s.painter->font());
    p.setPen(QPen(ToQColor(s.textColor)));
    TextPlacement at = place;
    at.x = point.x();
    at.y = point.y();
    PaintText(p, s.font, at, utf8, nullptr);
}

// Which pixels the text changes, relative to its point: drawn alone on a
// background as far from its colour as a background can be, every pixel
// it covers at all changes.  The stamp takes one pixel more on every side,
// so that a faint edge the probe could round away is still its own.
// Unusable when the text reaches the probe's rim (it may reach past it).
void Probe(const TSurface::State& s, const TextPlacement& place, std::string_view utf8, TextStamp& stamp) {
    stamp.usable = false;
    QRect region(place.left, place.top, std::max(place.width, 1), std::max(place.height, 1));
    if (place.orientation != 0) region = QTransform().rotate(-place.orientation / 10.0).mapRect(region);
    const int margin = std::max(4, place.height);
    region.adjust(-margin, -margin, margin, margin);
    if (qsizetype(region.width()) * region.height() > MaxProbedPixels) return;

    const QRgb ink = ToQColor(s.textColor).rgb();
    const QRgb far = qRgb(qRed(ink) < 128 ? 255 : 0, qGreen(ink) < 128 ? 255 : 0, qBlue(ink) < 128 ? 255 : 0);
    QImage image = Scratch(*s.image, region.size(), far);
    DrawAlone(s, image, -region.topLeft(), place, utf8);

    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (row[x] == far) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (left > right) {
        stamp.box = QRect();  // the text changes nothing
    } else {
        if (left == 0 || top == 0 || right == image.width() - 1 || bottom == image.height() - 1) return;
        stamp.box = QRect(QPoint(left - 1, top - 1), QPoint(right + 1, bottom + 1)).translated(region.topLeft());
    }
    stamp.usable = true;
}

// The stamp's pixels over `background`, made when first wanted.
const std::vector<QRgb>& LookOver(const TSurface::State& s, const TextPlacement& place, std::string_view utf8,
                                  TextStamp& stamp, QRgb background) {
    for (const TextStamp::Look& look : stamp.looks)
        if (look.background == background) return look.pixels;
    s.font.Internal().text->stampPixels += std::size_t(stamp.box.width()) * std::size_t(stamp.box.height());
    QImage image = Scratch(*s.image, stamp.box.size(), background);
    DrawAlone(s, image, -stamp.box.topLeft(), place, utf8);
    TextStamp::Look look{background, {}};
    look.pixels.reserve(std::size_t(stamp.box.width()) * std::size_t(stamp.box.height()));
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        look.pixels.insert(look.pixels.end(), row, row + image.width());
    }
    if (stamp.looks.size() < TextStamp::MaxLooks) return stamp.looks.emplace_back(std::move(look)).pixels;
    TextStamp::Look& replaced = stamp.looks[stamp.nextLook];
    stamp.nextLook = (stamp.nextLook + 1) % TextStamp::MaxLooks;
    replaced = std::move(look);
    return replaced.pixels;
}
}  // namespace

bool StampText(TSurface::State& s, const TextPlacement& place, std::string_view utf8) {
    // Right angles only: turned by any other, a text's pixels depend on
    // where it stands to the fraction of a pixel.
    // Far from the bitmap (where its box could not be worked out in whole
    // pixels) it is drawn too, and clipped away.
    constexpr int Far = 1 << 24;
    if (s.image == nullptr || s.vector || place.orientation % 900 != 0 || s.image->devicePixelRatio() != 1.0 ||
        s.painter->combinedTransform().type() != QTransform::TxNone || place.x < -Far || place.x > Far ||
        place.y < -Far || place.y > Far)
        return false;
    FontTextCache& cache = *s.font.Internal().text;
    if (!cache.keepsPixels) return false;
    std::string& key = cache.stampKey;
    MakeStampKey(s, place, utf8, key);
    auto it = cache.stamps.find(std::string_view(key));
    if (it == cache.stamps.end() || cache.stampPixels > FontTextCache::MaxStampPixels) {
        // Full (by count or by pixels): all let go, this one made anew.
        if (cache.stamps.size() >= FontTextCache::MaxEntries || cache.stampPixels > FontTextCache::MaxStampPixels) {
            cache.stamps.clear();
            cache.stampPixels = 0;
        }
        // A text met for the first time is drawn as ever: only one that
        // comes back is worth its probe, and a window's first paint stays
        // as quick as it was.
        cache.stamps.emplace(key, TextStamp{});
        return false;
    }
    TextStamp& stamp = it->second;
    if (!stamp.probed) {
        Probe(s, place, utf8, stamp);
        stamp.probed = true;
    }
    if (!stamp.usable) return false;
    if (stamp.box.isEmpty()) return true;

    const QRect box = stamp.box.translated(place.x, place.y);
    const QRect bounds = s.hasClip ? s.image->rect().intersected(s.clipRect) : s.image->rect();
    if (!bounds.contains(box)) return false;
    const qsizetype stride = s.image->bytesPerLine() / 4;
    QRgb* const first = reinterpret_cast<QRgb*>(s.image->bits()) + qsizetype(box.top()) * stride + box.left();
    const QRgb background = first[0];
    const int width = box.width(), height = box.height();
    for (int y = 0; y < height; ++y) {
        const QRgb* row = first + y * stride;
        QRgb differs = 0;
        for (int x = 0; x < width; ++x) differs |= row[x] ^ background;
        if (differs != 0) return false;
    }
    const std::vector<QRgb>& pixels = LookOver(s, place, utf8, stamp, background);
    for (int y = 0; y < height; ++y)
        std::copy_n(pixels.data() + std::size_t(y) * std::size_t(width), width, first + y * stride);
    return true;
}

}  // namespace cvcalc

// The classic device-context operations over a QPainter, with the pen,
// brush, background and alignment semantics the framework's canvas expects.
#include "platform/gui/Surface.h"

#include <QtCore/QList>
#include <QtCore/QVarLengthArray>
#include <QtGui/QFontMetrics>
#include <QtGui/QPen>
#include <QtGui/QPolygon>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "platform/gui/NativeImage.h"
#include "platform/gui/OffscreenBitmap.h"
#include "platform/gui/QtBridge.h"
#include "platform/gui/SurfaceLine.h"
#include "platform/gui/SurfaceText.h"

namespace cvcalc {

namespace {
bool IsCosmetic(const NativePen& pen) { return !pen.geometric; }

// Dash patterns: cosmetic ones in pixels (the walk's), geometric ones in pen widths.
QList<qreal> CosmeticPattern(NativePenStyle style) {
    QList<qreal> pattern;
    for (const int run : CosmeticDashes(style)) pattern.append(run);
    return pattern;
}

QList<qreal> GeometricPattern(NativePenStyle style, bool flatEnds) {
    QList<qreal> pattern;
    switch (style) {
    case NativePenStyle::Dash:
        pattern = {3, 1};
        break;
    case NativePenStyle::Dot:
    case NativePenStyle::Alternate:
        pattern = {1, 1};
        break;
    case NativePenStyle::DashDot:
        pattern = {3, 1, 1, 1};
        break;
    case NativePenStyle::DashDotDot:
        pattern = {3, 1, 1, 1, 1, 1};
        break;
    default:
        return {};
    }
    // Round and square ends grow every dash by half the width at each end;
    // shorten the dashes and widen the gaps by as much so the gaps stay open.
    if (!flatEnds)
        for (qsizetype i = 0; i < pattern.size(); ++i)
            pattern[i] = (i % 2 == 0) ? std::max(pattern[i] - 1, 0.001) : pattern[i] + 1;
    return pattern;
}

QPen ToQPen(const NativePen& p) {
    if (p.style == NativePenStyle::Clear) return QPen(Qt::NoPen);
    QPen pen(ToQColor(p.color));
    if (IsCosmetic(p)) {
        pen.setWidth(1);
        pen.setCosmetic(true);
        // Cosmetic lines are the walk's (SurfaceLine.cpp); this pen draws the
        // outlines of figures and lines from beyond the walk's reach.  Qt's
        // flat ends leave out the right or lower end of such a line, whichever
        // way it runs.
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        const QList<qreal> pattern = CosmeticPattern(p.style);
        if (!pattern.isEmpty()) pen.setDashPattern(pattern);
        return pen;
    }
    pen.setWidth(std::clamp(p.width, 1, 10000));
    switch (p.end) {
    case NativePenEnd::Round:
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        break;
    case NativePenEnd::Square:
        pen.setCapStyle(Qt::SquareCap);
        pen.setJoinStyle(Qt::BevelJoin);
        break;
    case NativePenEnd::Flat:
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        break;
    }
    const QList<qreal> pattern = GeometricPattern(p.style, p.end == NativePenEnd::Flat);
    if (!pattern.isEmpty()) pen.setDashPattern(pattern);
    return pen;
}

// On a vector document a cosmetic pen is a line one pixel of the figure
// wide, so that a figure scaled up or down keeps its proportions.
QPen PenFor(const TSurface::State& s) {
    QPen pen = ToQPen(s.pen);
    if (s.vector && !s.pen.geometric && pen.style() != Qt::NoPen) {
        pen.setCosmetic(false);
        pen.setWidthF(1.0);
    }
    return pen;
}

QBrush ToQBrush(const NativeBrush& b) {
    const QColor color = ToQColor(b.color);
    switch (b.style) {
    case NativeBrushStyle::Solid:
        return QBrush(color, Qt::SolidPattern);
    case NativeBrushStyle::Clear:
        return QBrush(Qt::NoBrush);
    case NativeBrushStyle::Horizontal:
        return QBrush(color, Qt::HorPattern);
    case NativeBrushStyle::Vertical:
        return QBrush(color, Qt::VerPattern);
    case NativeBrushStyle::FDiagonal:
        return QBrush(color, Qt::FDiagPattern);
    case NativeBrushStyle::BDiagonal:
        return QBrush(color, Qt::BDiagPattern);
    case NativeBrushStyle::Cross:
        return QBrush(color, Qt::CrossPattern);
    case NativeBrushStyle::DiagCross:
        return QBrush(color, Qt::DiagCrossPattern);
    }
    return QBrush(Qt::NoBrush);
}

QPainter::CompositionMode ToComposition(NativePenMode mode) {
    switch (mode) {
    case NativePenMode::NotXor:
        return QPainter::RasterOp_NotSourceXorDestination;
    case NativePenMode::Xor:
        return QPainter::RasterOp_SourceXorDestination;
    case NativePenMode::Copy:
        break;
    }
    return QPainter::CompositionMode_SourceOver;
}

// Qt's opaque mode sends even solid lines down another rasterising path
// (one pixel shorter ellipses), so it is switched on only where it has
// something to fill: the gaps of styled pens and of hatched brushes.
void ApplyBackgroundMode(TSurface::State& s) {
    if (!s.Active()) return;
    const NativePenStyle ps = s.pen.style;
    const bool styledPen = ps == NativePenStyle::Dash || ps == NativePenStyle::Dot || ps == NativePenStyle::DashDot ||
                           ps == NativePenStyle::DashDotDot || ps == NativePenStyle::Alternate;
    const bool hatched = s.brush.style != NativeBrushStyle::Solid && s.brush.style != NativeBrushStyle::Clear;
    const bool opaque = s.backgroundMode == BackgroundMode::Opaque && (styledPen || hatched);
    s.painter->setBackgroundMode(opaque ? Qt::OpaqueMode : Qt::TransparentMode);
}

void ApplyAll(TSurface::State& s) {
    if (!s.Active()) return;
    QPainter& p = *s.painter;
    p.setRenderHint(QPainter::Antialiasing, s.vector);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.setPen(PenFor(s));
    p.setBrush(ToQBrush(s.brush));
    p.setFont(s.font.Internal().font);
    p.setBackground(QBrush(ToQColor(s.backgroundColor)));
    ApplyBackgroundMode(s);
    if (!s.vector) p.setCompositionMode(ToComposition(s.pen.mode));
    p.setClipping(false);
}

// On a vector document a path through pixel centres covers the pixels the
// bitmap inks: the pixel (x, y) is the square from (x, y) to (x + 1, y + 1).
constexpr QPointF PixelCentre{0.5, 0.5};

// Vector documents draw lines and outlines half a pixel in, at the centres.
// A polyline's painter moves, so that its points in an SVG are the chart's
// positions themselves; the outlines' geometry moves instead, since a
// painter's transform changed around every marker would give each its own
// group of the SVG's whole style, some four hundred bytes for a fifty-byte
// circle.
class CentredPaths {
public:
    explicit CentredPaths(TSurface::State& s) : painter_(s.vector ? s.painter : nullptr) {
        if (painter_ != nullptr) painter_->translate(PixelCentre);
    }
    ~CentredPaths() {
        if (painter_ != nullptr) painter_->translate(-PixelCentre);
    }
    CentredPaths(const CentredPaths&) = delete;
    CentredPaths& operator=(const CentredPaths&) = delete;

private:
    QPainter* painter_;
};

QRectF Centred(const TSurface::State& s, const QRectF& box) { return s.vector ? box.translated(PixelCentre) : box; }

QPolygonF Centred(QPolygonF polygon) {
    polygon.translate(PixelCentre);
    return polygon;
}

void ResetSettings(TSurface::State& s) {
    s.pen = NativePen{};
    s.brush = NativeBrush{};
    s.font = TNativeFont();
    s.textColor = 0;
    s.backgroundMode = BackgroundMode::Opaque;
    s.backgroundColor = 0xFFFFFF;
    s.textAlign = textalign::Left | textalign::Top;
    s.penPosition = {};
    s.penPositionF = {};
    s.hasClip = false;
    s.clipRect = QRect();
    s.linePlan.valid = false;
}

QRectF OutlineBox(const NativePen& pen, qreal x0, qreal y0, qreal x1, qreal y1) {
    // The path of a one-pixel outline runs through the outermost pixels of
    // the end-exclusive box.
    QRectF box(x0, y0, x1 - x0 - 1, y1 - y0 - 1);
    if (pen.geometric && pen.style == NativePenStyle::InsideFrame && pen.width > 1) {
        const qreal inset = (pen.width - 1) / 2.0;
        box.adjust(inset, inset, -inset, -inset);
    }
    return box;
}

QRectF OutlineBox(const NativePen& pen, const QRectF& box) {
    return OutlineBox(pen, box.left(), box.top(), box.right(), box.bottom());
}

// A box at least two pixels wide and high on a bitmap, its outline in a
// solid one-pixel pen and its inside in a solid brush or left alone, all
// copied: the pixels Qt's painter sets for such a box, written directly.
void FillBox(TSurface::State& s, int x0, int y0, int x1, int y1) {
    QRect bounds = s.image->rect();
    if (s.hasClip) bounds = bounds.intersected(s.clipRect);
    const QRect box = QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1)).intersected(bounds);
    if (box.isEmpty()) return;
    const QRgb outline = 0xFF000000u | ToQColor(s.pen.color).rgb();
    const bool filled = s.brush.style == NativeBrushStyle::Solid;
    const QRgb inside = 0xFF000000u | ToQColor(s.brush.color).rgb();
    const qsizetype stride = s.image->bytesPerLine() / 4;
    QRgb* const bits = reinterpret_cast<QRgb*>(s.image->bits());
    for (int y = box.top(); y <= box.bottom(); ++y) {
        QRgb* const row = bits + qsizetype(y) * stride;
        if (y == y0 || y == y1 - 1) {
            std::fill(row + box.left(), row + box.right() + 1, outline);
            continue;
        }
        if (filled) std::fill(row + box.left(), row + box.right() + 1, inside);
        if (box.left() == x0) row[x0] = outline;
        if (box.right() == x1 - 1) row[x1 - 1] = outline;
    }
}

// Copies ignore the pen's raster mode, as the classic block copy does.
class CopyMode {
public:
    explicit CopyMode(QPainter& p) : painter_(p), saved_(p.compositionMode()) {
        p.setCompositionMode(QPainter::CompositionMode_Source);
    }
    ~CopyMode() { painter_.setCompositionMode(saved_); }

private:
    QPainter& painter_;
    QPainter::CompositionMode saved_;
};

// A polyline on a document, its points kept for an SVG's rewrite.
void DrawDocumentPolyline(TSurface::State& s, const QPolygonF& line) {
    if (s.svgIntent != nullptr) s.svgIntent->polylines.push_back(line);
    CentredPaths centred(s);
    s.painter->drawPolyline(line);
}

// A text on a document; an SVG's gets its stand-in (SvgIntent).
void DrawDocumentText(TSurface::State& s, QPoint at, const QString& text) {
    if (s.svgIntent == nullptr) {
        s.painter->drawText(at, text);
        return;
    }
    s.svgIntent->texts.push_back(text);
    s.painter->drawText(at, QString(QChar(SvgIntent::TextStandIn)));
}

// A line on a document: lines that go on where the last one ended become
// one path, solid or dashed.  A dashed curve's pattern then runs on along
// the whole curve, as a drawing program draws it, where a bitmap starts it
// afresh with each segment; a hundred-segment curve is one element, not a
// hundred.
void GatherDocumentLine(TSurface::State& s, QPointF from, QPointF to) {
    if (s.pen.style == NativePenStyle::Clear) return;
    QPolygonF& line = s.pendingLine;
    if (!line.isEmpty() && line.back() != from) FlushVectorLine(s);
    if (line.isEmpty()) line.append(from);
    line.append(to);
}

// The box between two corners on a document, after the gathered line is
// drawn; nothing when there is nothing to draw.
std::optional<QRectF> DocumentBox(TSurface::State& s, PixelPointF a, PixelPointF b) {
    if (!s.pendingLine.isEmpty()) FlushVectorLine(s);
    if (!s.Active()) return std::nullopt;
    const QRectF box = QRectF(QPointF(a.x, a.y), QPointF(b.x, b.y)).normalized();
    if (box.width() == 0 || box.height() == 0) return std::nullopt;
    return box;
}

// Bitmaps and windows draw at whole pixels.
int NearestPixel(double v) {
    if (!(v == v)) return 0;
    return static_cast<int>(std::lround(std::clamp(v, -1e9, 1e9)));
}
PixelPoint NearestPixel(PixelPointF p) { return {NearestPixel(p.x), NearestPixel(p.y)}; }

}  // namespace

void FlushVectorLine(TSurface::State& s) {
    if (s.pendingLine.size() < 2) {
        s.pendingLine.clear();
        return;
    }
    if (s.Active()) DrawDocumentPolyline(s, s.pendingLine);
    s.pendingLine.clear();
}

std::unique_ptr<TSurface> MakeSurface(QPainter* painter) {
    auto state = std::make_unique<TSurface::State>();
    state->painter = painter;
    ResetSettings(*state);
    ApplyAll(*state);
    return std::make_unique<TSurface>(std::move(state));
}

std::unique_ptr<TSurface> MakeVectorSurface(QPainter* painter) {
    auto state = std::make_unique<TSurface::State>();
    state->painter = painter;
    state->vector = true;
    ResetSettings(*state);
    ApplyAll(*state);
    return std::make_unique<TSurface>(std::move(state));
}

void AttachSurface(TSurface& surface, QPaintDevice* device) {
    TSurface::State& s = surface.Internal();
    if (s.ownedPainter) s.ownedPainter->end();
    s.ownedPainter.reset();
    s.painter = nullptr;
    s.image = nullptr;
    if (device != nullptr) {
        s.ownedPainter = std::make_unique<QPainter>(device);
        if (device->devType() == QInternal::Image) {
            auto* image = static_cast<QImage*>(device);
            if (image->format() == QImage::Format_RGB32) s.image = image;
        }
        s.painter = s.ownedPainter.get();
    }
    ResetSettings(s);
    ApplyAll(s);
}

TSurface::TSurface(std::unique_ptr<State> state) : state_(std::move(state)) {}

TSurface::~TSurface() {
    if (!state_->pendingLine.isEmpty()) FlushVectorLine(*state_);
    if (state_->ownedPainter) state_->ownedPainter->end();
}

void TSurface::SetPen(const NativePen& pen) {
    if (!state_->pendingLine.isEmpty() && !(pen == state_->pen)) FlushVectorLine(*state_);
    state_->pen = pen;
    state_->linePlan.valid = false;
    if (!state_->Active()) return;
    state_->painter->setPen(PenFor(*state_));
    if (!state_->vector) state_->painter->setCompositionMode(ToComposition(pen.mode));
    ApplyBackgroundMode(*state_);
}

const NativePen& TSurface::Pen() const { return state_->pen; }

void TSurface::SetBrush(const NativeBrush& brush) {
    state_->brush = brush;
    if (!state_->Active()) return;
    state_->painter->setBrush(ToQBrush(brush));
    ApplyBackgroundMode(*state_);
}

const NativeBrush& TSurface::Brush() const { return state_->brush; }

void TSurface::SetFont(const TNativeFont& font) {
    state_->font = font;
    state_->textColor = font.Request().color;
    if (state_->Active()) state_->painter->setFont(font.Internal().font);
}

const TNativeFont& TSurface::Font() const { return state_->font; }

void TSurface::SetTextColor(RgbColor color) { state_->textColor = color; }

void TSurface::SetBackgroundMode(BackgroundMode mode) {
    const BackgroundMode wanted = mode == BackgroundMode::Opaque ? BackgroundMode::Opaque : BackgroundMode::Transparent;
    if (wanted == state_->backgroundMode) return;
    if (!state_->pendingLine.isEmpty()) FlushVectorLine(*state_);
    state_->backgroundMode = wanted;
    state_->linePlan.valid = false;
    ApplyBackgroundMode(*state_);
}

void TSurface::SetBackgroundColor(RgbColor color) {
    if (color == state_->backgroundColor) return;
    if (!state_->pendingLine.isEmpty()) FlushVectorLine(*state_);
    state_->backgroundColor = color;
    state_->linePlan.valid = false;
    if (state_->Active()) state_->painter->setBackground(QBrush(ToQColor(color)));
}

void TSurface::SetTextAlign(unsigned flags) { state_->textAlign = flags; }

unsigned TSurface::TextAlign() const { return state_->textAlign; }

bool TSurface::Vector() const { return state_->vector; }

void TSurface::MoveTo(int x, int y) {
    state_->penPosition = {x, y};
    state_->penPositionF = {double(x), double(y)};
}

void TSurface::LineTo(int x, int y) {
    const PixelPoint from = state_->penPosition;
    state_->penPosition = {x, y};
    state_->penPositionF = {double(x), double(y)};
    if (!state_->Active() || (from.x == x && from.y == y)) return;
    if (state_->vector) {
        GatherDocumentLine(*state_, QPointF(from.x, from.y), QPointF(x, y));
        return;
    }
    switch (RasteriserFor(state_->pen)) {
    case LineRasteriser::Nothing:
        return;
    case LineRasteriser::Walk:
        if (WithinWalkReach(from, {x, y})) {
            LineWalk(*state_).Draw(from.x, from.y, x, y);
            return;
        }
        break;
    case LineRasteriser::Stroker:
        break;
    }
    state_->painter->drawLine(QPoint(from.x, from.y), QPoint(x, y));
}

PixelPoint TSurface::PenPosition() const { return state_->penPosition; }

void TSurface::LinesThrough(std::span<const PixelPoint> points) {
    if (points.empty()) return;
    MoveTo(points[0].x, points[0].y);
    bool walk = state_->Active() && !state_->vector && RasteriserFor(state_->pen) == LineRasteriser::Walk;
    for (std::size_t i = 1; walk && i < points.size(); ++i) walk = WithinWalkReach(points[i - 1], points[i]);
    if (!walk) {
        for (std::size_t i = 1; i < points.size(); ++i) LineTo(points[i].x, points[i].y);
        return;
    }
    // Copied in one solid pen, lines that go on straight along a row, a
    // column or a diagonal are one line: the walk steps on every pixel of
    // such a line, so the joined line sets the same pixels.
    const bool join = state_->image != nullptr && state_->pen.mode == NativePenMode::Copy &&
                      (state_->pen.geometric || state_->pen.style == NativePenStyle::Solid);
    const auto direction = [](PixelPoint a, PixelPoint b) {
        const int dx = b.x - a.x, dy = b.y - a.y;
        const bool straight = dx == 0 || dy == 0 || dx == dy || dx == -dy;
        return straight ? PixelPoint{(dx > 0) - (dx < 0), (dy > 0) - (dy < 0)} : PixelPoint{2, 2};
    };
    LineWalk line(*state_);
    PixelPoint from = points[0], to = points[0];
    for (std::size_t i = 1; i < points.size(); ++i) {
        const PixelPoint next = points[i];
        if (next == to) continue;
        if (join && to != from) {
            const PixelPoint d = direction(from, to);
            if (d.x != 2 && d == direction(to, next)) {
                to = next;
                continue;
            }
        }
        if (to != from) line.Draw(from.x, from.y, to.x, to.y);
        from = to;
        to = next;
    }
    if (to != from) line.Draw(from.x, from.y, to.x, to.y);
    MoveTo(points.back().x, points.back().y);
}

void TSurface::MoveToF(PixelPointF point) {
    if (!state_->vector) {
        MoveTo(NearestPixel(point).x, NearestPixel(point).y);
        return;
    }
    state_->penPosition = NearestPixel(point);
    state_->penPositionF = point;
}

void TSurface::LineToF(PixelPointF point) {
    if (!state_->vector) {
        LineTo(NearestPixel(point).x, NearestPixel(point).y);
        return;
    }
    const PixelPointF from = state_->penPositionF;
    state_->penPosition = NearestPixel(point);
    state_->penPositionF = point;
    if (!state_->Active() || from == point) return;
    GatherDocumentLine(*state_, QPointF(from.x, from.y), QPointF(point.x, point.y));
}

void TSurface::PolygonF(std::span<const PixelPointF> points) {
    if (!state_->vector) {
        std::vector<PixelPoint> pixels;
        for (const PixelPointF& p : points) pixels.push_back(NearestPixel(p));
        Polygon(pixels);
        return;
    }
    if (!state_->pendingLine.isEmpty()) FlushVectorLine(*state_);
    if (!state_->Active() || points.size() < 2) return;
    QPolygonF polygon;
    for (const PixelPointF& p : points) polygon.append(QPointF(p.x, p.y));
    state_->painter->drawPolygon(Centred(polygon), Qt::OddEvenFill);
}

void TSurface::RectangleF(PixelPointF corner0, PixelPointF corner1) {
    if (!state_->vector)
        return Rectangle(NearestPixel(corner0.x), NearestPixel(corner0.y), NearestPixel(corner1.x),
                         NearestPixel(corner1.y));
    const std::optional<QRectF> box = DocumentBox(*state_, corner0, corner1);
    if (!box) return;
    // As Rectangle: a box no more than one pixel thin is all outline.
    if (state_->pen.style == NativePenStyle::Clear) {
        state_->painter->fillRect(*box, state_->painter->brush());
    } else if (box->width() <= 1 || box->height() <= 1) {
        state_->painter->fillRect(*box, ToQColor(state_->pen.color));
    } else {
        state_->painter->drawRect(Centred(*state_, OutlineBox(state_->pen, *box)));
    }
}

void TSurface::EllipseF(PixelPointF corner0, PixelPointF corner1) {
    if (!state_->vector)
        return Ellipse(NearestPixel(corner0.x), NearestPixel(corner0.y), NearestPixel(corner1.x),
                       NearestPixel(corner1.y));
    const std::optional<QRectF> box = DocumentBox(*state_, corner0, corner1);
    if (!box) return;
    state_->painter->drawEllipse(Centred(*state_, OutlineBox(state_->pen, *box)));
}

namespace {
// Repeated points add nothing to a figure but work for the stroker, and a
// chart's dense series repeat many pixels; they are dropped.
QPolygon ToQPolygon(std::span<const PixelPoint> points) {
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i)
        if (i == 0 || points[i] != points[i - 1]) polygon.append(QPoint(points[i].x, points[i].y));
    return polygon;
}
}  // namespace

void TSurface::Polyline(std::span<const PixelPoint> points) {
    if (!state_->pendingLine.isEmpty()) FlushVectorLine(*state_);
    if (!state_->Active() || points.size() < 2) return;
    const LineRasteriser rasteriser = RasteriserFor(state_->pen);
    if (rasteriser == LineRasteriser::Nothing) return;
    if (state_->vector) {
        // One path for the whole line: a vector figure keeps its joints.
        const QPolygon polygon = ToQPolygon(points);
        if (polygon.size() >= 2) DrawDocumentPolyline(*state_, QPolygonF(polygon));
        return;
    }
    if (rasteriser == LineRasteriser::Walk) {
        bool near = true;
        for (const PixelPoint& p : points) near = near && WithinWalkReach(p, {0, 0});
        if (near) {
            LineWalk line(*state_);
            for (std::size_t i = 1; i < points.size(); ++i)
                if (points[i] != points[i - 1]) line.Draw(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
            return;
        }
    }
    const QPolygon polygon = ToQPolygon(points);
    if (polygon.size() >= 2) state_->painter->drawPolyline(polygon);
}

void TSurface::Polygon(std::span<const PixelPoint> points) {
    if (!state_->pendingLine.isEmpty()) FlushVectorLine(*state_);
    if (!state_->Active() || points.size() < 2) return;
    if (state_->vector)
        state_->painter->drawPolygon(Centred(QPolygonF(ToQPolygon(points))), Qt::OddEvenFill);
    else
        state_->painter->drawPolygon(ToQPolygon(points), Qt::OddEvenFill);
}

void TSurface::Rectangle(int x0, int y0, int x1, int y1) {
    if (!state_->pendingLine.isEmpty()) FlushVectorLine(*state_);
    if (!state_->Active()) return;
    if (x1 < x0) std::swap(x0, x1);
    if (y1 < y0) std::swap(y0, y1);
    if (x1 == x0 || y1 == y0) return;
    if (state_->pen.style == NativePenStyle::Clear) {
        state_->painter->fillRect(QRect(x0, y0, x1 - x0, y1 - y0), state_->painter->brush());
        return;
    }
    if (x1 - x0 == 1 || y1 - y0 == 1) {
        // One pixel thin: the outline is all there is.
        state_->painter->fillRect(QRect(x0, y0, x1 - x0, y1 - y0), ToQColor(state_->pen.color));
        return;
    }
    if (state_->image != nullptr && IsCosmetic(state_->pen) && state_->pen.style == NativePenStyle::Solid &&
        state_->pen.mode == NativePenMode::Copy &&
        (state_->brush.style == NativeBrushStyle::Solid || state_->brush.style == NativeBrushStyle::Clear)) {
        FillBox(*state_, x0, y0, x1, y1);
        return;
    }
    state_->painter->drawRect(Centred(*state_, OutlineBox(state_->pen, x0, y0, x1, y1)));
}

void TSurface::Ellipse(int x0, int y0, int x1, int y1) {
    if (!state_->pendingLine.isEmpty()) FlushVectorLine(*state_);
    if (!state_->Active()) return;
    if (x1 < x0) std::swap(x0, x1);
    if (y1 < y0) std::swap(y0, y1);
    if (x1 == x0 || y1 == y0) return;
    state_->painter->drawEllipse(Centred(*state_, OutlineBox(state_->pen, x0, y0, x1, y1)));
}

void TSurface::FillRect(const PixelRect& rect) {
    if (!state_->pendingLine.isEmpty()) FlushVectorLine(*state_);
    if (!state_->Active() || rect.IsEmpty() || state_->brush.style == NativeBrushStyle::Clear) return;
    QPainter& p = *state_->painter;
    const QPainter::CompositionMode saved = p.compositionMode();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.fillRect(ToQRect(rect), p.brush());
    p.setCompositionMode(saved);
}

void TSurface::TextOut(int x, int y, std::string_view utf8) {
    if (!state_->pendingLine.isEmpty()) FlushVectorLine(*state_);
    if (!state_->Active() || utf8.empty()) return;
    QPainter& p = *state_->painter;
    const TNativeFont& font = state_->font;
    const PixelSize extent = font.TextExtent(utf8);
    const int width = extent.width;
    const int height = extent.height;
    const int ascent = font.Internal().text->ascent;

    int left = 0;
    switch (state_->textAlign & 6u) {
    case textalign::Center:
        left = -width / 2;
        break;
    case textalign::Right:
        left = -width;
        break;
    default:
        break;
    }
    int top = 0;
    switch (state_->textAlign & 24u) {
    case textalign::Baseline:
        top = -ascent;
        break;
    case textalign::Bottom:
        top = -height;
        break;
    default:
        break;
    }

    const int orientation = font.Request().orientation % 3600;
    const TextPlacement place{x, y, left, top, width, height, ascent, orientation};
    const bool opaque = state_->backgroundMode == BackgroundMode::Opaque;
    if (!opaque && StampText(*state_, place, utf8)) return;

    const QPainter::CompositionMode mode = p.compositionMode();
    const QPen pen = p.pen();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(QPen(ToQColor(state_->textColor)));
    const QColor background = ToQColor(state_->backgroundColor);
    if (state_->vector) {
        // Text on a document is text: searchable, its font embedded.
        if (orientation == 0) {
            if (opaque) p.fillRect(QRect(x + left, y + top, width, height), background);
            DrawDocumentText(*state_, QPoint(x + left, y + top + ascent), ToQString(utf8));
        } else {
            p.save();
            p.translate(x, y);
            p.rotate(-orientation / 10.0);
            if (opaque) p.fillRect(QRect(left, top, width, height), background);
            DrawDocumentText(*state_, QPoint(left, top + ascent), ToQString(utf8));
            p.restore();
        }
    } else {
        PaintText(p, font, place, utf8, opaque ? &background : nullptr);
    }
    p.setPen(pen);
    p.setCompositionMode(mode);
}

PixelSize TSurface::TextExtent(std::string_view utf8) const { return state_->font.TextExtent(utf8); }

void TSurface::IntersectClipRect(const PixelRect& rect) {
    if (!state_->pendingLine.isEmpty()) FlushVectorLine(*state_);
    if (!state_->Active()) return;
    const QRect clip = rect.IsEmpty() ? QRect(rect.left, rect.top, 0, 0) : ToQRect(rect);
    state_->painter->setClipRect(clip, state_->hasClip ? Qt::IntersectClip : Qt::ReplaceClip);
    state_->clipRect = state_->hasClip ? state_->clipRect.intersected(clip) : clip;
    state_->hasClip = true;
    state_->linePlan.valid = false;
}

void TSurface::RemoveClip() {
    if (!state_->pendingLine.isEmpty()) FlushVectorLine(*state_);
    state_->hasClip = false;
    state_->linePlan.valid = false;
    if (state_->Active()) state_->painter->setClipping(false);
}

bool TSurface::HasClip() const { return state_->hasClip; }

void TSurface::DrawBitmap(int x, int y, const TOffscreenBitmap& bitmap) {
    if (!state_->pendingLine.isEmpty()) FlushVectorLine(*state_);
    const QImage& image = bitmap.Internal().image;
    if (!state_->Active() || image.isNull()) return;
    CopyMode copy(*state_->painter);
    state_->painter->drawImage(QPoint(x, y), image);
}

void TSurface::DrawImage(int x, int y, const TNativeImage& image) {
    if (!state_->pendingLine.isEmpty()) FlushVectorLine(*state_);
    if (!state_->Active() || image.IsEmpty()) return;
    CopyMode copy(*state_->painter);
    state_->painter->drawImage(QPoint(x, y), image.Internal().image);
}

void TSurface::StretchDrawImage(const PixelRect& dest, const TNativeImage& image) {
    if (!state_->pendingLine.isEmpty()) FlushVectorLine(*state_);
    if (!state_->Active() || image.IsEmpty() || dest.IsEmpty()) return;
    CopyMode copy(*state_->painter);
    state_->painter->drawImage(ToQRect(dest), image.Internal().image);
}

}  // namespace cvcalc

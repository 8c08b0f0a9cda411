// Internal to platform/gui: the Qt side of the platform's plain types, and
// the process-wide window state.  Nothing outside platform/gui includes this.
#pragma once

#include <QtCore/QPointer>
#include <QtCore/QString>
#include <QtGui/QColor>
#include <QtGui/QFont>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPolygonF>
#include <QtGui/QRegion>
#include <QtGui/QStaticText>
#include <QtWidgets/QWidget>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/gui/GuiTypes.h"
#include "platform/gui/NativeFont.h"
#include "platform/gui/NativeImage.h"
#include "platform/gui/NativeWindow.h"
#include "platform/gui/OffscreenBitmap.h"
#include "platform/gui/Surface.h"

namespace cvcalc {

class TNativeWindow;
class WidgetLink;

inline QColor ToQColor(RgbColor c) { return QColor(int(RedOf(c)), int(GreenOf(c)), int(BlueOf(c))); }
inline RgbColor FromQRgb(QRgb rgb) { return MakeRgb(unsigned(qRed(rgb)), unsigned(qGreen(rgb)), unsigned(qBlue(rgb))); }
// Qt's UTF-8 decoder drops a byte-order mark at the start of the text; our
// texts are data, so a leading U+FEFF stays a character like any other.
inline QString ToQString(std::string_view utf8) {
    if (utf8.starts_with("\xEF\xBB\xBF"))
        return QChar(0xFEFF) + QString::fromUtf8(utf8.data() + 3, qsizetype(utf8.size() - 3));
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}
inline std::string FromQString(const QString& s) { return s.toStdString(); }
inline QRect ToQRect(const PixelRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

// The pixels a text changes on a bitmap, kept by the font (SurfaceText.h).
struct TextStamp {
    bool probed = false;  // false: met once, not yet probed
    bool usable = false;  // false: the text is drawn each time
    QRect box;            // the pixels it may change, relative to its point; empty: none
    // Those pixels once the text is drawn over a plain background.
    struct Look {
        QRgb background = 0;
        std::vector<QRgb> pixels;  // row by row
    };
    static constexpr std::size_t MaxLooks = 4;
    std::vector<Look> looks;
    std::size_t nextLook = 0;  // replaced when all are taken
};

// Texts are looked up by their view, without a copy.
struct TextKeyHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept { return std::hash<std::string_view>{}(text); }
};
template <class Value>
using TextKeyed = std::unordered_map<std::string, Value, TextKeyHash, std::equal_to<>>;

// What has been measured and laid out with one realised font.  A chart's
// labels and titles come back with every paint; shaping them anew each time
// was most of a chart's repaint.
struct FontTextCache {
    static constexpr std::size_t MaxEntries = 512;  // each map emptied when full
    int ascent = 0;
    int descent = 0;
    TextKeyed<int> widths;
    TextKeyed<QStaticText> layouts;
    TextKeyed<TextStamp> stamps;
    // Whether texts in this font are kept as pixels at all: only where Qt
    // draws them from its cache of glyph images, which lands the same
    // pixels wherever the text stands.  Larger glyphs are filled as
    // outlines, whose edges may come out a shade apart a whole pixel away.
    bool keepsPixels = false;
    // The pixels the stamps keep, at most a megabyte's worth (and one text)
    // before they are all let go.
    static constexpr std::size_t MaxStampPixels = 1 << 18;
    std::size_t stampPixels = 0;
    std::string stampKey;  // scratch for building a stamp's key
};

struct TNativeFont::Impl {
    QFont font;
    std::shared_ptr<FontTextCache> text;  // shared by every copy of the realisation
};

// `utf8` laid out in `font`, kept in the font's text cache; the reference
// lasts until the next call.
const QStaticText& TextLayout(const TNativeFont& font, std::string_view utf8);

struct TNativeImage::Impl {
    QImage image;
};

struct TOffscreenBitmap::Impl {
    QImage image;
    std::unique_ptr<TSurface> surface;
};

struct TNativeWindow::Impl {
    QPointer<QWidget> widget;
    WidgetLink* link = nullptr;  // valid while widget is
    std::string plainText;       // the text of a plain child window
    bool resizable = true;
    bool paintPending = false;
    QRegion pendingRegion;
    void PaintPending(const QRect& r) {
        paintPending = true;
        pendingRegion += r;
    }
    void PaintDelivered() {
        paintPending = false;
        pendingRegion = QRegion();
    }
};

// What the line walk (SurfaceLine.cpp) needs of the pen, background, clip
// and target, worked out at the first line after any of them changes.
struct LinePlan {
    // One row of a geometric pen's stamp: the pixels dxFirst .. dxLast of
    // the row dy, relative to the pixel the walk stands on.
    struct StampRow {
        int dy = 0, dxFirst = 0, dxLast = 0;
    };
    static constexpr int MaxRuns = 6;
    bool valid = false;
    bool direct = false;  // pixels written into the bitmap; otherwise through the painter
    QRgb ink = 0;
    QRgb gap = 0;
    bool fillGaps = false;  // an opaque background fills a dash's gaps
    int left = 0, top = 0;  // bounds, inclusive
    int right = -1, bottom = -1;
    bool geometric = false;             // a stamp swept along the walk, last pixel included
    std::vector<StampRow> stamp;        // geometric pens: top row first
    std::vector<int> stampRowOf;        // per dy from the stamp's top row: its index in stamp, or -1
    int stampLeft = 0, stampRight = 0;  // the stamp's widest reach
    int runs[MaxRuns] = {};             // cosmetic dash pattern: ink, gap, ink, ... in pixels
    int runCount = 0;                   // 0: a solid line
    // One period of the dashes, pixel by pixel: its colour, and whether it
    // is set at all (a gap on a transparent background is not).
    static constexpr int MaxPeriod = 24;
    int period = 0;
    QRgb periodColor[MaxPeriod] = {};
    bool periodPut[MaxPeriod] = {};
    std::vector<int> rowFirst, rowLast;  // scratch: the columns a geometric line covers per row
};

// What an SVG generator loses: the coordinates of lines to six significant
// digits, and a text's wholeness (one <text> per run of one script).  An
// SVG document's surface keeps each polyline's points and each text here,
// in drawing order, and draws a one-character stand-in for the text.
struct SvgIntent {
    static constexpr char16_t TextStandIn = 0xE000;  // a private-use character
    std::vector<QPolygonF> polylines;
    std::vector<QString> texts;
};

// Everything a surface remembers between calls.  The painter is either
// borrowed (a window's paint) or owned (a bitmap's).
struct TSurface::State {
    QPainter* painter = nullptr;
    std::unique_ptr<QPainter> ownedPainter;
    NativePen pen;
    NativeBrush brush;
    TNativeFont font;
    RgbColor textColor = 0;
    BackgroundMode backgroundMode = BackgroundMode::Opaque;
    RgbColor backgroundColor = 0xFFFFFF;
    unsigned textAlign = 0;
    PixelPoint penPosition;
    PixelPointF penPositionF;  // the same, to the fraction on a vector document
    bool hasClip = false;
    QRect clipRect;           // the clip in force while hasClip
    QImage* image = nullptr;  // the bitmap's pixels, written directly by the line walk
    // A vector document (SVG, PDF): lines and outlines become paths through
    // the pixels' centres, texts stay text, raster modes draw as copies.
    bool vector = false;
    // Connected solid lines gathered into one path on a vector document,
    // drawn at the next other operation (FlushVectorLine).
    QPolygonF pendingLine;
    // An SVG document's lines and texts as they were meant, which the
    // document writes over what its generator made of them (VectorDocument.cpp).
    SvgIntent* svgIntent = nullptr;
    LinePlan linePlan;
    bool Active() const { return painter != nullptr && painter->isActive(); }
};

// A surface over `painter`, which must outlive it; set to the defaults.
std::unique_ptr<TSurface> MakeSurface(QPainter* painter);
// Points `surface` at a new device (null: at nothing) and resets its settings.
void AttachSurface(TSurface& surface, QPaintDevice* device);
// A surface over `painter` on a vector document (see TSurface::State::vector).
std::unique_ptr<TSurface> MakeVectorSurface(QPainter* painter);
// Draws the lines a vector surface has gathered; call before the painter
// ends or is used by anyone else.
void FlushVectorLine(TSurface::State& state);

// The Qt widget under a window (null once Qt has destroyed it).
QWidget* WidgetOf(const TNativeWindow* window);
// The window a widget belongs to: the widget's own window, or that of the
// nearest ancestor that has one; null for widgets not of ours.
TNativeWindow* WindowOfWidget(QWidget* widget);

// The process-wide window state.
struct WindowRegistry {
    std::unordered_set<TNativeWindow*> windows;  // every live TNativeWindow
    TNativeWindow* capture = nullptr;
    TNativeWindow* lastActive = nullptr;
    int dispatchDepth = 0;    // > 0 while some message procedure runs
    bool paintsHeld = false;  // HoldPaints
    bool IsLive(const TNativeWindow* w) const { return w && windows.count(const_cast<TNativeWindow*>(w)) != 0; }
};
WindowRegistry& Registry();

// Makes `window`'s top-level window the active one, synchronously on the
// offscreen platform.
void ActivateWidgetWindow(QWidget* widget);

}  // namespace cvcalc

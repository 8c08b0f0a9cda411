// Face substitution and the realisation of the forms' fonts as Qt fonts.
#include "platform/gui/NativeFont.h"

#include <QtGui/QFontInfo>
#include <QtGui/QFontMetrics>
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/core/AsciiCase.h"
#include "platform/gui/GuiPlatform.h"
#include "platform/gui/QtBridge.h"

namespace cvcalc {

namespace {
constexpr const char* JapaneseGothic = "IPAPGothic";
constexpr const char* LatinSans = "Liberation Sans";

struct Substitute {
    const char* face;
    const char* family;
};

// The faces the forms name, with the installed faces of the same metrics.
constexpr Substitute Substitutes[] = {
    {"\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF",
     JapaneseGothic},  // ＭＳ Ｐゴシック
    {"\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF", JapaneseGothic},  // ＭＳ ゴシック
    {"MS UI Gothic", JapaneseGothic},
    {"MS PGothic", JapaneseGothic},
    {"MS Gothic", JapaneseGothic},
    {"Arial", LatinSans},
    {"MS Sans Serif", LatinSans},
    {"Tahoma", LatinSans},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
};

constexpr int DefaultCharacterHeight = 13;
constexpr int MaxPixelSize = 2000;

int ClampPixelSize(long long size) {
    if (size < 1) return 1;
    if (size > MaxPixelSize) return MaxPixelSize;
    return static_cast<int>(size);
}

QFont Realise(const FontSpec& request) {
    InitPlatform();
    QFont font(ToQString(SubstituteFontFace(request.face, request.charset)));
    font.setBold((request.style & fontstyle::Bold) != 0);
    font.setItalic((request.style & fontstyle::Italic) != 0);
    font.setUnderline((request.style & fontstyle::Underline) != 0);
    font.setStrikeOut((request.style & fontstyle::StrikeOut) != 0);
    if (request.height < 0) {
        font.setPixelSize(ClampPixelSize(-static_cast<long long>(request.height)));
    } else if (request.height == 0) {
        font.setPixelSize(DefaultCharacterHeight);
    } else {
        // A positive height asks for the whole cell; scale the character
        // height so that ascent + descent comes out at it.
        const int cell = ClampPixelSize(request.height);
        font.setPixelSize(cell);
        const QFontMetrics metrics(font);
        const int realised = metrics.ascent() + metrics.descent();
        if (realised > 0 && realised != cell)
            font.setPixelSize(ClampPixelSize(std::llround(double(cell) * cell / realised)));
    }
    return font;
}
}  // namespace

std::string SubstituteFontFace(std::string_view face, int charsetId) {
    if (face.empty()) return charsetId == charset::ShiftJis ? JapaneseGothic : LatinSans;
    for (const Substitute& s : Substitutes)
        if (SameTextAscii(face, s.face)) return s.family;
    return std::string(face);
}

TNativeFont::TNativeFont() : TNativeFont(FontSpec{}) {}

namespace {
// The fonts realised last, by request: a canvas gives up its font and asks
// for it again whenever a control or a chart element sets another, and
// each realisation would start its text cache empty.
constexpr std::size_t RememberedFonts = 32;

struct Remembered {
    FontSpec request;
    QFont font;
    std::shared_ptr<FontTextCache> text;
};

// The largest pixel size whose glyphs Qt's painter draws from its cache of
// glyph images (64, or smaller where QT_MAX_CACHED_GLYPH_SIZE says so).
int LargestCachedGlyphs() {
    static const int largest = [] {
        const int set = qEnvironmentVariableIntValue("QT_MAX_CACHED_GLYPH_SIZE");
        return set > 0 ? std::min(set, 64) : 64;
    }();
    return largest;
}

// Kept to the end of the process: Qt's font engines go before static
// destructors would run.
std::vector<Remembered>& RememberedRealisations() {
    static auto* fonts = new std::vector<Remembered>;
    return *fonts;
}
}  // namespace

TNativeFont::TNativeFont(const FontSpec& request) : spec_(request), impl_(std::make_unique<Impl>()) {
    std::vector<Remembered>& fonts = RememberedRealisations();
    for (const Remembered& r : fonts)
        if (r.request == request) {
            impl_->font = r.font;
            impl_->text = r.text;
            return;
        }
    impl_->font = Realise(request);
    impl_->text = std::make_shared<FontTextCache>();
    impl_->text->keepsPixels = impl_->font.pixelSize() > 0 && impl_->font.pixelSize() <= LargestCachedGlyphs();
    const QFontMetrics metrics(impl_->font);
    impl_->text->ascent = metrics.ascent();
    impl_->text->descent = metrics.descent();
    if (fonts.size() >= RememberedFonts) fonts.erase(fonts.begin());
    fonts.push_back({request, impl_->font, impl_->text});
}

TNativeFont::TNativeFont(const TNativeFont& other) : spec_(other.spec_), impl_(std::make_unique<Impl>(*other.impl_)) {}

TNativeFont& TNativeFont::operator=(const TNativeFont& other) {
    if (this != &other) {
        spec_ = other.spec_;
        *impl_ = *other.impl_;
    }
    return *this;
}

TNativeFont::~TNativeFont() = default;

std::string TNativeFont::ResolvedFamily() const { return FromQString(QFontInfo(impl_->font).family()); }

int TNativeFont::CharacterHeight() const { return impl_->font.pixelSize(); }

FontMetricsInfo TNativeFont::Metrics() const {
    const QFontMetrics metrics(impl_->font);
    FontMetricsInfo info;
    info.ascent = metrics.ascent();
    info.descent = metrics.descent();
    info.height = info.ascent + info.descent;
    info.internalLeading = std::max(0, info.height - impl_->font.pixelSize());
    info.averageCharWidth = metrics.averageCharWidth();
    info.maxCharWidth = metrics.maxWidth();
    return info;
}

PixelSize TNativeFont::TextExtent(std::string_view utf8) const {
    FontTextCache& cache = *impl_->text;
    const int height = cache.ascent + cache.descent;
    if (utf8.empty()) return {0, height};
    if (auto it = cache.widths.find(utf8); it != cache.widths.end()) return {it->second, height};
    const int width = QFontMetrics(impl_->font).horizontalAdvance(ToQString(utf8));
    if (cache.widths.size() >= FontTextCache::MaxEntries) cache.widths.clear();
    cache.widths.emplace(std::string(utf8), width);
    return {width, height};
}

const QStaticText& TextLayout(const TNativeFont& font, std::string_view utf8) {
    const TNativeFont::Impl& impl = font.Internal();
    FontTextCache& cache = *impl.text;
    if (auto it = cache.layouts.find(utf8); it != cache.layouts.end()) return it->second;
    if (cache.layouts.size() >= FontTextCache::MaxEntries) cache.layouts.clear();
    QStaticText text(ToQString(utf8));
    text.setTextFormat(Qt::PlainText);
    text.setPerformanceHint(QStaticText::AggressiveCaching);
    text.prepare(QTransform(), impl.font);
    return cache.layouts.emplace(std::string(utf8), std::move(text)).first->second;
}

}  // namespace cvcalc

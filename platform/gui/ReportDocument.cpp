// Paged documents over QTextDocument (the text) and vector surfaces (the
// figures), onto QPdfWriter or a QPrinter.
#include "platform/gui/ReportDocument.h"

#include <QtCore/QBuffer>
#include <QtCore/QMarginsF>
#include <QtGui/QAbstractTextDocumentLayout>
#include <QtGui/QFontMetricsF>
#include <QtGui/QPageLayout>
#include <QtGui/QPageSize>
#include <QtGui/QPagedPaintDevice>
#include <QtGui/QPdfWriter>
#include <QtGui/QTextBlock>
#include <QtGui/QTextDocument>
#include <QtPrintSupport/QPrintDialog>
#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QApplication>
#include <algorithm>
#include <cmath>

#include "platform/core/Translate.h"
#include "platform/gui/GuiPlatform.h"
#include "platform/gui/QtBridge.h"

namespace cvcalc {

namespace {

constexpr int PdfDotsPerInch = 300;
constexpr qreal PageMarginMm = 12;
// The figures' grid: two to a row, a gap between them, a caption below.
constexpr int FiguresPerRow = 2;
constexpr qreal FigureGapMm = 6;
constexpr qreal CaptionPoints = 9;
constexpr qreal TextPoints = 8.5;

PrintDialogResponder& ThePrintDialogResponder() {
    static PrintDialogResponder responder;
    return responder;
}

QPageLayout A4Layout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(PageMarginMm, PageMarginMm, PageMarginMm, PageMarginMm), QPageLayout::Millimeter);
}

qreal MillimetresToDots(qreal mm, const QPaintDevice& device) { return mm * device.logicalDpiX() / 25.4; }

// The painter's state, restored however the scope ends.
class PainterState {
public:
    explicit PainterState(QPainter& painter) : painter_(painter) { painter_.save(); }
    ~PainterState() { painter_.restore(); }
    PainterState(const PainterState&) = delete;
    PainterState& operator=(const PainterState&) = delete;

private:
    QPainter& painter_;
};

// Lays the text out for the device's printable area and draws it page by
// page, then the figures in rows below it; a row that does not fit on what
// is left of a page starts the next one.
void RenderDocument(QPagedPaintDevice& device, QPainter& painter, std::string_view html,
                    std::span<const DocumentFigure> figures) {
    const qreal pageWidth = device.width();
    const qreal pageHeight = device.height();

    QTextDocument text;
    text.documentLayout()->setPaintDevice(&device);
    QFont bodyFont(QStringLiteral("Liberation Serif"));
    bodyFont.setPointSizeF(TextPoints);
    text.setDefaultFont(bodyFont);
    text.setDocumentMargin(0);
    text.setPageSize(QSizeF(pageWidth, pageHeight));
    text.setHtml(ToQString(html));

    const int textPages = std::max(1, text.pageCount());
    for (int page = 0; page < textPages; ++page) {
        if (page > 0) device.newPage();
        painter.save();
        painter.translate(0, -page * pageHeight);
        text.drawContents(&painter, QRectF(0, page * pageHeight, pageWidth, pageHeight));
        painter.restore();
    }
    const qreal textBottom = text.documentLayout()->blockBoundingRect(text.lastBlock()).bottom();
    qreal y = std::max<qreal>(0, textBottom - (textPages - 1) * pageHeight);

    QFont captionFont(QStringLiteral("Liberation Serif"));
    captionFont.setPointSizeF(CaptionPoints);
    const QFontMetricsF captionMetrics(captionFont, &device);
    const qreal gap = MillimetresToDots(FigureGapMm, device);
    const qreal cellWidth = (pageWidth - gap * (FiguresPerRow - 1)) / FiguresPerRow;
    const qreal captionHeight = captionMetrics.height() * 2;

    // Each figure as large as its cell allows, but no higher than lets all
    // the rows share one page: the rest of the text's last page when most
    // of it is still free (a few lines that spilled over do not cost a
    // page of their own), otherwise a new one.
    const std::size_t rows = (figures.size() + FiguresPerRow - 1) / FiguresPerRow;
    const qreal room = pageHeight - (y > 0 ? y + gap : 0);
    const qreal available = room >= pageHeight * 0.6 ? room : pageHeight;
    const qreal maxFigureHeight =
        rows == 0 ? pageHeight : std::max<qreal>(1, (available - qreal(rows) * (gap + captionHeight)) / qreal(rows));
    for (std::size_t first = 0; first < figures.size(); first += FiguresPerRow) {
        const std::size_t end = std::min(figures.size(), first + FiguresPerRow);
        std::vector<qreal> scales;
        qreal rowHeight = 0;
        for (std::size_t i = first; i < end; ++i) {
            const int w = std::max(1, figures[i].width);
            const int h = std::max(1, figures[i].height);
            const qreal scale = std::min(cellWidth / w, maxFigureHeight / h);
            scales.push_back(scale);
            rowHeight = std::max(rowHeight, h * scale);
        }
        rowHeight += captionHeight;
        if (y > 0) y += gap;
        if (y + rowHeight > pageHeight && y > 0) {
            device.newPage();
            y = 0;
        }
        for (std::size_t i = first; i < end; ++i) {
            const DocumentFigure& figure = figures[i];
            const qreal scale = scales[i - first];
            const qreal cellLeft = qreal(i - first) * (cellWidth + gap);
            const qreal figureWidth = std::max(1, figure.width) * scale;
            const qreal figureHeight = std::max(1, figure.height) * scale;
            const qreal left = cellLeft + (cellWidth - figureWidth) / 2;
            if (figure.draw) {
                const PainterState saved(painter);
                painter.translate(left, y);
                painter.scale(scale, scale);
                const std::unique_ptr<TSurface> surface = MakeVectorSurface(&painter);
                figure.draw(*surface);
            }
            painter.save();
            painter.setFont(captionFont);
            painter.setPen(Qt::black);
            painter.drawText(QRectF(cellLeft, y + figureHeight, cellWidth, captionHeight),
                             Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, ToQString(figure.caption));
            painter.restore();
        }
        y += rowHeight;
    }
}

// The painter over a paged device, ended however the rendering ends.
class PagePainter {
public:
    explicit PagePainter(QPagedPaintDevice& device) : ok_(painter_.begin(&device)) {}
    ~PagePainter() {
        if (painter_.isActive()) painter_.end();
    }
    PagePainter(const PagePainter&) = delete;
    PagePainter& operator=(const PagePainter&) = delete;
    bool Ok() const { return ok_; }
    QPainter& Painter() { return painter_; }
    bool End() { return painter_.end(); }

private:
    QPainter painter_;
    bool ok_;
};

}  // namespace

std::string RenderPdfDocument(std::string_view html, std::span<const DocumentFigure> figures, std::string_view title) {
    InitPlatform();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(PdfDotsPerInch);
        writer.setTitle(ToQString(title));
        writer.setCreator(QStringLiteral("cvcalc"));
        writer.setPageLayout(A4Layout());
        PagePainter painter(writer);
        if (!painter.Ok()) throw EPrint(Tr("Errors", "PDF を作成できません"));
        RenderDocument(writer, painter.Painter(), html, figures);
        painter.End();
    }
    const QByteArray& bytes = buffer.data();
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

bool PrintDocument(const TNativeWindow* owner, std::string_view html, std::span<const DocumentFigure> figures,
                   std::string_view title) {
    InitPlatform();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(ToQString(title));
    printer.setCreator(QStringLiteral("cvcalc"));
    printer.setPageLayout(A4Layout());
    if (const PrintDialogResponder responder = ThePrintDialogResponder()) {
        const std::optional<std::string> file = responder(PrintRequest{owner, std::string(title)});
        if (!file) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(ToQString(*file));
    } else {
        QPrintDialog dialog(&printer, owner != nullptr ? WidgetOf(owner) : QApplication::activeWindow());
        dialog.setWindowTitle(ToQString(title));
        if (dialog.exec() != QDialog::Accepted) return false;
    }
    const std::string target =
        FromQString(printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName());
    PagePainter painter(printer);
    if (!painter.Ok()) throw EPrint(FillArgs(Tr("Errors", "印刷できません: %1"), {target}));
    RenderDocument(printer, painter.Painter(), html, figures);
    if (!painter.End()) throw EPrint(FillArgs(Tr("Errors", "印刷できません: %1"), {target}));
    return true;
}

void SetPrintDialogResponder(PrintDialogResponder responder) { ThePrintDialogResponder() = std::move(responder); }

}  // namespace cvcalc

// The clipboard over QClipboard and QMimeData.
#include "platform/gui/Clipboard.h"

#include <QtCore/QMimeData>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>

#include "platform/gui/GuiPlatform.h"
#include "platform/gui/QtBridge.h"

namespace cvcalc {

namespace {
QByteArray Bytes(std::string_view data) { return QByteArray(data.data(), qsizetype(data.size())); }
}  // namespace

void CopyFigureToClipboard(std::string_view png, std::string_view svg) {
    InitPlatform();
    auto* mime = new QMimeData;
    const QImage image = QImage::fromData(Bytes(png), "PNG");
    if (!image.isNull()) mime->setImageData(image);
    mime->setData(QStringLiteral("image/png"), Bytes(png));
    mime->setData(QStringLiteral("image/svg+xml"), Bytes(svg));
    QGuiApplication::clipboard()->setMimeData(mime);
}

std::string ClipboardData(std::string_view mimeType) {
    InitPlatform();
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (mime == nullptr) return {};
    const QByteArray data = mime->data(ToQString(mimeType));
    return std::string(data.constData(), std::size_t(data.size()));
}

std::vector<std::string> ClipboardTypes() {
    InitPlatform();
    std::vector<std::string> types;
    if (const QMimeData* mime = QGuiApplication::clipboard()->mimeData())
        for (const QString& type : mime->formats()) types.push_back(FromQString(type));
    return types;
}

}  // namespace cvcalc

// TPicture and its "Data" stream property.
#include "framework/Picture.h"

#include <string>

#include "framework/Bitmap.h"
#include "framework/GraphicErrors.h"
#include "platform/core/AsciiCase.h"
#include "platform/core/MessageTable.h"
#include "shell/core/ClassInfo.h"
#include "shell/core/Filer.h"
#include "shell/core/StreamErrors.h"

namespace cvcalc {

const TClassInfo& TPicture::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TPicture>("TPicture", TPersistent::StaticClassInfo());
    return info;
}

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
    graphic_ = std::move(graphic);
    if (onChange_) onChange_();
}

TBitmap& TPicture::Bitmap() {
    auto* bitmap = dynamic_cast<TBitmap*>(graphic_.get());
    if (!bitmap) {
        graphic_ = std::make_unique<TBitmap>();
        bitmap = static_cast<TBitmap*>(graphic_.get());
    }
    return *bitmap;
}

int TPicture::Width() const { return graphic_ ? graphic_->Width() : 0; }
int TPicture::Height() const { return graphic_ ? graphic_->Height() : 0; }

void TPicture::DefineExtraProperties(TFiler& filer) {
    TPersistent::DefineExtraProperties(filer);
    filer.DefineBinaryNamedProperty(
        "Data", [this](TStream& s) { ReadData(s); }, nullptr, graphic_ != nullptr);
}

void TPicture::ReadData(TStream& stream) {
    std::uint8_t length = 0;
    if (stream.Read(&length, 1) != 1) throw EInvalidGraphic(LoadMessage(msg::InvalidBitmap));
    std::string className(length, '\0');
    if (length && stream.Read(className.data(), length) != length)
        throw EInvalidGraphic(LoadMessage(msg::InvalidBitmap));
    if (!SameTextAscii(className, "TBitmap"))
        throw EClassNotFound(LoadMessageFormatted(msg::ClassNotFound, {className}));
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->ReadData(stream);
    SetGraphic(std::move(bitmap));
}

}  // namespace cvcalc

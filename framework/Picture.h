// TPicture: what an image control shows, read from the stream property
// "Picture.Data": a short string naming the graphic class, then that
// graphic's own data.
#pragma once

#include <functional>
#include <memory>

#include "framework/Graphic.h"

namespace cvcalc {

class TBitmap;

class TPicture : public TPersistent {
public:
    CVCALC_CLASS_INFO()

    TPicture();
    ~TPicture() override;

    TGraphic* Graphic() const { return graphic_.get(); }
    void SetGraphic(std::unique_ptr<TGraphic> graphic);
    // The bitmap, made empty first when the picture holds none.
    TBitmap& Bitmap();
    int Width() const;
    int Height() const;

    void DefineExtraProperties(TFiler& filer) override;
    // The payload of "Data".  Only "TBitmap" is known; another name raises
    // EClassNotFound "クラス %s が見つかりません", bad bitmap data
    // EInvalidGraphic.
    void ReadData(TStream& stream);

    void SetOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

private:
    std::unique_ptr<TGraphic> graphic_;
    std::function<void()> onChange_;
};

}  // namespace cvcalc

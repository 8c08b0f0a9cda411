// Class information of the reader's test components.
#include "tests/shell/TestComponents.h"

#include "shell/core/ClassRegistry.h"
#include "shell/core/Reader.h"

namespace cvcalc::test {

const TTypeInfo& TypeInfoTTestAlign() {
    static const TTypeInfo info =
        TTypeInfo::Enumeration("TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"});
    return info;
}
const TTypeInfo& TypeInfoTTestAnchors() {
    static const TTypeInfo kind = TTypeInfo::Enumeration("TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"});
    static const TTypeInfo info = TTypeInfo::Set("TAnchors", kind);
    return info;
}
const TTypeInfo& TypeInfoTTestFontStyles() {
    static const TTypeInfo kind =
        TTypeInfo::Enumeration("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
    static const TTypeInfo info = TTypeInfo::Set("TFontStyles", kind);
    return info;
}

std::vector<std::string>& AfterLoadLog() {
    static std::vector<std::string> log;
    return log;
}

const TClassInfo& TTestFont::StaticClassInfo() {
    using F = TTestFont;
    static const TClassInfo info =
        TClassBuilder<F>("TTestFont", TPersistent::StaticClassInfo())
            .String(
                "Name", [](const F& f) { return f.name; }, [](F& f, const std::string& v) { f.name = v; })
            .Integer(
                "Height", [](const F& f) { return f.height; }, [](F& f, int v) { f.height = v; })
            .Ordinal(
                "Color", TypeInfoTColor(), [](const F& f) { return f.color; }, [](F& f, TColor v) { f.color = v; })
            .Ordinal(
                "Charset", TypeInfoTFontCharset(), [](const F& f) { return f.charset; },
                [](F& f, TFontCharset v) { f.charset = v; })
            .Ordinal(
                "Style", TypeInfoTTestFontStyles(), [](const F& f) { return f.style; },
                [](F& f, TTestFontStyles v) { f.style = v; });
    return info;
}

const TClassInfo& TTestPicture::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TTestPicture>("TTestPicture", TPersistent::StaticClassInfo());
    return info;
}

void TTestPicture::DefineExtraProperties(TFiler& filer) {
    TPersistent::DefineExtraProperties(filer);
    filer.DefineBinaryNamedProperty(
        "Data",
        [this](TStream& stream) {
            unsigned char length = 0;
            stream.ReadBuffer(&length, 1);
            graphicClass.assign(length, '\0');
            stream.ReadBuffer(graphicClass.data(), length);
            data.clear();
            unsigned char byte;
            while (stream.Read(&byte, 1) == 1) data.push_back(byte);
        },
        nullptr, !data.empty());
}

const TClassInfo& TTestItem::StaticClassInfo() {
    using I = TTestItem;
    static const TClassInfo info =
        TClassBuilder<I>("TTestItem", TCollectionItem::StaticClassInfo())
            .String(
                "Caption", [](const I& i) { return i.caption; }, [](I& i, const std::string& v) { i.caption = v; })
            .Integer(
                "Width", [](const I& i) { return i.width; }, [](I& i, int v) { i.width = v; }, 50);
    return info;
}

const TClassInfo& TTestSub::StaticClassInfo() {
    using S = TTestSub;
    static const TClassInfo info =
        TClassBuilder<S>("TTestSub", TComponent::StaticClassInfo())
            .Integer(
                "Depth", [](const S& s) { return s.depth; }, [](S& s, int v) { s.depth = v; });
    return info;
}

TTestWidget::TTestWidget(TComponent* owner) : TComponent(owner) {
    inner = new TTestSub(this);
    inner->SetSubComponent(true);
}

TTestWidget::~TTestWidget() { DestroyComponents(); }

void TTestWidget::AfterLoad() {
    TComponent::AfterLoad();
    AfterLoadLog().push_back(Name());
}

const TClassInfo& TTestWidget::StaticClassInfo() {
    using W = TTestWidget;
    static const TClassInfo info =
        TClassBuilder<W>("TTestWidget", TComponent::StaticClassInfo())
            .Integer(
                "Left", [](const W& w) { return w.left; }, [](W& w, int v) { w.left = v; }, 0)
            .Integer(
                "Tag", [](const W& w) { return w.tag; }, [](W& w, int v) { w.tag = v; }, 0)
            .Ordinal(
                "Color", TypeInfoTColor(), [](const W& w) { return w.color; }, [](W& w, TColor v) { w.color = v; },
                clBtnFace)
            .Ordinal(
                "Cursor", TypeInfoTCursor(), [](const W& w) { return w.cursor; }, [](W& w, TCursor v) { w.cursor = v; })
            .Ordinal(
                "Letter", TypeInfoChar(), [](const W& w) { return w.letter; }, [](W& w, char v) { w.letter = v; })
            .Ordinal(
                "WideLetter", TypeInfoWideChar(), [](const W& w) { return w.wideLetter; },
                [](W& w, char16_t v) { w.wideLetter = v; })
            .Ordinal(
                "Align", TypeInfoTTestAlign(), [](const W& w) { return w.align; },
                [](W& w, TTestAlign v) { w.align = v; })
            .Boolean(
                "Visible", [](const W& w) { return w.visible; }, [](W& w, bool v) { w.visible = v; }, true)
            .Float(
                "Ratio", TypeInfoDouble(), [](const W& w) { return w.ratio; }, [](W& w, double v) { w.ratio = v; })
            .Float(
                "Scale", TypeInfoSingle(), [](const W& w) { return w.scale; }, [](W& w, float v) { w.scale = v; })
            .Float(
                "Precise", TypeInfoExtended(), [](const W& w) { return w.precise; },
                [](W& w, long double v) { w.precise = v; })
            .String(
                "Caption", [](const W& w) { return w.caption; }, [](W& w, const std::string& v) { w.caption = v; })
            .WideString(
                "Hint", [](const W& w) { return w.hint; }, [](W& w, const std::u16string& v) { w.hint = v; })
            .Ordinal(
                "Anchors", TypeInfoTTestAnchors(), [](const W& w) { return w.anchors; },
                [](W& w, TTestAnchors v) { w.anchors = v; })
            .Ordinal(
                "Big", TypeInfoInt64(), [](const W& w) { return w.big; }, [](W& w, std::int64_t v) { w.big = v; })
            .Variant(
                "Value", [](const W& w) { return w.value; }, [](W& w, const TVariant& v) { w.value = v; })
            .Object(
                "Buddy", [](const W& w) { return w.buddy; }, [](W& w, TTestWidget* v) { w.buddy = v; })
            .Interface<ITestPartner>(
                "Partner", [](const W& w) { return w.partner; }, [](W& w, ITestPartner* v) { w.partner = v; })
            .Event(
                "OnClick", [](const W& w) { return w.onClick; }, [](W& w, const TNotifyEvent& e) { w.onClick = e; })
            .Event(
                "OnDblClick", [](const W& w) { return w.onDblClick; },
                [](W& w, const TNotifyEvent& e) { w.onDblClick = e; })
            .Object(
                "Font", [](const W& w) { return &w.font; }, nullptr)
            .Object(
                "Picture", [](const W& w) { return &w.picture; }, nullptr)
            .Object(
                "Lines", [](const W& w) { return &w.lines; }, nullptr)
            // The reader fills the collection the property holds; the setter
            // is there for assignments, of which nil empties it.
            .Object(
                "Items", [](const W& w) { return &w.items; },
                [](W& w, TCollection* v) {
                    if (!v) w.items.Clear();
                })
            .Object(
                "FixedItems", [](const W& w) { return &w.fixedItems; }, nullptr)
            .Object(
                "Inner", [](const W& w) { return w.inner; }, nullptr)
            .Integer(
                "ComponentTotal", [](const W& w) { return w.ComponentCount(); }, nullptr);
    return info;
}

const TClassInfo& TTestRegistered::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TTestRegistered>("TTestRegistered", TTestWidget::StaticClassInfo());
    return info;
}

const TClassInfo& TTestForm::StaticClassInfo() {
    using F = TTestForm;
    static const TClassInfo info = TClassBuilder<F>("TTestForm", TComponent::StaticClassInfo())
                                       .Field("Widget1", &F::widget1)
                                       .Field("Widget2", &F::widget2)
                                       .Field("Panel1", &F::panel1)
                                       .Field("Sub1", &F::sub1)
                                       .Method("ButtonClick", &F::ButtonClick)
                                       .Method("OtherClick", &F::OtherClick);
    return info;
}

void TTestForm::DefineExtraProperties(TFiler& filer) {
    TComponent::DefineExtraProperties(filer);
    filer.DefineNamedProperty(
        "PixelsPerInch", [this](TReader& r) { pixelsPerInch = r.ReadInteger(); }, nullptr, true);
    filer.DefineNamedProperty(
        "TextHeight", [this](TReader& r) { textHeight = r.ReadInteger(); }, nullptr, true);
}

}  // namespace cvcalc::test

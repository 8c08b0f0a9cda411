// Component classes for the reader's tests: between them they publish a
// property of every kind the reader assigns, a sub-object with a binary
// stream property, a collection, a sub-component, fields and handlers.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "shell/core/Collection.h"
#include "shell/core/Component.h"
#include "shell/core/IdentMaps.h"
#include "shell/core/StringList.h"

namespace cvcalc::test {

enum TTestAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TTestAnchorKind { akLeft, akTop, akRight, akBottom };
using TTestAnchors = TEnumSet<TTestAnchorKind>;
enum TTestFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TTestFontStyles = TEnumSet<TTestFontStyle>;

const TTypeInfo& TypeInfoTTestAlign();
const TTypeInfo& TypeInfoTTestAnchors();
const TTypeInfo& TypeInfoTTestFontStyles();

// The order in which AfterLoad reached the test components, by name.
std::vector<std::string>& AfterLoadLog();

class TTestFont : public TPersistent {
public:
    CVCALC_CLASS_INFO()
    std::string name = "Arial";
    int height = -11;
    TColor color = clWindowText;
    TFontCharset charset = DEFAULT_CHARSET;
    TTestFontStyles style;
};

class TTestPicture : public TPersistent {
public:
    CVCALC_CLASS_INFO()
    std::string graphicClass;
    std::vector<unsigned char> data;
    void DefineExtraProperties(TFiler& filer) override;
};

class TTestItem : public TCollectionItem {
public:
    CVCALC_CLASS_INFO()
    using TCollectionItem::TCollectionItem;
    std::string caption;
    int width = 50;
};

struct ITestPartner {
    virtual ~ITestPartner() = default;
    virtual int PartnerId() const = 0;
};

class TTestSub : public TComponent {
public:
    CVCALC_CLASS_INFO()
    using TComponent::TComponent;
    int depth = 0;
};

class TTestWidget : public TComponent, public ITestPartner {
public:
    CVCALC_CLASS_INFO()
    explicit TTestWidget(TComponent* owner);
    ~TTestWidget() override;

    int PartnerId() const override { return 7; }
    void AfterLoad() override;
    void AttachToParent(TComponent* p) override { parent = p; }
    void SetChildPosition(TComponent* child, int position) override { positions.emplace_back(child, position); }

    int left = 0;
    int tag = 0;
    TColor color = clBtnFace;
    TCursor cursor = crDefault;
    TFontCharset charset = ANSI_CHARSET;
    char letter = 'x';
    char16_t wideLetter = u'y';
    TTestAlign align = alNone;
    bool visible = true;
    double ratio = 0;
    float scale = 1;
    long double precise = 0;
    std::string caption;
    std::u16string hint;
    TTestAnchors anchors{akLeft, akTop};
    std::int64_t big = 0;
    TVariant value;
    TTestWidget* buddy = nullptr;
    ITestPartner* partner = nullptr;
    TNotifyEvent onClick;
    TNotifyEvent onDblClick;
    TTestFont font;
    TTestPicture picture;
    TStringList lines;
    TCollection items{TCollection::FactoryOf<TTestItem>()};
    TCollection fixedItems{TCollection::FactoryOf<TTestItem>()};  // published without a setter
    TTestSub* inner = nullptr;                                    // a sub-component, owned as a component
    TComponent* parent = nullptr;
    std::vector<std::pair<TComponent*, int>> positions;
    bool loadedAfterChildren = false;
};

// A class no form field names: found through the class registry only.
class TTestRegistered : public TTestWidget {
public:
    CVCALC_CLASS_INFO()
    using TTestWidget::TTestWidget;
};

class TTestForm : public TComponent {
public:
    CVCALC_CLASS_INFO()
    using TComponent::TComponent;
    ~TTestForm() override { DestroyComponents(); }

    void ButtonClick(TObject* sender) { clicks.push_back(sender); }
    void OtherClick(TObject*) { ++otherClicks; }
    void DefineExtraProperties(TFiler& filer) override;

    TTestWidget* widget1 = nullptr;
    TTestWidget* widget2 = nullptr;
    TTestWidget* panel1 = nullptr;
    TTestSub* sub1 = nullptr;
    std::vector<TObject*> clicks;
    int otherClicks = 0;
    int pixelsPerInch = 0;
    int textHeight = 0;
};

}  // namespace cvcalc::test

// The component model without streams: names, ownership, fields, class
// information, identifier maps and the text conversions.
#include <gtest/gtest.h>

#include "shell/core/ClassRegistry.h"
#include "shell/core/IdentMaps.h"
#include "shell/core/StreamErrors.h"
#include "shell/core/TextConvert.h"
#include "tests/shell/TestComponents.h"

using namespace cvcalc;
using namespace cvcalc::test;

namespace {

TEST(Component, NamesAreIdentifiersUniqueWithinTheOwner) {
    const struct {
        const char* name;
        bool valid;
    } table[] = {{"Label1", true}, {"_x", true}, {"", true},    {"1abc", false},
                 {"a-b", false},   {"ä", false}, {"a b", false}};
    for (const auto& row : table) {
        TTestForm form(nullptr);
        auto* w = new TTestWidget(&form);
        if (row.valid) {
            EXPECT_NO_THROW(w->SetName(row.name)) << row.name;
        } else {
            try {
                w->SetName(row.name);
                ADD_FAILURE() << row.name;
            } catch (const EComponentError& e) {
                EXPECT_EQ(e.Message(), std::string("コンポーネント名に ''") + row.name + "'' は使えません");
            }
        }
    }
    TTestForm form(nullptr);
    auto* a = new TTestWidget(&form);
    auto* b = new TTestWidget(&form);
    a->SetName("Widget1");
    EXPECT_NO_THROW(a->SetName("WIDGET1")) << "a component may change the case of its own name";
    try {
        b->SetName("widget1");
        ADD_FAILURE();
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(), "コンポーネント名 widget1 はすでに使われています");
    }
}

TEST(Component, FieldsFollowNamesAndDestruction) {
    TTestForm form(nullptr);
    auto* w = new TTestWidget(&form);
    w->SetName("Widget1");
    EXPECT_EQ(form.widget1, w);
    w->SetName("Widget2");
    EXPECT_EQ(form.widget1, nullptr);
    EXPECT_EQ(form.widget2, w);
    auto* sub = new TTestSub(&form);
    sub->SetName("Widget1");  // a field of another class is left alone
    EXPECT_EQ(form.widget1, nullptr);
    delete w;
    EXPECT_EQ(form.widget2, nullptr);
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(form.FindComponent("WIDGET1"), sub);
}

TEST(Component, DestroysOwnedComponentsNewestFirst) {
    static std::vector<std::string> order;
    struct TLogged : TComponent {
        using TComponent::TComponent;
        ~TLogged() override { order.push_back(Name()); }
    };
    order.clear();
    {
        TComponent owner(nullptr);
        for (const char* n : {"A", "B", "C"}) (new TLogged(&owner))->SetName(n);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"C", "B", "A"}));
}

TEST(ClassInfo, LooksUpThroughAncestorsIgnoringCase) {
    const TClassInfo& cls = TTestRegistered::StaticClassInfo();
    ASSERT_NE(cls.FindProperty("caption"), nullptr);
    EXPECT_EQ(cls.FindProperty("caption")->Kind(), TTypeKind::tkString);
    EXPECT_EQ(cls.FindProperty("NAME")->Kind(), TTypeKind::tkString);
    EXPECT_EQ(cls.FindProperty("Nope"), nullptr);
    EXPECT_TRUE(cls.InheritsFrom(TComponent::StaticClassInfo()));
    EXPECT_TRUE(cls.IsComponentClass());
    EXPECT_FALSE(TTestFont::StaticClassInfo().IsComponentClass());
    EXPECT_FALSE(TTestFont::StaticClassInfo().CanConstruct());
    EXPECT_EQ(TTestForm::StaticClassInfo().FindMethod("BUTTONCLICK")->name, "ButtonClick");
    EXPECT_EQ(TTestForm::StaticClassInfo().FindField("panel1")->name, "Panel1");
    EXPECT_FALSE(cls.FindProperty("ComponentTotal")->HasSetter());
    EXPECT_EQ(cls.FindProperty("Color")->ordinalDefault, clBtnFace);
    TComponent owner(nullptr);
    TComponent* made = cls.Construct(&owner);
    EXPECT_EQ(&made->ClassInfo(), &cls);
    EXPECT_EQ(made->Owner(), &owner);
}

TEST(IdentMaps, MapColoursCharsetsAndCursors) {
    const struct {
        const TTypeInfo& type;
        const char* ident;
        std::int32_t value;
    } table[] = {
        {TypeInfoTColor(), "clBlack", 0x000000},
        {TypeInfoTColor(), "clWhite", 0xFFFFFF},
        {TypeInfoTColor(), "clRed", 0x0000FF},
        {TypeInfoTColor(), "clBlue", 0xFF0000},
        {TypeInfoTColor(), "clFuchsia", 0xFF00FF},
        {TypeInfoTColor(), "clBtnFace", static_cast<std::int32_t>(0xFF00000F)},
        {TypeInfoTColor(), "clWindowText", static_cast<std::int32_t>(0xFF000008)},
        {TypeInfoTColor(), "clScrollBar", static_cast<std::int32_t>(0xFF000000)},
        {TypeInfoTColor(), "clInfoBk", static_cast<std::int32_t>(0xFF000018)},
        {TypeInfoTColor(), "clMoneyGreen", 0xC0DCC0},
        {TypeInfoTColor(), "clNone", 0x1FFFFFFF},
        {TypeInfoTColor(), "clDefault", 0x20000000},
        {TypeInfoTFontCharset(), "ANSI_CHARSET", 0},
        {TypeInfoTFontCharset(), "SHIFTJIS_CHARSET", 128},
        {TypeInfoTCursor(), "crDefault", 0},
        {TypeInfoTCursor(), "crHandPoint", -21},
    };
    for (const auto& row : table) {
        const TIdentToInt toInt = FindIdentToInt(row.type);
        const TIntToIdent toIdent = FindIntToIdent(row.type);
        ASSERT_TRUE(toInt && toIdent) << row.ident;
        EXPECT_EQ(toInt(row.ident), row.value) << row.ident;
        EXPECT_EQ(toIdent(row.value), std::string(row.ident)) << row.ident;
    }
    EXPECT_EQ(FindIdentToInt(TypeInfoInteger()), nullptr);
    EXPECT_EQ(IdentToColor("CLRED"), clRed);
    EXPECT_EQ(IdentToColor("clPink"), std::nullopt);
    EXPECT_EQ(ColorNames().size(), 47u);
}

TEST(TextConvert, ReplacesMalformedSequences) {
    const struct {
        std::u16string wide;
        std::string utf8;
    } table[] = {
        {u"", ""},
        {u"pn接合ダイオードの容量ー電圧特性", "pn接合ダイオードの容量ー電圧特性"},
        {u"\U0001F600", "\xF0\x9F\x98\x80"},
        {std::u16string(1, char16_t(0xDC00)), "\xEF\xBF\xBD"},
        {std::u16string{char16_t(0xD83D), u'x'}, "\xEF\xBF\xBDx"},
    };
    for (const auto& row : table) EXPECT_EQ(Utf16ToUtf8(row.wide), row.utf8);
    EXPECT_EQ(Utf8ToUtf16("\xC0\x80"
                          "a\xE3\x81"),
              u"\uFFFD\uFFFDa\uFFFD\uFFFD");
    EXPECT_EQ(SanitizeUtf8("ok\xFF"), "ok\xEF\xBF\xBD");
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80"), u"\U0001F600");
}

}  // namespace

// A description compiled by formc at build time, embedded as a resource and
// loaded through LoadFormResources, gives back the values written.
#include <gtest/gtest.h>

#include "shell/core/FormLoader.h"
#include "shell/core/MemoryStream.h"
#include "shell/core/NameSpace.h"
#include "shell/core/Reader.h"
#include "shell/core/StreamErrors.h"
#include "tests/shell/StreamBuilder.h"
#include "tests/shell/TestComponents.h"

using namespace cvcalc;
using namespace cvcalc::test;

namespace {

// The test form's class, named as the embedded description.
class TTestFormRoundTrip : public TTestForm {
public:
    using TTestForm::TTestForm;
};

TEST(RoundTrip, CompiledDescriptionLoadsWithTheValuesWritten) {
    TTestForm form(nullptr);
    AfterLoadLog().clear();
    // Embedded under its class name in upper case, TTESTFORM.
    ASSERT_TRUE(LoadFormResources(&form, TComponent::StaticClassInfo()));
    EXPECT_EQ(form.Name(), "TestForm");
    EXPECT_EQ(form.pixelsPerInch, 96);
    EXPECT_EQ(form.textHeight, 16);
    ASSERT_NE(form.widget1, nullptr);
    ASSERT_NE(form.widget2, nullptr);
    ASSERT_NE(form.sub1, nullptr);
    const TTestWidget& w = *form.widget1;
    EXPECT_EQ(w.tag, -70000);
    EXPECT_EQ(w.left, 1016);
    EXPECT_EQ(w.color, clFuchsia);
    EXPECT_EQ(w.cursor, crHandPoint);
    EXPECT_EQ(w.letter, 'Q');
    EXPECT_EQ(w.wideLetter, u'μ');
    EXPECT_EQ(w.align, alClient);
    EXPECT_FALSE(w.visible);
    EXPECT_EQ(w.ratio, 0.001);
    EXPECT_EQ(w.scale, 1.5f);
    EXPECT_EQ(w.precise, 3.14159265358979323846L);
    EXPECT_EQ(w.caption, "pn接合ダイオードの容量ー電圧特性");
    EXPECT_EQ(w.hint, u"距離　[μm]");
    EXPECT_EQ(w.anchors, (TTestAnchors{akLeft, akTop, akRight}));
    EXPECT_EQ(w.big, std::int64_t{1} << 40);
    ASSERT_TRUE(std::holds_alternative<long double>(w.value));
    EXPECT_EQ(std::get<long double>(w.value), -2.5L);
    EXPECT_EQ(w.buddy, form.widget2);
    EXPECT_EQ(w.font.name, "ＭＳ Ｐゴシック");
    EXPECT_EQ(w.font.height, -16);
    EXPECT_EQ(w.font.charset, SHIFTJIS_CHARSET);
    EXPECT_EQ(w.font.color, clWindowText);
    EXPECT_TRUE(w.font.style.Empty());
    EXPECT_EQ(w.picture.graphicClass, "TBitmap");
    ASSERT_EQ(w.picture.data.size(), 4u + 62u);
    EXPECT_EQ(w.picture.data[0], 62);  // the byte count before the file
    EXPECT_EQ(w.picture.data[4], 'B');
    EXPECT_EQ(w.picture.data[5], 'M');
    EXPECT_EQ(w.lines.Items(), (std::vector<std::string>{"TChart", "電荷密度分布", "tab\there"}));
    ASSERT_EQ(w.items.Count(), 2);
    EXPECT_EQ(static_cast<TTestItem&>(w.items.Items(1)).caption, "second");
    EXPECT_EQ(static_cast<TTestItem&>(w.items.Items(1)).width, 80);
    EXPECT_EQ(w.inner->depth, 2);
    EXPECT_EQ(form.widget2->caption, "1/(C*C)  [nF^-2]");
    EXPECT_EQ(form.widget2->parent, form.widget1);
    EXPECT_EQ(form.widget2->Owner(), &form);
    EXPECT_EQ(form.sub1->DesignLeft(), 215);
    EXPECT_EQ(form.sub1->DesignTop(), 194);
    w.onClick(form.widget1);
    form.widget2->onDblClick(form.widget2);
    EXPECT_EQ(form.clicks.size(), 1u);
    EXPECT_EQ(form.otherClicks, 1);
    EXPECT_EQ(AfterLoadLog(), (std::vector<std::string>{"Widget2", "Widget1"}));
}

TEST(RoundTrip, FormWithoutDescription) {
    TTestFormRoundTrip form(nullptr);
    EXPECT_FALSE(ReadComponentResource("TNoSuchForm", 0, &form));
}

TEST(RoundTrip, AReferenceIntoAFormLoadedThroughLoadFormResourcesIsResolvedByItsLoad) {
    // FormA names a component of the embedded TestForm before that form exists.
    const auto bytes = StreamBuilder()
                           .Signature()
                           .Record("TTestForm", "FormA")
                           .End()
                           .Record("TTestWidget", "Widget1")
                           .Prop("Buddy")
                           .Ident("TestForm.Widget2")
                           .End()
                           .End()
                           .End()
                           .bytes;
    TTestForm formA(nullptr);
    {
        TMemoryStream stream(bytes);
        TReader reader(stream);
        reader.ReadRoot(&formA);
    }
    ASSERT_NE(formA.widget1, nullptr);
    EXPECT_EQ(formA.widget1->buddy, nullptr);
    EXPECT_EQ(GlobalFixupCount(), 1u) << "the reference waits for its form";

    // The form is in the global lookup while it loads, as forms of the
    // application are; its AfterLoad calls come only after its read.
    TTestForm testForm(nullptr);
    RegisterGlobalComponent(&testForm);
    ASSERT_TRUE(LoadFormResources(&testForm, TComponent::StaticClassInfo()));
    EXPECT_EQ(testForm.Name(), "TestForm");
    ASSERT_NE(testForm.widget2, nullptr);
    EXPECT_EQ(formA.widget1->buddy, testForm.widget2);
    EXPECT_EQ(GlobalFixupCount(), 0u);
    UnregisterGlobalComponent(&testForm);
}

}  // namespace

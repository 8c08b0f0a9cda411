// The form reader: every property kind, names, fields, events, references,
// stream properties, the load order and the errors of bad streams.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "platform/core/MessageTable.h"
#include "shell/core/ClassRegistry.h"
#include "shell/core/MemoryStream.h"
#include "shell/core/NameSpace.h"
#include "shell/core/Reader.h"
#include "shell/core/StreamErrors.h"
#include "tests/shell/StreamBuilder.h"
#include "tests/shell/TestComponents.h"

using namespace cvcalc;
using namespace cvcalc::test;

namespace {

using Entries = std::function<void(StreamBuilder&)>;

template <typename T, typename V>
bool Holds(const TVariant& v, const V& expected) {
    const T* held = std::get_if<T>(&v);
    return held && *held == expected;
}

// A form "Form1" with one child "Widget1" carrying `entries`.
std::vector<unsigned char> WidgetStream(const Entries& entries, std::string_view cls = "TTestWidget") {
    StreamBuilder b;
    b.Signature().Record("TTestForm", "Form1").End();
    b.Record(cls, "Widget1");
    entries(b);
    b.End().End();  // Widget1's entries and children
    b.End();        // Form1's children
    return b.bytes;
}

void Read(TComponent* root, const std::vector<unsigned char>& bytes) {
    TMemoryStream stream(bytes);
    TReader reader(stream);
    reader.ReadRoot(root);
}

std::string ReadError(TComponent* root, const std::vector<unsigned char>& bytes) {
    try {
        Read(root, bytes);
    } catch (const EReadError& e) {
        return "EReadError:" + e.Message();
    } catch (const EClassNotFound& e) {
        return "EClassNotFound:" + e.Message();
    } catch (const EComponentError& e) {
        return "EComponentError:" + e.Message();
    } catch (const Exception& e) {
        return "Exception:" + e.Message();
    }
    return "no error";
}

TEST(Reader, StoresEveryPropertyKind) {
    const struct {
        const char* what;
        Entries entries;
        std::function<bool(const TTestWidget&)> check;
    } table[] = {
        {"integer", [](auto& b) { b.Prop("Tag").Int(-123456); }, [](auto& w) { return w.tag == -123456; }},
        {"colour by name", [](auto& b) { b.Prop("Color").Ident("CLFUCHSIA"); },
         [](auto& w) { return w.color == 0xFF00FF; }},
        {"system colour", [](auto& b) { b.Prop("Color").Ident("clBtnFace"); },
         [](auto& w) { return w.color == static_cast<TColor>(0xFF00000F); }},
        {"cursor by name", [](auto& b) { b.Prop("Cursor").Ident("crHandPoint"); },
         [](auto& w) { return w.cursor == -21; }},
        {"character", [](auto& b) { b.Prop("Letter").Str("Q"); }, [](auto& w) { return w.letter == 'Q'; }},
        {"empty character", [](auto& b) { b.Prop("Letter").Str(""); }, [](auto& w) { return w.letter == 0; }},
        {"wide character", [](auto& b) { b.Prop("WideLetter").WStr(u"\u03bc"); },
         [](auto& w) { return w.wideLetter == u'\u03bc'; }},
        {"enumeration ignoring case", [](auto& b) { b.Prop("Align").Ident("ALCLIENT"); },
         [](auto& w) { return w.align == alClient; }},
        {"boolean false tag", [](auto& b) { b.Prop("Visible").Byte(ValFalse); }, [](auto& w) { return !w.visible; }},
        {"double from extended", [](auto& b) { b.Prop("Ratio").Ext(0.001L); },
         [](auto& w) { return w.ratio == 0.001; }},
        {"double from integer", [](auto& b) { b.Prop("Ratio").Int(-10); }, [](auto& w) { return w.ratio == -10; }},
        {"double from double", [](auto& b) { b.Prop("Ratio").Dbl(2.5); }, [](auto& w) { return w.ratio == 2.5; }},
        {"single from extended", [](auto& b) { b.Prop("Scale").Ext(0.1L); }, [](auto& w) { return w.scale == 0.1f; }},
        {"extended kept whole", [](auto& b) { b.Prop("Precise").Ext(1.0L / 3); },
         [](auto& w) { return w.precise == 1.0L / 3; }},
        {"64-bit integer", [](auto& b) { b.Prop("Big").Int(-(std::int64_t{1} << 40)); },
         [](auto& w) { return w.big == -(std::int64_t{1} << 40); }},
        {"64-bit from int8", [](auto& b) { b.Prop("Big").Int(-5); }, [](auto& w) { return w.big == -5; }},
        {"string", [](auto& b) { b.Prop("Caption").Str("Ver. 1"); }, [](auto& w) { return w.caption == "Ver. 1"; }},
        {"long string", [](auto& b) { b.Prop("Caption").LStr(std::string(300, 'a')); },
         [](auto& w) { return w.caption == std::string(300, 'a'); }},
        {"wide string into 8-bit text", [](auto& b) { b.Prop("Caption").WStr(u"計算"); },
         [](auto& w) { return w.caption == "計算"; }},
        {"lone surrogate replaced", [](auto& b) { b.Prop("Caption").WStr(std::u16string(1, char16_t(0xD800)) + u"a"); },
         [](auto& w) {
             return w.caption ==
                    "\xEF\xBF\xBD"
                    "a";
         }},
        {"UTF-8 string into 8-bit text", [](auto& b) { b.Prop("Caption").Utf8("電圧　[V]"); },
         [](auto& w) { return w.caption == "電圧　[V]"; }},
        {"8-bit text into wide string", [](auto& b) { b.Prop("Hint").Str("μm"); },
         [](auto& w) { return w.hint == u"μm"; }},
        {"UTF-8 into wide string", [](auto& b) { b.Prop("Hint").Utf8("リセット"); },
         [](auto& w) { return w.hint == u"リセット"; }},
        {"set",
         [](auto& b) {
             b.Prop("Anchors").Set({"akRight", "AKBOTTOM"});
         },
         [](auto& w) {
             return w.anchors == TTestAnchors{akRight, akBottom};
         }},
        {"empty set", [](auto& b) { b.Prop("Font.Style").Set({}); }, [](auto& w) { return w.font.style.Empty(); }},
        {"sub-object path", [](auto& b) { b.Prop("Font.Name").Str("ＭＳ Ｐゴシック"); },
         [](auto& w) { return w.font.name == "ＭＳ Ｐゴシック"; }},
        {"int8 -16 sign-extended", [](auto& b) { b.Prop("Font.Height").Byte(ValInt8).Byte(0xF0); },
         [](auto& w) { return w.font.height == -16; }},
        {"charset by name", [](auto& b) { b.Prop("font.charset").Ident("SHIFTJIS_CHARSET"); },
         [](auto& w) { return w.font.charset == 128; }},
        {"variant integer", [](auto& b) { b.Prop("Value").Int(42); },
         [](auto& w) { return Holds<std::int64_t>(w.value, 42); }},
        {"variant string", [](auto& b) { b.Prop("Value").Str("x"); },
         [](auto& w) { return Holds<std::string>(w.value, "x"); }},
        {"variant null", [](auto& b) { b.Prop("Value").Byte(ValEnd); },
         [](auto& w) { return std::holds_alternative<TVariantNull>(w.value); }},
        {"string list", [](auto& b) { b.Prop("Lines.Strings").Byte(ValList).Str("TChart").WStr(u"電荷").End(); },
         [](auto& w) {
             return w.lines.Items() == std::vector<std::string>{"TChart", "電荷"};
         }},
        {"picture data", [](auto& b) { b.Prop("Picture.Data").Binary("\x07TBitmapBM!"); },
         [](auto& w) {
             return w.picture.graphicClass == "TBitmap" && w.picture.data == std::vector<unsigned char>{'B', 'M', '!'};
         }},
        {"read-only sub-component", [](auto& b) { b.Prop("Inner.Depth").Int(3); },
         [](auto& w) { return w.inner->depth == 3; }},
        {"object nil", [](auto& b) { b.Prop("Buddy").Byte(ValNil); }, [](auto& w) { return w.buddy == nullptr; }},
        {"event nil", [](auto& b) { b.Prop("OnClick").Byte(ValNil); }, [](auto& w) { return !w.onClick; }},
    };
    for (const auto& row : table) {
        TTestForm form(nullptr);
        Read(&form, WidgetStream(row.entries));
        ASSERT_NE(form.widget1, nullptr) << row.what;
        EXPECT_TRUE(row.check(*form.widget1)) << row.what;
    }
}

TEST(Reader, WrapsEntryErrorsWithInstanceAndPath) {
    const std::string invalid = "不正なプロパティの値です";
    const struct {
        const char* what;
        Entries entries;
        std::string message;
    } table[] = {
        {"unknown property", [](auto& b) { b.Prop("Foo").Int(1); },
         "Widget1.Foo の読み込み中のエラー : プロパティ Foo は存在しません"},
        {"unknown sub-property", [](auto& b) { b.Prop("Font.Foo").Int(1); },
         "Widget1.Font.Foo の読み込み中のエラー : プロパティ Foo は存在しません"},
        {"unknown path head", [](auto& b) { b.Prop("Glass.Bottom").Int(1); },
         "Widget1.Glass.Bottom の読み込み中のエラー : プロパティ Glass.Bottom は存在しません"},
        {"path through a string", [](auto& b) { b.Prop("Caption.Size").Int(1); },
         "Widget1.Caption.Size の読み込み中のエラー : 不正なプロパティのパスです"},
        {"read-only property", [](auto& b) { b.Prop("ComponentTotal").Int(1); },
         "Widget1.ComponentTotal の読み込み中のエラー : プロパティは書き込み禁止です"},
        {"single into a float", [](auto& b) { b.Prop("Ratio").Sgl(1); },
         "Widget1.Ratio の読み込み中のエラー : " + invalid},
        {"identifier into a plain integer", [](auto& b) { b.Prop("Tag").Ident("clRed"); },
         "Widget1.Tag の読み込み中のエラー : " + invalid},
        {"unknown colour", [](auto& b) { b.Prop("Color").Ident("clPink"); },
         "Widget1.Color の読み込み中のエラー : " + invalid},
        {"unknown set member",
         [](auto& b) {
             b.Prop("Anchors").Set({"akLeft", "akMiddle", "akTop"});
         },
         "Widget1.Anchors の読み込み中のエラー : " + invalid},
        {"unknown enumeration member", [](auto& b) { b.Prop("Align").Ident("alCenter"); },
         "Widget1.Align の読み込み中のエラー : " + invalid},
        {"event without handler", [](auto& b) { b.Prop("OnClick").Ident("NoSuchClick"); },
         "Widget1.OnClick の読み込み中のエラー : " + invalid},
        {"two characters", [](auto& b) { b.Prop("Letter").Str("ab"); },
         "Widget1.Letter の読み込み中のエラー : " + invalid},
        {"string into an integer", [](auto& b) { b.Prop("Tag").Str("12"); },
         "Widget1.Tag の読み込み中のエラー : " + invalid},
        {"list expected", [](auto& b) { b.Prop("Lines.Strings").Str("x"); },
         "Widget1.Lines.Strings の読み込み中のエラー : " + invalid},
        {"binary expected", [](auto& b) { b.Prop("Picture.Data").Str("x"); },
         "Widget1.Picture.Data の読み込み中のエラー : " + invalid},
        {"double beyond a single", [](auto& b) { b.Prop("Scale").Dbl(1e300); },
         "Widget1.Scale の読み込み中のエラー : 浮動小数点数のオーバーフロー"},
        {"collection item error",
         [](auto& b) { b.Prop("Items").Byte(ValCollection).Byte(ValList).Prop("Nope").Int(1); },
         "Widget1.Items の読み込み中のエラー : TTestItem.Nope の読み込み中のエラー : プロパティ Nope は存在しません"},
    };
    for (const auto& row : table) {
        TTestForm form(nullptr);
        EXPECT_EQ(ReadError(&form, WidgetStream(row.entries)), "EReadError:" + row.message) << row.what;
        EXPECT_EQ(form.widget1, nullptr) << row.what << ": the failed record's component is freed";
        EXPECT_EQ(form.ComponentCount(), 0) << row.what;
    }
}

TEST(Reader, RecordErrors) {
    const struct {
        const char* what;
        std::vector<unsigned char> bytes;
        std::string message;
    } table[] = {
        {"signature TPF1", StreamBuilder().Raw("TPF1").Record("TTestForm", "Form1").End().End().bytes,
         "EReadError:不正なストリーム形式"},
        {"unknown class", WidgetStream([](auto&) {}, "TFoo"), "EClassNotFound:クラス TFoo が見つかりません"},
        {"persistent class", WidgetStream([](auto&) {}, "TTestFont"),
         "EClassNotFound:クラス TTestFont が見つかりません"},
        {"duplicate sibling",
         StreamBuilder()
             .Signature()
             .Record("TTestForm", "Form1")
             .End()
             .Record("TTestWidget", "Widget1")
             .End()
             .End()
             .Record("TTestWidget", "WIDGET1")
             .End()
             .End()
             .End()
             .bytes,
         "EComponentError:コンポーネント名 WIDGET1 はすでに使われています"},
        {"invalid name",
         StreamBuilder()
             .Signature()
             .Record("TTestForm", "Form1")
             .End()
             .Record("TTestWidget", "1st")
             .End()
             .End()
             .End()
             .bytes,
         "EComponentError:コンポーネント名に ''1st'' は使えません"},
        {"inherited component missing",
         StreamBuilder()
             .Signature()
             .Record("TTestForm", "Form1")
             .End()
             .Prefix(PrefixInherited)
             .Record("TTestWidget", "Old")
             .End()
             .End()
             .End()
             .bytes,
         "EReadError:継承元の 'Old' が見つかりません"},
        {"truncated", StreamBuilder().Signature().Record("TTestForm", "Form1").Prop("Tag").bytes,
         "EReadError:Form1.Tag の読み込み中のエラー : ストリームからの読み込みエラー"},
        {"huge long string",
         WidgetStream([](auto& b) { b.Prop("Caption").Byte(ValLString).Le(0xFFFFFFF0u).Raw("abc"); }),
         "EReadError:Widget1.Caption の読み込み中のエラー : ストリームからの読み込みエラー"},
        {"huge binary", WidgetStream([](auto& b) { b.Prop("Picture.Data").Byte(ValBinary).Le(0xFFFFFFF0u); }),
         "EReadError:Widget1.Picture.Data の読み込み中のエラー : ストリームからの読み込みエラー"},
    };
    for (const auto& row : table) {
        TTestForm form(nullptr);
        EXPECT_EQ(ReadError(&form, row.bytes), row.message) << row.what;
        // Only the first of two equally named siblings survives.
        EXPECT_EQ(form.ComponentCount(), std::string_view(row.what) == "duplicate sibling" ? 1 : 0) << row.what;
    }
    TTestForm untouched(nullptr);
    ReadError(&untouched, table[0].bytes);
    EXPECT_EQ(untouched.Name(), "") << "a bad signature fails before the root is touched";
}

TEST(Reader, HostileNestingFailsCleanly) {
    StreamBuilder lists;
    lists.Signature().Record("TTestForm", "Form1").End().Record("TTestWidget", "Widget1").Prop("Value");
    for (int i = 0; i < 100000; ++i) lists.Byte(ValList);
    TTestForm form1(nullptr);
    EXPECT_EQ(ReadError(&form1, lists.bytes), "EReadError:Widget1.Value の読み込み中のエラー : 不正なストリーム形式");

    StreamBuilder children;
    children.Signature().Record("TTestForm", "Form1").End();
    for (int i = 0; i < 10000; ++i) {
        std::string name = "W";
        for (int n = i; n > 0; n /= 26) name.push_back(static_cast<char>('a' + n % 26));
        children.Record("TTestWidget", name).End();
    }
    TTestForm form2(nullptr);
    EXPECT_EQ(ReadError(&form2, children.bytes), "EReadError:不正なストリーム形式");
    EXPECT_LT(form2.ComponentCount(), TReader::MaxNesting + 1);

    StreamBuilder skipped;
    skipped.Signature().Record("TTestForm", "Form1").End().Record("TTestWidget", "Widget1").Prop("Nope");
    for (int i = 0; i < 100000; ++i) skipped.Byte(ValList);
    TTestForm form3(nullptr);
    EXPECT_EQ(ReadError(&form3, skipped.bytes), "EReadError:Widget1.Nope の読み込み中のエラー : 不正なストリーム形式");
}

TEST(Reader, EveryTruncationEndsInAReadError) {
    const auto full = WidgetStream([](auto& b) {
        b.Prop("Caption").WStr(u"計算").Prop("Anchors").Set({"akLeft"}).Prop("Items").Byte(ValCollection);
        b.Byte(ValList).Prop("Caption").Str("a").End().End();
        b.Prop("Ratio").Ext(2.5L).Prop("Lines.Strings").Byte(ValList).Str("x").End();
    });
    {
        TTestForm form(nullptr);
        Read(&form, full);
        ASSERT_NE(form.widget1, nullptr);
    }
    for (std::size_t cut = 0; cut < full.size(); ++cut) {
        TTestForm form(nullptr);
        const std::vector<unsigned char> part(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut));
        const std::string error = ReadError(&form, part);
        EXPECT_EQ(error.rfind("EReadError:", 0), 0u) << cut << " " << error;
        EXPECT_NE(error.find(cut < 4 ? "ストリームからの読み込みエラー" : "読み込み"), std::string::npos) << cut;
        if (cut + 1 < full.size()) {
            EXPECT_EQ(form.widget1, nullptr) << cut;
        }
    }
}

TEST(Reader, BindsFieldsEventsAndReferences) {
    StreamBuilder b;
    b.Signature().Record("TTestForm", "Form1").Prop("PixelsPerInch").Int(96).Prop("TextHeight").Int(16).End();
    b.Record("TTestWidget", "Widget1").Prop("Buddy").Ident("widget2").Prop("Partner").Ident("Widget2");
    b.Prop("OnClick").Ident("buttonclick").Prop("OnDblClick").Ident("OtherClick").End().End();
    b.Record("TTestWidget", "Widget2").Prop("Buddy").Ident("Nobody").End().End();
    b.Record("TTestSub", "Sub1").Prop("Left").Int(215).Prop("Top").Int(194).End().End();
    b.End();
    TTestForm form(nullptr);
    Read(&form, b.bytes);
    ASSERT_NE(form.widget1, nullptr);
    ASSERT_NE(form.widget2, nullptr);
    ASSERT_NE(form.sub1, nullptr);
    EXPECT_EQ(form.pixelsPerInch, 96);
    EXPECT_EQ(form.textHeight, 16);
    EXPECT_EQ(form.widget1->buddy, form.widget2) << "a forward reference is resolved at the end";
    EXPECT_EQ(form.widget1->partner, static_cast<ITestPartner*>(form.widget2));
    EXPECT_EQ(form.widget2->buddy, nullptr);
    EXPECT_EQ(form.sub1->DesignLeft(), 215);
    EXPECT_EQ(form.sub1->DesignTop(), 194);
    EXPECT_EQ(form.widget1->Owner(), &form);
    EXPECT_EQ(form.widget1->parent, &form);

    form.widget1->onClick(form.widget1);
    form.widget1->onDblClick(form.widget1);
    ASSERT_EQ(form.clicks.size(), 1u);
    EXPECT_EQ(form.clicks[0], form.widget1);
    EXPECT_EQ(form.otherClicks, 1);
    EXPECT_EQ(form.widget1->onClick.Method().data, &form);
    EXPECT_EQ(form.widget1->onClick.Method().method->name, "ButtonClick");

    delete form.widget2;
    EXPECT_EQ(form.widget2, nullptr) << "a destroyed component's field is cleared";
    EXPECT_EQ(GlobalFixupCount(), 0u);
}

TEST(Reader, CollectionsReplaceTheirItems) {
    TTestForm form(nullptr);
    Read(&form, WidgetStream([](auto& b) {
        b.Prop("Items").Byte(ValCollection);
        b.Byte(ValList).Prop("Caption").Str("first").End();
        b.Int(5).Byte(ValList).Prop("Caption").Str("second").Prop("Width").Int(80).End();
        b.End();
    }));
    auto& items = form.widget1->items;
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(static_cast<TTestItem&>(items.Items(0)).caption, "first");
    EXPECT_EQ(static_cast<TTestItem&>(items.Items(0)).width, 50);
    EXPECT_EQ(static_cast<TTestItem&>(items.Items(1)).width, 80);
    EXPECT_EQ(items.UpdateCount(), 0);
}

TEST(Reader, AfterLoadRunsParentsAfterChildrenAndPositionsChildren) {
    StreamBuilder b;
    b.Signature().Record("TTestForm", "Form1").End();
    b.Record("TTestWidget", "Panel1").End();
    b.Record("TTestWidget", "Widget1").End().End();
    b.Prefix(PrefixChildPos).Int(3).Record("TTestWidget", "Widget2").End().End();
    b.End();  // Panel1's children
    b.End();
    AfterLoadLog().clear();
    TTestForm form(nullptr);
    Read(&form, b.bytes);
    EXPECT_EQ(AfterLoadLog(), (std::vector<std::string>{"Widget1", "Widget2", "Panel1"}));
    EXPECT_EQ(form.widget1->parent, form.panel1);
    EXPECT_EQ(form.widget1->Owner(), &form);
    ASSERT_EQ(form.panel1->positions.size(), 1u);
    EXPECT_EQ(form.panel1->positions[0], std::make_pair(static_cast<TComponent*>(form.widget2), 3));
    EXPECT_FALSE(form.ComponentState().Contains(csLoading));
    EXPECT_FALSE(form.widget1->ComponentState().Contains(csLoading));
    EXPECT_FALSE(form.widget1->inner->ComponentState().Contains(csLoading));
}

TEST(Reader, RootNamesAreUniqueAmongGlobalComponents) {
    const auto bytes = StreamBuilder().Signature().Record("TSomethingElse", "FormHTML").End().End().bytes;
    TTestForm first(nullptr), second(nullptr), third(nullptr);
    const std::string expected[] = {"FormHTML", "FormHTML_1", "FormHTML_2"};
    TTestForm* forms[] = {&first, &second, &third};
    for (int i = 0; i < 3; ++i) {
        Read(forms[i], bytes);
        EXPECT_EQ(forms[i]->Name(), expected[i]);
        RegisterGlobalComponent(forms[i]);
    }
    for (TTestForm* f : forms) UnregisterGlobalComponent(f);
}

TEST(Reader, CreatesARegisteredRootAndFreesItOnFailure) {
    RegisterClass(TTestRegistered::StaticClassInfo());
    auto good = StreamBuilder().Signature().Record("TTestRegistered", "Loose").Prop("Tag").Int(9).End().End().bytes;
    TMemoryStream stream(good);
    std::unique_ptr<TComponent> root;
    {
        TReader reader(stream);
        root.reset(reader.ReadRoot(nullptr));
    }
    ASSERT_NE(dynamic_cast<TTestRegistered*>(root.get()), nullptr);
    EXPECT_EQ(static_cast<TTestRegistered&>(*root).tag, 9);
    auto bad = StreamBuilder().Signature().Record("TTestRegistered", "Loose").Prop("Tag").Str("x").End().End().bytes;
    EXPECT_EQ(ReadError(nullptr, bad), "EReadError:Loose.Tag の読み込み中のエラー : 不正なプロパティの値です");
    // A class found only through the registry also serves child records.
    TTestForm form(nullptr);
    Read(&form, WidgetStream([](auto& b) { b.Prop("Tag").Int(1); }, "TTestRegistered"));
    EXPECT_NE(dynamic_cast<TTestRegistered*>(form.widget1), nullptr);
    UnregisterClass(TTestRegistered::StaticClassInfo());
}

TEST(Reader, LeavesTheStreamJustAfterTheDescription) {
    auto bytes = StreamBuilder().Signature().Record("TTestForm", "Form1").End().End().bytes;
    const auto length = static_cast<std::int64_t>(bytes.size());
    bytes.insert(bytes.end(), 5000, 0xAB);
    TMemoryStream stream(bytes);
    TTestForm form(nullptr);
    {
        TReader reader(stream);
        reader.ReadRoot(&form);
    }
    EXPECT_EQ(stream.Position(), length);
}

TEST(Reader, SkipsEveryValueKind) {
    // Each value of the table, skipped as the value of an unknown entry of a
    // collection item, leaves the stream at the next entry.
    StreamBuilder values;
    values.Int(1).Int(300).Int(70000).Int(std::int64_t{1} << 40).Ext(1.5L).Dbl(2).Sgl(3).Str("s").LStr("ls");
    values.Utf8("u").WStr(u"w").Ident("i").Set({"a", "b"}).Binary("bin").Byte(ValCurrency).Le(std::int64_t{1});
    values.Byte(ValDate).Le(1.0).Byte(ValFalse).Byte(ValTrue).Byte(ValNil).Byte(22).Byte(ValList).Int(1).Str("x").End();
    values.Byte(ValCollection).Int(0).Byte(ValList).Prop("P").Int(1).End().End();
    TMemoryStream stream(values.bytes);
    TReader reader(stream);
    int count = 0;
    for (; count < 22; ++count) reader.SkipOneValue();
    EXPECT_THROW(reader.SkipOneValue(), EReadError) << "exactly at the end after " << count << " values";
}

// A reader whose error hook absorbs every error it is asked about.
class TForgivingReader : public TReader {
public:
    using TReader::TReader;
    bool HandleReadError(const std::string& message) override {
        asked.push_back(message);
        return true;
    }
    std::vector<std::string> asked;
};

TEST(Reader, IdentifierTagsWithTheHighBitSetAreReadForObjectsAndInterfaces) {
    // Only the low 7 bits of the tag byte decide whether an identifier follows.
    const struct {
        const char* what;
        Entries entries;
        std::function<bool(const TTestWidget&)> check;
    } table[] = {
        {"object reference", [](auto& b) { b.Prop("Buddy").Byte(TagHighBit | ValIdent).Short("Widget1"); },
         [](auto& w) { return w.buddy == &w; }},
        {"object nil", [](auto& b) { b.Prop("Buddy").Byte(TagHighBit | ValNil); },
         [](auto& w) { return w.buddy == nullptr; }},
        {"interface reference", [](auto& b) { b.Prop("Partner").Byte(TagHighBit | ValIdent).Short("widget1"); },
         [](auto& w) { return w.partner == static_cast<const ITestPartner*>(&w); }},
        {"interface nil", [](auto& b) { b.Prop("Partner").Byte(TagHighBit | ValNil); },
         [](auto& w) { return w.partner == nullptr; }},
        {"colour by name", [](auto& b) { b.Prop("Color").Byte(TagHighBit | ValIdent).Short("clRed"); },
         [](auto& w) { return w.color == clRed; }},
        {"enumeration", [](auto& b) { b.Prop("Align").Byte(TagHighBit | ValIdent).Short("alTop"); },
         [](auto& w) { return w.align == alTop; }},
        {"boolean false", [](auto& b) { b.Prop("Visible").Byte(TagHighBit | ValFalse); },
         [](auto& w) { return !w.visible; }},
        {"event", [](auto& b) { b.Prop("OnClick").Byte(TagHighBit | ValIdent).Short("ButtonClick"); },
         [](auto& w) { return static_cast<bool>(w.onClick); }},
        {"event nil", [](auto& b) { b.Prop("OnClick").Byte(TagHighBit | ValNil); }, [](auto& w) { return !w.onClick; }},
    };
    for (const auto& row : table) {
        TTestForm form(nullptr);
        // A second entry after the value shows that it was consumed whole.
        Read(&form, WidgetStream([&](auto& b) {
            row.entries(b);
            b.Prop("Tag").Int(5);
        }));
        ASSERT_NE(form.widget1, nullptr) << row.what;
        EXPECT_TRUE(row.check(*form.widget1)) << row.what;
        EXPECT_EQ(form.widget1->tag, 5) << row.what;
    }
}

TEST(Reader, ACollectionPropertyWithoutASetterIsRefusedAsReadOnly) {
    const auto bytes = WidgetStream([](auto& b) {
        b.Prop("FixedItems").Byte(ValCollection).Byte(ValList).Prop("Caption").Str("x").End().End();
        b.Prop("Tag").Int(7);
    });
    TTestForm form(nullptr);
    EXPECT_EQ(ReadError(&form, bytes),
              "EReadError:Widget1.FixedItems の読み込み中のエラー : プロパティは書き込み禁止です");

    // With the error absorbed, the whole collection is skipped and the next
    // entry is read.
    TTestForm forgiven(nullptr);
    TMemoryStream stream(bytes);
    TForgivingReader reader(stream);
    reader.ReadRoot(&forgiven);
    ASSERT_NE(forgiven.widget1, nullptr);
    EXPECT_EQ(forgiven.widget1->fixedItems.Count(), 0);
    EXPECT_EQ(forgiven.widget1->tag, 7);
    EXPECT_EQ(reader.asked,
              std::vector<std::string>{"Widget1.FixedItems の読み込み中のエラー : プロパティは書き込み禁止です"});
}

TEST(Reader, TheErrorHookIsAskedOnlyOnceAPropertyNameHasBeenRead) {
    auto stream = [](bool rootEntry, std::string_view firstClass) {
        StreamBuilder b;
        b.Signature().Record("TTestForm", "Form1");
        if (rootEntry) b.Prop("PixelsPerInch").Int(96);
        b.End();
        b.Record(firstClass, "Widget1").End().End();
        b.Record("TTestWidget", "Widget2").Prop("Tag").Int(2).End().End();
        b.End();
        return b.bytes;
    };
    // The form owns a Widget1 before the read when `clash` is set.
    const struct {
        const char* what;
        bool rootEntry;
        std::string_view firstClass;
        bool clash;
        std::string propagated;  // empty: absorbed by the hook
    } table[] = {
        {"unknown class first", false, "TFoo", false, "クラス TFoo が見つかりません"},
        {"duplicate name first", false, "TTestWidget", true, "コンポーネント名 Widget1 はすでに使われています"},
        {"unknown class after a root entry", true, "TFoo", false, ""},
        {"duplicate name after a root entry", true, "TTestWidget", true, ""},
    };
    for (const auto& row : table) {
        TTestForm form(nullptr);
        if (row.clash) (new TTestWidget(&form))->SetName("Widget1");
        const auto bytes = stream(row.rootEntry, row.firstClass);
        TMemoryStream memory(bytes);
        TForgivingReader reader(memory);
        std::string error;
        try {
            reader.ReadRoot(&form);
        } catch (const Exception& e) {
            error = e.Message();
        }
        EXPECT_EQ(error, row.propagated) << row.what;
        if (row.propagated.empty()) {
            ASSERT_EQ(reader.asked.size(), 1u) << row.what;
            EXPECT_EQ(reader.asked[0],
                      row.clash ? "コンポーネント名 Widget1 はすでに使われています" : "クラス TFoo が見つかりません")
                << row.what;
            ASSERT_NE(form.widget2, nullptr) << row.what << ": reading goes on with the next record";
            EXPECT_EQ(form.widget2->tag, 2) << row.what;
        } else {
            EXPECT_TRUE(reader.asked.empty()) << row.what;
        }
    }
}

TEST(Reader, FindEventMethodAndReadRecordPrefixAreOverridable) {
    // A reader that maps event names of its own and counts record prefixes.
    class TMappingReader : public TReader {
    public:
        using TReader::TReader;
        const TMethodInfo* FindEventMethod(TComponent* root, std::string_view name) override {
            return TReader::FindEventMethod(root, name == "Renamed" ? "OtherClick" : name);
        }
        void ReadRecordPrefix(unsigned& flags, std::int32_t& childPosition) override {
            TReader::ReadRecordPrefix(flags, childPosition);
            prefixes.push_back(flags);
        }
        std::vector<unsigned> prefixes;
    };
    StreamBuilder b;
    b.Signature().Record("TTestForm", "Form1").End();
    b.Record("TTestWidget", "Widget1").Prop("OnClick").Ident("Renamed").End().End();
    b.Prefix(PrefixChildPos).Int(1).Record("TTestWidget", "Widget2").Prop("OnClick").Ident("ButtonClick").End().End();
    b.End();
    TTestForm form(nullptr);
    TMemoryStream stream(b.bytes);
    TMappingReader reader(stream);
    reader.ReadRoot(&form);
    ASSERT_NE(form.widget1, nullptr);
    ASSERT_NE(form.widget2, nullptr);
    form.widget1->onClick(form.widget1);
    form.widget2->onClick(form.widget2);
    EXPECT_EQ(form.otherClicks, 1);
    EXPECT_EQ(form.clicks, std::vector<TObject*>{form.widget2});
    EXPECT_EQ(reader.prefixes, (std::vector<unsigned>{0, 0, PrefixChildPos}));
}

}  // namespace

// Reading a form description of 60 components with 600 property entries.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "shell/core/Component.h"
#include "shell/core/FormStreamWriter.h"
#include "shell/core/MemoryStream.h"
#include "shell/core/Reader.h"

namespace {

using namespace cvcalc;

class TBenchFont : public TPersistent {
public:
    CVCALC_CLASS_INFO()
    std::string name;
    int height = 0;
};

class TBenchControl : public TComponent {
public:
    CVCALC_CLASS_INFO()
    using TComponent::TComponent;
    int left = 0, top = 0, width = 0, height = 0, tag = 0;
    bool visible = true;
    double ratio = 0;
    std::string caption;
    TBenchFont font;
};

class TBenchForm : public TComponent {
public:
    CVCALC_CLASS_INFO()
    using TComponent::TComponent;
    ~TBenchForm() override { DestroyComponents(); }
    TBenchControl* first = nullptr;
};

const TClassInfo& TBenchFont::StaticClassInfo() {
    using F = TBenchFont;
    static const TClassInfo info =
        TClassBuilder<F>("TBenchFont", TPersistent::StaticClassInfo())
            .String(
                "Name", [](const F& f) { return f.name; }, [](F& f, const std::string& v) { f.name = v; })
            .Integer(
                "Height", [](const F& f) { return f.height; }, [](F& f, int v) { f.height = v; });
    return info;
}

const TClassInfo& TBenchControl::StaticClassInfo() {
    using C = TBenchControl;
    static const TClassInfo info =
        TClassBuilder<C>("TBenchControl", TComponent::StaticClassInfo())
            .Integer(
                "Left", [](const C& c) { return c.left; }, [](C& c, int v) { c.left = v; })
            .Integer(
                "Top", [](const C& c) { return c.top; }, [](C& c, int v) { c.top = v; })
            .Integer(
                "Width", [](const C& c) { return c.width; }, [](C& c, int v) { c.width = v; })
            .Integer(
                "Height", [](const C& c) { return c.height; }, [](C& c, int v) { c.height = v; })
            .Integer(
                "Tag", [](const C& c) { return c.tag; }, [](C& c, int v) { c.tag = v; })
            .Boolean(
                "Visible", [](const C& c) { return c.visible; }, [](C& c, bool v) { c.visible = v; })
            .Float(
                "Ratio", TypeInfoDouble(), [](const C& c) { return c.ratio; }, [](C& c, double v) { c.ratio = v; })
            .String(
                "Caption", [](const C& c) { return c.caption; }, [](C& c, const std::string& v) { c.caption = v; })
            .Object(
                "Font", [](const C& c) { return &c.font; }, nullptr);
    return info;
}

const TClassInfo& TBenchForm::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TBenchForm>("TBenchForm", TComponent::StaticClassInfo()).Field("Control0", &TBenchForm::first);
    return info;
}

// 60 controls with 10 entries each: position and size, tag, visibility, a
// float, a Japanese caption as a wide string and two font entries.
std::vector<unsigned char> Description() {
    std::vector<unsigned char> bytes;
    TFormStreamWriter w(bytes);
    w.Signature().RecordNames("TBenchForm", "BenchForm").End();
    for (int i = 0; i < 60; ++i) {
        w.RecordNames("TBenchControl", "Control" + std::to_string(i));
        for (const char* p : {"Left", "Top", "Width", "Height", "Tag"})
            w.PropertyName(p).Int16(static_cast<std::int16_t>(100 + i));
        w.PropertyName("Visible").Boolean(true);
        w.PropertyName("Ratio").Extended(0.001L * i);
        w.PropertyName("Caption").WideString(u"ドナー密度");
        w.PropertyName("Font.Name").String("MS PGothic");
        w.PropertyName("Font.Height").Int8(-16);
        w.End().End();
    }
    w.End();
    return bytes;
}

void BM_ReadFormStream(benchmark::State& state) {
    const std::vector<unsigned char> bytes = Description();
    for (auto _ : state) {
        TBenchForm form(nullptr);
        TMemoryStream stream(bytes);
        TReader reader(stream);
        reader.ReadRoot(&form);
        benchmark::DoNotOptimize(form.ComponentCount());
    }
}
BENCHMARK(BM_ReadFormStream)->Unit(benchmark::kMicrosecond);

}  // namespace

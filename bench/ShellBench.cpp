// Reading a form description of 60 components with 600 property entries.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "shell/core/Component.h"
#include "shell/core/MemoryStream.h"
#include "shell/core/Reader.h"
#include "shell/core/StreamFormat.h"

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

struct Writer {
    std::vector<unsigned char> bytes;
    void Byte(int b) { bytes.push_back(static_cast<unsigned char>(b)); }
    void Short(const std::string& s) {
        Byte(static_cast<int>(s.size()));
        bytes.insert(bytes.end(), s.begin(), s.end());
    }
    void Int16(int v) {
        Byte(ValInt16);
        Byte(v & 0xFF);
        Byte((v >> 8) & 0xFF);
    }
};

// 60 controls with 10 entries each: position and size, tag, visibility, a
// float, a Japanese caption as a wide string and two font entries.
std::vector<unsigned char> Description() {
    Writer w;
    w.bytes = {'T', 'P', 'F', '0'};
    w.Short("TBenchForm");
    w.Short("BenchForm");
    w.Byte(ValEnd);
    const std::u16string caption = u"ドナー密度";
    for (int i = 0; i < 60; ++i) {
        w.Short("TBenchControl");
        w.Short("Control" + std::to_string(i));
        const char* ints[] = {"Left", "Top", "Width", "Height", "Tag"};
        for (const char* p : ints) {
            w.Short(p);
            w.Int16(100 + i);
        }
        w.Short("Visible");
        w.Byte(ValTrue);
        w.Short("Ratio");
        w.Byte(ValExtended);
        const long double r = 0.001L * i;
        unsigned char raw[sizeof r] = {};
        std::memcpy(raw, &r, sizeof r);
        w.bytes.insert(w.bytes.end(), raw, raw + 10);
        w.Short("Caption");
        w.Byte(ValWString);
        for (int k = 0; k < 4; ++k) w.Byte(k == 0 ? static_cast<int>(caption.size()) : 0);
        for (char16_t c : caption) {
            w.Byte(c & 0xFF);
            w.Byte(c >> 8);
        }
        w.Short("Font.Name");
        w.Byte(ValString);
        w.Short("MS PGothic");
        w.Short("Font.Height");
        w.Byte(ValInt8);
        w.Byte(0xF0);
        w.Byte(ValEnd);
        w.Byte(ValEnd);
    }
    w.Byte(ValEnd);
    return w.bytes;
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

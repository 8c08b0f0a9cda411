// A test window of about fifty controls, as a binary form description:
// the size of the calculator window, shared by the framework benchmark and
// the start-up probe.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/core/StreamFormat.h"
#include "tests/shell/StreamBuilder.h"

namespace cvcalc::bench {

using cvcalc::test::StreamBuilder;

// Thirty labels, eight edits, six buttons, four panels and two images.
inline std::vector<unsigned char> FiftyControls() {
    StreamBuilder b;
    b.Signature().Record("TForm", "BenchForm");
    b.Prop("ClientWidth").Int(1080).Prop("ClientHeight").Int(713);
    b.Prop("Font.Height").Int(-16).Prop("Font.Name").Utf8("ＭＳ Ｐゴシック");
    b.Prop("PixelsPerInch").Int(96).Prop("TextHeight").Int(16);
    b.End();
    const int stride = (141 * 3 + 3) / 4 * 4;
    std::string bmp(54 + static_cast<std::size_t>(stride) * 66, '\xFF');
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bmp[at + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, static_cast<std::uint32_t>(bmp.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, 141);
    put32(22, 66);
    bmp[26] = 1;
    bmp[27] = 0;
    bmp[28] = 24;
    for (std::size_t i = 29; i < 54; ++i) bmp[i] = 0;
    std::string data = "\x07TBitmap";
    std::string count(4, '\0');
    for (int i = 0; i < 4; ++i) count[static_cast<std::size_t>(i)] = static_cast<char>(bmp.size() >> (8 * i));
    data += count + bmp;
    for (int i = 0; i < 30; ++i) {
        b.Record("TLabel", "Label" + std::to_string(i));
        b.Prop("Left").Int(16 + (i % 3) * 200).Prop("Top").Int(8 + (i / 3) * 24);
        b.Prop("Caption").Utf8("ドナー密度 " + std::to_string(i));
        b.End().End();
    }
    for (int i = 0; i < 8; ++i) {
        b.Record("TEdit", "Edit" + std::to_string(i));
        b.Prop("Left").Int(640).Prop("Top").Int(8 + i * 32).Prop("Width").Int(81).Prop("Height").Int(24);
        b.Prop("Text").Str("1E15").Prop("TabOrder").Int(i);
        b.End().End();
    }
    for (int i = 0; i < 6; ++i) {
        b.Record("TButton", "Button" + std::to_string(i));
        b.Prop("Left").Int(760).Prop("Top").Int(8 + i * 32).Prop("Width").Int(75).Prop("Height").Int(25);
        b.Prop("Caption").Utf8("計算");
        b.End().End();
    }
    for (int i = 0; i < 4; ++i) {
        b.Record("TPanel", "Panel" + std::to_string(i));
        b.Prop("Left").Int(16 + i * 260).Prop("Top").Int(400).Prop("Width").Int(250).Prop("Height").Int(200);
        b.End().End();
    }
    for (int i = 0; i < 2; ++i) {
        b.Record("TImage", "Image" + std::to_string(i));
        b.Prop("Left").Int(88).Prop("Top").Int(568 + i * 72).Prop("AutoSize").Byte(cvcalc::ValTrue);
        b.Prop("Picture.Data").Binary(data);
        b.End().End();
    }
    b.End();
    return b.bytes;
}

}  // namespace cvcalc::bench

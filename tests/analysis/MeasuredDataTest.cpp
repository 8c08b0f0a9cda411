// Reading measured C-V files: the accepted forms, every refused one with its
// message to the letter, the row limit and the file faults.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "analysis/MeasuredData.h"

using namespace cvcalc;
using namespace std::string_literals;

namespace {

using Unit = CapacitanceUnit;

// The message of the EMeasuredData that `parse` raises.
template <class Action>
std::string MessageOf(Action&& parse) {
    try {
        parse();
    } catch (const EMeasuredData& e) {
        return e.Message();
    }
    return "(no error)";
}

// An input and the message it must raise.
struct Refusal {
    std::string input;
    std::string message;
};

// Every case's input, given to `read`, raises the case's message.
template <class Read>
void ExpectRefusals(std::span<const Refusal> cases, Read&& read) {
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(MessageOf([&] { read(c.input); }), c.message);
    }
}

TEST(MeasuredData, AcceptedForms) {
    const struct {
        const char* name;
        std::string text;
        std::vector<double> voltages;
        std::vector<double> capacitances;  // F
        Unit unit;
    } cases[] = {
        {"comma, header in pF", "V,C (pF)\n-1,10\n0,20\n", {-1, 0}, {10e-12, 20e-12}, Unit::Picofarad},
        {"semicolon, decimal comma", "U;C (nF)\n-0,5;1,25\n0,25 ; 2\n", {-0.5, 0.25}, {1.25e-9, 2e-9}, Unit::Nanofarad},
        {"semicolon, decimal point", "V;C\n1.5;2.5\n", {1.5}, {2.5e-12}, Unit::Picofarad},
        {"tabs, farads", "V\tC_F\n1\t2e-12\n2\t\t3e-12\n", {1, 2}, {2e-12, 3e-12}, Unit::Farad},
        {"blanks, no header", "  -2   3.5  \n-1 4\n", {-2, -1}, {3.5e-12, 4e-12}, Unit::Picofarad},
        {"comments and blank lines",
         "# diode 7\n  # indented\n\nV C (nF)\n\n\t\n# mid\n1 2\n",
         {1},
         {2e-9},
         Unit::Nanofarad},
        {"CRLF", "V,C [nF]\r\n1,2\r\n3,4\r\n", {1, 3}, {2e-9, 4e-9}, Unit::Nanofarad},
        {"lone CR", "1,2\r3,4\r", {1, 3}, {2e-12, 4e-12}, Unit::Picofarad},
        {"byte order mark", "\xEF\xBB\xBFV;C (F)\n1;2\n", {1}, {2}, Unit::Farad},
        {"unordered, equal voltages stable",
         "3,1\n1,2\n3,3\n2,4\n3,5\n",
         {1, 2, 3, 3, 3},
         {2e-12, 4e-12, 1e-12, 3e-12, 5e-12},
         Unit::Picofarad},
        {"number forms",
         "+0.5,.5\n-3,1e2\n1e-12,5.\n-.25,+7E+1\n",
         {-3, -0.25, 1e-12, 0.5},
         {100e-12, 70e-12, 5e-12, 0.5e-12},
         Unit::Picofarad},
        {"no final line end", "V,C\n1,2", {1}, {2e-12}, Unit::Picofarad},
        {"spreadsheet's empty columns", "V;C;;\n1;2;;\n;;\n2;3\n", {1, 2}, {2e-12, 3e-12}, Unit::Picofarad},
        {"capacitance [pF]", "voltage,capacitance [pF]\n1,2\n", {1}, {2e-12}, Unit::Picofarad},
        {"capacitance has no unit", "V,capacitance\n1,2\n", {1}, {2e-12}, Unit::Picofarad},
        {"unit in any case", "V,C in NF\n1,2\n", {1}, {2e-9}, Unit::Nanofarad},
        {"blank header, later columns", "Voltage [V] Capacitance [nF]\n1 2\n", {1}, {2e-9}, Unit::Nanofarad},
        {"header with one field", "Bias\n1 2\n", {1}, {2e-12}, Unit::Picofarad},
        {"smallest and largest the charts carry",
         "V,C (pF)\n1,1e-47\n2,1e53\n",
         {1, 2},
         {1e-47 / 1e12, 1e53 / 1e12},
         Unit::Picofarad},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const MeasuredCurve curve = ParseMeasuredCurve(c.text, "t.csv");
        EXPECT_EQ(curve.Voltages, c.voltages);
        EXPECT_EQ(curve.Capacitances, c.capacitances);
        EXPECT_EQ(curve.Unit, c.unit);
    }
}

TEST(MeasuredData, RefusedTextsNameFileLineAndFault) {
    const std::string file = "data.csv";
    const std::string at = "測定データ 'data.csv' の ";
    const std::string noRows = "測定データ 'data.csv' にデータ行がありません";
    const std::string twoNumbers = "行目: 電圧と容量の 2 つの数値が必要です";
    const std::string tooMany = "行目: 列が多すぎます (電圧と容量の 2 列だけにしてください)";
    const std::string nonPositive = "行目: 容量は正の値でなければなりません";
    const std::string notText = "行目: UTF-8 のテキストではないバイトがあります";
    const std::string beyondCharts = " はグラフで扱える範囲 (1e-47 pF 〜 1e53 pF) の外にあります";
    const Refusal cases[] = {
        {"", noRows},
        {"\xEF\xBB\xBF", noRows},
        {"# only comments\nV,C\n\n", noRows},
        {";;\n\n", noRows},
        {"V,C\n1\n", at + "2 " + twoNumbers},
        {"1,\n", at + "1 " + twoNumbers},
        {"V,C\n,5\n", at + "2 " + twoNumbers},
        {"V;C\n1;;2\n", at + "2 " + tooMany},
        {"V,C\n1,abc\n", at + "2 行目: 'abc' は数値ではありません"},
        {"V,C\r\n1,2\r\nV,C\r\n", at + "3 行目: 'V' は数値ではありません"},
        {"abc\n", noRows},
        {"1 2\nabc\n", at + "2 行目: 'abc' は数値ではありません"},
        {"V,C\n+-3,1\n", at + "2 行目: '+-3' は数値ではありません"},
        {"1,+\n", at + "1 行目: '+' は数値ではありません"},
        {"V,C\n0x10,1\n", at + "2 行目: '0x10' は数値ではありません"},
        {"1,2 # note\n", at + "1 行目: '2 # note' は数値ではありません"},
        {"1;2,5,3\n", at + "1 行目: '2,5,3' は数値ではありません"},
        {"1,2,3\n", at + "1 " + tooMany},
        {"1 2 3\n", at + "1 " + tooMany},
        {"1,5,2,5\n", at + "1 " + tooMany},
        {"1,0\n", at + "1 " + nonPositive},
        {"V,C\n2,1\n1,-5\n", at + "3 " + nonPositive},
        {"1,-0\n", at + "1 " + nonPositive},
        {"1,nan\n", at + "1 行目: 'nan' は有限の数値ではありません"},
        {"inf,1\n", at + "1 行目: 'inf' は有限の数値ではありません"},
        {"1;+Infinity\n", at + "1 行目: '+Infinity' は有限の数値ではありません"},
        {"1e999,1\n", at + "1 行目: '1e999' は扱える範囲を超えています"},
        {"1,1e-999\n", at + "1 行目: '1e-999' は扱える範囲を超えています"},
        {"1,1e-300\n", at + "1 行目: 容量 '1e-300' pF" + beyondCharts},
        {"V,C (F)\n1,1e-160\n", at + "2 行目: 容量 '1e-160' F" + beyondCharts},
        {"V,C (F)\n1,1e300\n", at + "2 行目: 容量 '1e300' F" + beyondCharts},
        {"1,2\n3,\0\n"s, at + "2 " + notText},
        {"1,2\n\xFF\xFE\n", at + "2 " + notText},
        {"# \xB5"
         "F\n1,2\n",
         at + "1 " + notText},
        {"V,C\n1,\xC0\xAF\n", at + "2 " + notText},
        {"V,C\n1,\xED\xA0\x80\n", at + "2 " + notText},
        {"V,C\n1,\xF4\x90\x80\x80\n", at + "2 " + notText},
        {"V,C\n1,2\xE3\x81", at + "2 " + notText},
        {"1,2\n\n\x01\n", at + "3 " + notText},
        {"1,2\x7F\n", at + "1 " + notText},
        {"1," + std::string(100, 'x') + "\n", at + "1 行目: '" + std::string(40, 'x') + "...' は数値ではありません"},
        {"1," + std::string(39, 'x') + "\xE3\x81\x82" + "\n",
         at + "1 行目: '" + std::string(39, 'x') + "...' は数値ではありません"},
    };
    ExpectRefusals(cases, [&](const std::string& text) { ParseMeasuredCurve(text, file); });
}

// Headers naming µF, fF and the like were read as pF, and a stray "f" in a
// title as farads: a factor of up to 10^12 wrong without a word.
TEST(MeasuredData, HeaderUnitsAreReadNotTakenForPicofarads) {
    const struct {
        std::string header;
        Unit unit;
        bool assumed;
    } cases[] = {
        {"V,C (F)", Unit::Farad, false},
        {"V,C [f]", Unit::Farad, false},
        {"V,farads", Unit::Farad, false},
        {"V,Capacitance (Farad)", Unit::Farad, false},
        {"V,C_F", Unit::Farad, false},
        {"V,C (mF)", Unit::Millifarad, false},
        {"V,C (millifarads)", Unit::Millifarad, false},
        {"V,C (uF)", Unit::Microfarad, false},
        {"V,C (UF)", Unit::Microfarad, false},
        {"V,C (\xC2\xB5"
         "F)",
         Unit::Microfarad, false},
        {"V,C (\xCE\xBC"
         "F)",
         Unit::Microfarad, false},
        {"V,C (nF)", Unit::Nanofarad, false},
        {"U/V,C/nF", Unit::Nanofarad, false},
        {"V,C (pF)", Unit::Picofarad, false},
        {"V,C at f=1 MHz (pF)", Unit::Picofarad, false},
        {"V (V),C [ pF ]", Unit::Picofarad, false},
        {"V,C (fF)", Unit::Femtofarad, false},
        {"V,C (aF)", Unit::Attofarad, false},
        {"V,C", Unit::Picofarad, true},
        {"V,Capacitance of D1", Unit::Picofarad, true},
        {"Bias", Unit::Picofarad, true},
        {"Voltage [V] Capacitance [fF]", Unit::Femtofarad, false},
        {"V (V) C", Unit::Picofarad, true},
        {"V C (uF)", Unit::Microfarad, false},
        {"V[V] C[pF]", Unit::Picofarad, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.header);
        const MeasuredCurve curve = ParseMeasuredCurve(c.header + "\n1,3\n", "t.csv");
        EXPECT_EQ(curve.Unit, c.unit);
        EXPECT_EQ(curve.UnitAssumed, c.assumed);
        EXPECT_EQ(curve.Capacitances, std::vector<double>{3 / UnitsPerFarad(c.unit)});
    }
    const MeasuredCurve headless = ParseMeasuredCurve("1,3\n", "t.csv");
    EXPECT_EQ(headless.Unit, Unit::Picofarad);
    EXPECT_TRUE(headless.UnitAssumed);
    EXPECT_EQ(UnitSymbol(Unit::Microfarad),
              "\xC2\xB5"
              "F");
    EXPECT_EQ(UnitSymbol(headless.Unit), "pF");
}

TEST(MeasuredData, UnknownUnitsAreRefusedNotReadAsPicofarads) {
    const std::string at = "測定データ 't.csv' の 1 行目: 見出し '";
    const std::string capacitance =
        "' の容量の単位が分かりません (F, mF, µF, nF, pF, fF, aF のどれかを括弧に入れて書いてください)";
    const std::string voltage = "' の電圧の単位は V でなければなりません";
    const Refusal cases[] = {
        {"V,C (uH)", at + "C (uH)" + capacitance},
        {"V,C (MF)", at + "C (MF)" + capacitance},
        {"V,C (mfd)", at + "C (mfd)" + capacitance},
        {"V,C (kF)", at + "C (kF)" + capacitance},
        {"V,C (1 MHz)", at + "C (1 MHz)" + capacitance},
        {"V,C at f=1 MHz", at + "C at f=1 MHz" + capacitance},
        {"V,C in MFD", at + "C in MFD" + capacitance},
        {"V,kilofarads", at + "kilofarads" + capacitance},
        {"V,C (" + std::string(40, 'x') + ")", at + "C (" + std::string(37, 'x') + "..." + capacitance},
        {"V (mV),C (pF)", at + "V (mV)" + voltage},
        {"U [kV];C [pF]", at + "U [kV]" + voltage},
        {"V_mV,C", at + "V_mV" + voltage},
        {"Bias millivolts,C", at + "Bias millivolts" + voltage},
        {"V (F),C", at + "V (F)" + voltage},
        {"V (mV) C (pF)", at + "V (mV)" + voltage},
    };
    ExpectRefusals(cases, [](const std::string& header) { ParseMeasuredCurve(header + "\n1,2\n", "t.csv"); });
}

// "0x1p3,5" as a first line was taken for a header and dropped in silence.
TEST(MeasuredData, FirstLineWithANumberIsDataNotADroppedHeader) {
    const std::string at = "測定データ 't.csv' の 1 行目: ";
    EXPECT_EQ(MessageOf([] { ParseMeasuredCurve("0x1p3,5\n1,2\n", "t.csv"); }), at + "'0x1p3' は数値ではありません");
    EXPECT_EQ(MessageOf([] { ParseMeasuredCurve("V,5\n1,2\n", "t.csv"); }), at + "'V' は数値ではありません");
    EXPECT_EQ(MessageOf([] { ParseMeasuredCurve("5,C\n1,2\n", "t.csv"); }), at + "'C' は数値ではありません");
    EXPECT_EQ(MessageOf([] { ParseMeasuredCurve("V,nan\n1,2\n", "t.csv"); }), at + "'V' は数値ではありません");
    const MeasuredCurve curve = ParseMeasuredCurve("-1 5\n1 2\n", "t.csv");
    EXPECT_EQ(curve.Voltages, (std::vector<double>{-1, 1}));
}

// Capacitances from about 1e306 pF left the C-V chart blank with a null
// axis; the bounds hold in every unit, each side of them.
TEST(MeasuredData, CapacitanceBeyondTheChartsIsRefusedAtItsBounds) {
    const std::string at = "測定データ 't.csv' の 2 行目: 容量 '";
    const std::string beyond = " はグラフで扱える範囲 (1e-47 pF 〜 1e53 pF) の外にあります";
    const struct {
        std::string unit;
        std::string smallest, largest, below, above;
    } cases[] = {
        {"pF", "1e-47", "1e53", "9.999999999999999e-48", "1.0000000000000002e53"},
        {"F", "1e-59", "1e41", "9.99999999999e-60", "1.00000000001e41"},
        {"nF", "1e-50", "1e50", "0.99999999e-50", "1.00000001e50"},
        {"fF", "1e-44", "1e56", "0.99999999e-44", "1.00000001e56"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.unit);
        const std::string header = "V,C (" + c.unit + ")\n1,1\n";
        const MeasuredCurve curve = ParseMeasuredCurve(header + "2," + c.smallest + "\n3," + c.largest + "\n", "t.csv");
        EXPECT_EQ(curve.Capacitances[1] * 1e12, MinChartPicofarads);
        EXPECT_EQ(curve.Capacitances[2] * 1e12, MaxChartPicofarads);
        for (const std::string& value : {c.below, c.above}) {
            EXPECT_EQ(
                MessageOf([&] { ParseMeasuredCurve(header.substr(0, header.find('\n') + 1) + "1," + value, "t.csv"); }),
                at + value + "' " + c.unit + beyond);
        }
    }
    EXPECT_EQ(MessageOf([] { ParseMeasuredCurve("V,C\n1,1e306\n", "t.csv"); }),
              "測定データ 't.csv' の 2 行目: 容量 '1e306' pF" + beyond);
}

TEST(MeasuredData, AMillionRowsAndNotOneMore) {
    std::string text = "V,C\n";
    text.reserve(text.size() + (MaxMeasuredRows + 1) * 6);
    for (std::size_t i = 0; i < MaxMeasuredRows; ++i) text += "0.5,1\n";
    const MeasuredCurve curve = ParseMeasuredCurve(text, "big.csv");
    EXPECT_EQ(curve.Voltages.size(), MaxMeasuredRows);
    EXPECT_EQ(curve.Capacitances.size(), MaxMeasuredRows);
    text += "0.5,1\n";
    EXPECT_EQ(MessageOf([&] { ParseMeasuredCurve(text, "big.csv"); }),
              "測定データ 'big.csv' の 1000002 行目: データ行が上限の 1000000 行を超えています");
}

class MeasuredFile : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::temp_directory_path() /
                  ("cvcalc-measured-" + std::to_string(::getpid()) + "-" + info->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string Write(const std::string& name, const std::string& text) {
        const std::string path = (folder_ / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    std::filesystem::path folder_;
};

TEST_F(MeasuredFile, ReadsTheFileItNames) {
    const std::string path = Write("diode.csv", "# diode\r\nV;C (nF)\r\n0,5;1,5\r\n-1;1\r\n");
    const MeasuredCurve curve = ReadMeasuredCurve(path);
    EXPECT_EQ(curve.Voltages, (std::vector<double>{-1, 0.5}));
    EXPECT_EQ(curve.Capacitances, (std::vector<double>{1e-9, 1.5e-9}));
    EXPECT_EQ(curve.Unit, Unit::Nanofarad);
    // A fault inside the file names the path as given.
    const std::string bad = Write("bad.csv", "1,2\n3\n");
    EXPECT_EQ(MessageOf([&] { ReadMeasuredCurve(bad); }),
              "測定データ '" + bad + "' の 2 行目: 電圧と容量の 2 つの数値が必要です");
}

TEST_F(MeasuredFile, FileFaults) {
    const std::string missing = (folder_ / "missing.csv").string();
    const std::string inMissingFolder = (folder_ / "nowhere" / "x.csv").string();
    const std::string folder = folder_.string();
    const std::string empty = Write("empty.csv", "");
    const std::string oversized = Write("huge.csv", "");
    std::filesystem::resize_file(oversized, MaxMeasuredFileBytes + 1);
    const Refusal cases[] = {
        {missing, "測定データ '" + missing + "' が見つかりません"},
        {inMissingFolder, "測定データ '" + inMissingFolder + "' が見つかりません"},
        {"", "測定データ '' が見つかりません"},
        {empty, "測定データ '" + empty + "' にデータ行がありません"},
        {oversized, "測定データ '" + oversized + "' が大きすぎます (268435456 バイトまで)"},
    };
    ExpectRefusals(cases, [](const std::string& path) { ReadMeasuredCurve(path); });
}

// Importing a named pipe waited for ever for a writer; a device such as
// /dev/zero would be read until memory ran out.  Neither is opened for
// reading: the type is known first.
TEST_F(MeasuredFile, ImportOfFifoDeviceOrFolderIsRefusedNotHung) {
    const std::string fifo = (folder_ / "pipe.csv").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string link = (folder_ / "link.csv").string();
    std::filesystem::create_symlink(fifo, link);
    const std::string folder = folder_.string();
    for (const std::string& path : {fifo, link, folder, std::string("/dev/zero"), std::string("/dev/null")}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(MessageOf([&] { ReadMeasuredCurve(path); }),
                  "測定データ '" + path + "' は通常のファイルではありません");
    }
    // A link to a regular file is read as the file.
    const std::string data = Write("data.csv", "1,2\n");
    const std::string dataLink = (folder_ / "data-link.csv").string();
    std::filesystem::create_symlink(data, dataLink);
    EXPECT_EQ(ReadMeasuredCurve(dataLink).Capacitances, std::vector<double>{2e-12});
}

}  // namespace

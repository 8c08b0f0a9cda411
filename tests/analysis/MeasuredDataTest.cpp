// Reading measured C-V files: the accepted forms, every refused one with its
// message to the letter, the row limit and the file faults.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
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
        {"first column's unit is not read", "V (F),C\n1,2\n", {1}, {2e-12}, Unit::Picofarad},
        {"micro sign is no farad",
         "V,C (\xC2\xB5"
         "F)\n1,2\n",
         {1},
         {2e-12},
         Unit::Picofarad},
        {"header with one field", "Bias\n1 2\n", {1}, {2e-12}, Unit::Picofarad},
        {"tiny and huge but usable", "V,C (F)\n1,1e-150\n2,1e290\n", {1, 2}, {1e-150, 1e290}, Unit::Farad},
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
    const struct {
        std::string text;
        std::string message;
    } cases[] = {
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
        {"1,1e-300\n", at + "1 行目: '1e-300' は扱える範囲を超えています"},
        {"V,C (F)\n1,1e-160\n", at + "2 行目: '1e-160' は扱える範囲を超えています"},
        {"V,C (F)\n1,1e300\n", at + "2 行目: '1e300' は扱える範囲を超えています"},
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(MessageOf([&] { ParseMeasuredCurve(c.text, file); }), c.message);
    }
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
    const struct {
        std::string path;
        std::string message;
    } cases[] = {
        {missing, "測定データ '" + missing + "' が見つかりません"},
        {inMissingFolder, "測定データ '" + inMissingFolder + "' が見つかりません"},
        {"", "測定データ '' が見つかりません"},
        {folder, "測定データ '" + folder + "' を読み込めません"},
        {empty, "測定データ '" + empty + "' にデータ行がありません"},
        {oversized, "測定データ '" + oversized + "' が大きすぎます (268435456 バイトまで)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(MessageOf([&] { ReadMeasuredCurve(c.path); }), c.message);
    }
}

}  // namespace

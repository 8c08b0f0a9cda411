// Resources, the message table with its formatting, the settings file and
// the locale queries.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "platform/core/ExecutablePath.h"
#include "platform/core/Locale.h"
#include "platform/core/MachineSettings.h"
#include "platform/core/MessageTable.h"
#include "platform/core/Resources.h"
#include "platform/core/RuntimeFaults.h"

using namespace cvcalc;

namespace {
const unsigned char TestBlock[] = {'B', 'M', 0, 1};
const ResourceRegistration TestRegistration(RT_RCDATA, "TFormTest", TestBlock, sizeof TestBlock);

TEST(Resources, FoundByTypeAndNameIgnoringCase) {
    for (const char* name : {"TFormTest", "TFORMTEST", "tformtest"}) {
        const auto bytes = FindResource(RT_RCDATA, name);
        ASSERT_TRUE(bytes) << name;
        EXPECT_EQ(bytes->size(), 4u);
        EXPECT_EQ(bytes->data(), TestBlock);
    }
    EXPECT_FALSE(FindResource(RT_BITMAP, "TFormTest"));
    EXPECT_FALSE(FindResource(RT_RCDATA, "TFormTes"));
    EXPECT_FALSE(FindResource(RT_RCDATA, ""));
}

TEST(MessageTable, HoldsTheFrameworkTextsByNumber) {
    const struct {
        int id;
        const char* text;
    } table[] = {
        {msg::InvalidFloat, "'%s' は浮動小数点数ではありません"},
        {msg::FormatTooLong, "書式文字列が長すぎます"},
        {msg::InvalidImage, "不正なストリーム形式"},
        {msg::ReadError, "ストリームからの読み込みエラー"},
        {msg::PropertyException, "%s%s%s の読み込み中のエラー : %s"},
        {msg::InvalidName, "コンポーネント名に ''%s'' は使えません"},
        {msg::DuplicateName, "コンポーネント名 %s はすでに使われています"},
        {msg::ResNotFound, "%s リソースが見つかりません"},
        {msg::ZeroDivide, "0 による浮動小数点数除算"},
        {msg::ControlC, "CTRL-C"},
    };
    for (const auto& row : table) EXPECT_EQ(LoadMessage(row.id), row.text) << row.id;
    EXPECT_EQ(LoadMessage(1), "");
}

TEST(MessageTable, FillsDirectivesInOrder) {
    EXPECT_EQ(LoadMessageFormatted(msg::PropertyException, {"Label3", ".", "Foo", "プロパティ Foo は存在しません"}),
              "Label3.Foo の読み込み中のエラー : プロパティ Foo は存在しません");
    EXPECT_EQ(FormatMessageText("100%% of %s", {"x", "surplus"}), "100% of x");
    EXPECT_EQ(FormatMessageText("[%s|%s]", {"a"}), "[a|]");
    EXPECT_EQ(FormatMessageText("ends in %", {}), "ends in %");
}

TEST(RuntimeFaults, CarryTheirTexts) {
    EXPECT_EQ(EInvalidOp().Message(), "不正な浮動小数点数演算命令");
    EXPECT_EQ(EZeroDivide().Message(), "0 による浮動小数点数除算");
    EXPECT_EQ(EOverflow().Message(), "浮動小数点数のオーバーフロー");
    EXPECT_EQ(EUnderflow().Message(), "浮動小数点数のアンダーフロー");
    EXPECT_EQ(EDivByZero().Message(), "ゼロによる除算");
    EXPECT_EQ(ERangeError().Message(), "範囲チェックエラー");
    EXPECT_EQ(EIntOverflow().Message(), "整数のオーバーフロー");
    EXPECT_EQ(EExternalException(0xC0000005u).Message(), "外部例外 C0000005");
    const DynArrayOutOfRange outside(2000, 2000);
    EXPECT_EQ(outside.Message(), "範囲チェックエラー");
    EXPECT_EQ(outside.Index(), 2000);
    EXPECT_EQ(outside.Length(), 2000u);
}

class SettingsFile : public ::testing::Test {
protected:
    void Write(const std::string& text) { std::ofstream(path_) << text; }
    void TearDown() override { std::remove(path_.c_str()); }
    std::string path_ = "/tmp/cvcalc-settings-" + std::to_string(getpid()) + ".ini";
};

TEST_F(SettingsFile, ReadsDecimalAndHexadecimalValues) {
    Write("; machine settings\n[Float]\n  fpumaskvalue = 0x3F \r\nOther=7\n");
    EXPECT_EQ(ReadMachineSetting("FPUMaskValue", path_), 0x3Fu);
    EXPECT_EQ(ReadMachineSetting("Other", path_), 7u);
    Write("FPUMaskValue=4294967295\n");
    EXPECT_EQ(ReadMachineSetting("FPUMaskValue", path_), 4294967295u);
}

TEST_F(SettingsFile, AnythingOddMeansNoValue) {
    EXPECT_FALSE(ReadMachineSetting("FPUMaskValue", path_));  // no file yet
    for (const char* text : {"FPUMaskValue=\n", "FPUMaskValue=abc\n", "FPUMaskValue=4294967296\n", "FPUMaskValue=-1\n",
                             "FPUMaskValue 5\n", "Other=5\n"}) {
        Write(text);
        EXPECT_FALSE(ReadMachineSetting("FPUMaskValue", path_)) << text;
    }
}

TEST_F(SettingsFile, AByteOrderMarkBeforeTheFirstLineIsSkipped) {
    Write(
        "\xEF\xBB\xBF"
        "FPUMaskValue=0x3F\r\n");
    EXPECT_EQ(ReadMachineSetting("FPUMaskValue", path_), 0x3Fu);
    // Only at the very start: a mark inside the name is part of the name.
    Write(
        "Other=1\n\xEF\xBB\xBF"
        "FPUMaskValue=0x3F\n");
    EXPECT_FALSE(ReadMachineSetting("FPUMaskValue", path_));
}

TEST_F(SettingsFile, ANamedPipeADeviceOrAHugeFileIsNoSettingAndDoesNotHang) {
    // A pipe with no writer would block a plain open for ever.
    ASSERT_EQ(mkfifo(path_.c_str(), 0600), 0);
    EXPECT_FALSE(ReadMachineSetting("FPUMaskValue", path_));
    std::remove(path_.c_str());
    // A link to an endless device must not be read to its end.
    ASSERT_EQ(symlink("/dev/zero", path_.c_str()), 0);
    EXPECT_FALSE(ReadMachineSetting("FPUMaskValue", path_));
    std::remove(path_.c_str());
    ASSERT_EQ(mkdir(path_.c_str(), 0700), 0);
    EXPECT_FALSE(ReadMachineSetting("FPUMaskValue", path_));
    rmdir(path_.c_str());
    // A regular file just over the limit counts as none; at the limit it is read.
    std::string text = "FPUMaskValue=5\n";
    text.resize(static_cast<std::size_t>(MachineSettingsMaxBytes), '#');
    Write(text);
    EXPECT_EQ(ReadMachineSetting("FPUMaskValue", path_), 5u);
    Write(text + "#");
    EXPECT_FALSE(ReadMachineSetting("FPUMaskValue", path_));
}

TEST(Locale, AnswersFromTheEnvironmentsLocale) {
    ASSERT_EQ(setenv("LC_ALL", "C.UTF-8", 1), 0);
    EXPECT_EQ(QueryUserLocaleInfo(LocaleItem::DecimalSeparator), ".");
    // The C locale leaves the thousands separator empty: no answer.
    EXPECT_FALSE(QueryUserLocaleInfo(LocaleItem::ThousandSeparator));
    ASSERT_EQ(setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1), 0);
    EXPECT_FALSE(QueryUserLocaleInfo(LocaleItem::DecimalSeparator));
    ASSERT_EQ(setenv("LC_ALL", "C.UTF-8", 1), 0);
}

TEST(ExecutablePath, NamesThisTestProgram) {
    const std::string path = ExecutablePath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.front(), '/');
    EXPECT_NE(path.find("platform_core_tests"), std::string::npos);
}
}  // namespace

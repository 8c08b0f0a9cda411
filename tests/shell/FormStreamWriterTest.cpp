// The stream writer against the format: the bytes of a known description,
// the tag widths chosen for integers and texts, the refusals, and every value
// read back by the reader's primitive reads.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "shell/core/FormStreamWriter.h"
#include "shell/core/MemoryStream.h"
#include "shell/core/Reader.h"
#include "shell/core/StreamErrors.h"
#include "shell/core/TypeInfo.h"

using namespace cvcalc;

namespace {

std::vector<unsigned char> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

TEST(FormStreamWriter, WritesTheHelpViewersFirstBytesAsTheFormatGivesThem) {
    std::vector<unsigned char> out;
    TFormStreamWriter(out)
        .Signature()
        .RecordNames("TFormHTML", "FormHTML")
        .PropertyName("Left")
        .Integer(215)
        .PropertyName("Top")
        .Integer(194)
        .PropertyName("Width")
        .Integer(699)
        .PropertyName("Height")
        .Integer(480)
        .PropertyName("Anchors")
        .Set({"akLeft", "akTop"});
    using namespace std::string_view_literals;
    EXPECT_EQ(out, Bytes("TPF0\x09TFormHTML\x08"
                         "FormHTML\x04Left\x03\xD7\x00\x03Top\x03\xC2\x00\x05Width\x03\xBB\x02\x06Height\x03\xE0\x01"
                         "\x07"
                         "Anchors\x0B\x06"
                         "akLeft\x05"
                         "akTop\x00"sv));
}

TEST(FormStreamWriter, IntegersTakeTheSmallestTagAndTextsTheShortFormWhileItFits) {
    const struct {
        std::int64_t value;
        StreamValueTag tag;
        std::size_t payload;
    } integers[] = {
        {0, ValInt8, 1},
        {-128, ValInt8, 1},
        {127, ValInt8, 1},
        {128, ValInt16, 2},
        {-129, ValInt16, 2},
        {32767, ValInt16, 2},
        {-32768, ValInt16, 2},
        {32768, ValInt32, 4},
        {-32769, ValInt32, 4},
        {std::numeric_limits<std::int32_t>::max(), ValInt32, 4},
        {std::numeric_limits<std::int32_t>::min(), ValInt32, 4},
        {std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1, ValInt64, 8},
        {std::int64_t{std::numeric_limits<std::int32_t>::min()} - 1, ValInt64, 8},
        {std::numeric_limits<std::int64_t>::min(), ValInt64, 8},
    };
    for (const auto& c : integers) {
        std::vector<unsigned char> out;
        TFormStreamWriter(out).Integer(c.value);
        ASSERT_EQ(out.size(), 1 + c.payload) << c.value;
        EXPECT_EQ(out[0], c.tag) << c.value;
    }
    for (const std::size_t length : {std::size_t{0}, std::size_t{255}, std::size_t{256}}) {
        std::vector<unsigned char> out;
        TFormStreamWriter(out).EightBitString(std::string(length, 'a'));
        const bool isShort = length <= MaxShortStringLength;
        EXPECT_EQ(out[0], isShort ? ValString : ValLString) << length;
        EXPECT_EQ(out.size(), 1 + (isShort ? 1 : 4) + length) << length;
    }
}

TEST(FormStreamWriter, RefusesANameLongerThanAShortStringAndAnEmptySetMember) {
    std::vector<unsigned char> out;
    TFormStreamWriter writer(out);
    EXPECT_THROW(writer.ShortString(std::string(256, 'n')), std::length_error);
    EXPECT_THROW(writer.Ident(std::string(256, 'n')), std::length_error);
    EXPECT_THROW(writer.Set({"akLeft", ""}), std::invalid_argument);
    EXPECT_NO_THROW(writer.ShortString(std::string(255, 'n')));
}

TEST(FormStreamWriter, EveryValueReadsBackThroughTheReadersPrimitiveReads) {
    const TTypeInfo anchors = TTypeInfo::Enumeration("TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"});
    std::vector<unsigned char> out;
    TFormStreamWriter(out)
        .RecordPrefix(PrefixInherited | PrefixChildPos)
        .Integer(-300)
        .Integer(std::numeric_limits<std::int64_t>::max())
        .Extended(1.0L / 3)
        .Double(-2.5e-300)
        .Single(0.1f)
        .Date(45000.25)
        .Currency(-12345)
        .Boolean(true)
        .Boolean(false)
        .String("Back")
        .LString(std::string(300, 'x'))
        .WideString(u"電圧 [V]")
        .Utf8String("距離")
        .Ident("clBtnFace")
        .Set({"akTop", "akBottom"})
        .Tag(ValList)
        .Int8(1)
        .Int16(2)
        .Int32(3)
        .Int64(4)
        .End()
        .Binary(std::string("\x00\xFF", 2))
        .Tag(ValNil);
    TMemoryStream stream(out);
    TReader reader(stream);
    unsigned flags = 0;
    std::int32_t position = 0;
    reader.ReadRecordPrefix(flags, position);
    EXPECT_EQ(flags, PrefixInherited | PrefixChildPos);
    EXPECT_EQ(position, -300);
    EXPECT_EQ(reader.ReadInt64(), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(reader.ReadFloat(), 1.0L / 3);
    EXPECT_EQ(reader.ReadDouble(), -2.5e-300);
    EXPECT_EQ(reader.ReadSingle(), 0.1f);
    EXPECT_EQ(reader.ReadDate(), 45000.25);
    EXPECT_EQ(reader.ReadCurrency(), -1.2345L);
    EXPECT_TRUE(reader.ReadBoolean());
    EXPECT_FALSE(reader.ReadBoolean());
    EXPECT_EQ(reader.ReadString(), "Back");
    EXPECT_EQ(reader.ReadString(), std::string(300, 'x'));
    EXPECT_EQ(reader.ReadWideString(), u"電圧 [V]");
    EXPECT_EQ(reader.ReadString(), "距離");
    EXPECT_EQ(reader.ReadIdent(), "clBtnFace");
    EXPECT_EQ(reader.ReadSet(anchors), 0b1010u);
    reader.ReadListBegin();
    for (std::int64_t expected = 1; !reader.AtListEnd(); ++expected) EXPECT_EQ(reader.ReadInt64(), expected);
    reader.ReadListEnd();
    EXPECT_EQ(reader.PeekTag(), ValBinary);
    reader.SkipOneValue();
    EXPECT_EQ(reader.ReadIdent(), "nil");
    EXPECT_THROW(reader.PeekTag(), EReadError);  // nothing written beyond
}

}  // namespace

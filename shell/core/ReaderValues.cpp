// TReader's primitive reads: raw bytes from the buffer, tags, typed values,
// and skipping values and records whole.
#include <algorithm>
#include <cstring>

#include "platform/core/FloatControl.h"
#include "platform/core/MessageTable.h"
#include "shell/core/Reader.h"
#include "shell/core/StreamErrors.h"
#include "shell/core/TextConvert.h"

namespace cvcalc {

namespace {

template <typename T>
T LoadLittleEndian(const unsigned char* bytes) {
    T value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

}  // namespace

TReader::NestingGuard::NestingGuard(TReader& reader) : reader_(reader) {
    if (++reader_.nesting_ > MaxNesting) {
        --reader_.nesting_;
        RaiseMessage<EReadError>(msg::InvalidImage);
    }
}

// --- Raw bytes ----------------------------------------------------------

void TReader::FillBuffer() {
    bufferPosition_ = 0;
    bufferEnd_ = stream_.Read(buffer_.data(), buffer_.size());
    if (bufferEnd_ == 0) RaiseMessage<EReadError>(msg::ReadError);
}

void TReader::Read(void* buffer, std::size_t count) {
    auto* out = static_cast<unsigned char*>(buffer);
    while (count > 0) {
        if (bufferPosition_ == bufferEnd_) FillBuffer();
        const std::size_t n = std::min(count, bufferEnd_ - bufferPosition_);
        std::memcpy(out, buffer_.data() + bufferPosition_, n);
        bufferPosition_ += n;
        out += n;
        count -= n;
    }
}

std::uint8_t TReader::ReadByte() {
    if (bufferPosition_ == bufferEnd_) FillBuffer();
    return buffer_[bufferPosition_++];
}

std::uint32_t TReader::ReadUInt32() {
    unsigned char bytes[4];
    Read(bytes, 4);
    return LoadLittleEndian<std::uint32_t>(bytes);
}

void TReader::SkipBytes(std::uint64_t count) {
    unsigned char scratch[256];
    while (count > 0) {
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(count, sizeof scratch));
        Read(scratch, n);
        count -= n;
    }
}

// Grows the text only as its bytes arrive, so a hostile length cannot make
// the reader allocate what the stream does not hold.
std::string TReader::ReadBytesAsString(std::uint64_t count) {
    std::string text;
    while (count > 0) {
        if (bufferPosition_ == bufferEnd_) FillBuffer();
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(count, bufferEnd_ - bufferPosition_));
        text.append(reinterpret_cast<const char*>(buffer_.data() + bufferPosition_), n);
        bufferPosition_ += n;
        count -= n;
    }
    return text;
}

std::u16string TReader::ReadUtf16(std::uint64_t units) {
    std::u16string text;
    while (units > 0) {
        unsigned char pair[2];
        Read(pair, 2);
        text += static_cast<char16_t>(pair[0] | (pair[1] << 8));
        --units;
    }
    return text;
}

std::string TReader::ReadShortString() {
    const std::uint8_t length = ReadByte();
    std::string text(length, '\0');
    Read(text.data(), length);
    return text;
}

// --- Tags -----------------------------------------------------------------

StreamValueTag TReader::ReadTag() { return static_cast<StreamValueTag>(ReadByte()); }

StreamValueTag TReader::PeekTag() {
    const StreamValueTag tag = ReadTag();
    UnreadTag();
    return tag;
}

bool TReader::AtListEnd() { return PeekTag() == ValEnd; }

void TReader::RaiseInvalidValue() { RaiseMessage<EReadError>(msg::InvalidPropertyValue); }

void TReader::SkipAndRaiseInvalidValue() {
    UnreadTag();
    SkipOneValue();
    RaiseInvalidValue();
}

void TReader::ReadListBegin() {
    if (ReadTag() != ValList) SkipAndRaiseInvalidValue();
}

void TReader::ReadListEnd() {
    if (ReadTag() != ValEnd) SkipAndRaiseInvalidValue();
}

void TReader::ReadRecordPrefix(unsigned& flags, std::int32_t& childPosition) {
    flags = 0;
    childPosition = 0;
    const std::uint8_t prefix = ReadByte();
    if (!IsRecordPrefix(prefix)) {
        UnreadTag();
        return;
    }
    flags = prefix & PrefixFlagMask;
    if (flags & PrefixChildPos) childPosition = ReadInteger();
}

// --- Typed reads ------------------------------------------------------------

std::int32_t TReader::ReadInteger() {
    unsigned char bytes[4];
    switch (ReadTag()) {
    case ValInt8:
        Read(bytes, 1);
        return static_cast<std::int8_t>(bytes[0]);
    case ValInt16:
        Read(bytes, 2);
        return LoadLittleEndian<std::int16_t>(bytes);
    case ValInt32:
        Read(bytes, 4);
        return LoadLittleEndian<std::int32_t>(bytes);
    default:
        SkipAndRaiseInvalidValue();
    }
}

std::int64_t TReader::ReadInt64() {
    if (PeekTag() != ValInt64) return ReadInteger();
    ReadTag();
    unsigned char bytes[8];
    Read(bytes, 8);
    return LoadLittleEndian<std::int64_t>(bytes);
}

long double TReader::ReadFloat() {
    const StreamValueTag tag = ReadTag();
    if (tag == ValExtended) {
        unsigned char bytes[ExtendedSize];
        Read(bytes, ExtendedSize);
        long double value = 0;
        static_assert(sizeof(long double) >= ExtendedSize, "the 80-bit extended type is needed");
        std::memcpy(&value, bytes, ExtendedSize);
        return value;
    }
    if (tag == ValDouble) {
        unsigned char bytes[8];
        Read(bytes, 8);
        return LoadLittleEndian<double>(bytes);
    }
    if (tag == ValInt64 || IsIntegerTag(tag)) {
        UnreadTag();
        return static_cast<long double>(ReadInt64());
    }
    SkipAndRaiseInvalidValue();
}

double TReader::ReadDouble() {
    if (PeekTag() == ValDouble) return static_cast<double>(ReadFloat());
    return NarrowToDouble(ReadFloat());
}

float TReader::ReadSingle() {
    const StreamValueTag tag = ReadTag();
    if (tag == ValSingle) {
        unsigned char bytes[4];
        Read(bytes, 4);
        return LoadLittleEndian<float>(bytes);
    }
    if (IsIntegerTag(tag)) {
        UnreadTag();
        return static_cast<float>(ReadInteger());
    }
    SkipAndRaiseInvalidValue();
}

long double TReader::ReadCurrency() {
    if (ReadTag() != ValCurrency) SkipAndRaiseInvalidValue();
    unsigned char bytes[8];
    Read(bytes, 8);
    return static_cast<long double>(LoadLittleEndian<std::int64_t>(bytes)) / 10000;
}

double TReader::ReadDate() {
    if (ReadTag() != ValDate) SkipAndRaiseInvalidValue();
    unsigned char bytes[8];
    Read(bytes, 8);
    return LoadLittleEndian<double>(bytes);
}

bool TReader::ReadBoolean() { return ReadTag() == ValTrue; }

std::string TReader::ReadString() {
    switch (ReadTag()) {
    case ValString:
        return ReadBytesAsString(ReadByte());
    case ValLString:
        return ReadBytesAsString(ReadUInt32());
    case ValWString:
        return Utf16ToUtf8(ReadUtf16(ReadUInt32()));
    case ValUtf8String:
        return SanitizeUtf8(ReadBytesAsString(ReadUInt32()));
    default:
        SkipAndRaiseInvalidValue();
    }
}

std::u16string TReader::ReadWideString() {
    switch (ReadTag()) {
    case ValWString:
        return ReadUtf16(ReadUInt32());
    case ValUtf8String:
        return Utf8ToUtf16(ReadBytesAsString(ReadUInt32()));
    case ValString:
        return Utf8ToUtf16(ReadBytesAsString(ReadByte()));
    case ValLString:
        return Utf8ToUtf16(ReadBytesAsString(ReadUInt32()));
    default:
        SkipAndRaiseInvalidValue();
    }
}

char TReader::ReadChar() {
    const std::string text = ReadString();
    if (text.size() > 1) RaiseInvalidValue();
    return text.empty() ? '\0' : text[0];
}

char16_t TReader::ReadWideChar() {
    const std::u16string text = ReadWideString();
    if (text.size() > 1) RaiseInvalidValue();
    return text.empty() ? u'\0' : text[0];
}

std::string TReader::ReadIdent() {
    switch (LowTagOf(ReadByte())) {
    case ValIdent:
        return ReadShortString();
    case ValFalse:
        return "False";
    case ValTrue:
        return "True";
    case ValNil:
        return "nil";
    case ValEnd:
        return "Null";
    default:
        SkipAndRaiseInvalidValue();
    }
}

std::uint32_t TReader::ReadSet(const TTypeInfo& element) {
    if (ReadTag() != ValSet) SkipAndRaiseInvalidValue();
    std::uint32_t bits = 0;
    bool unknown = false;
    for (;;) {
        const std::string name = ReadShortString();
        if (name.empty()) break;
        const std::optional<int> ordinal = element.FindMember(name);
        if (!ordinal)
            unknown = true;
        else if (*ordinal < 32)
            bits |= std::uint32_t{1} << *ordinal;
    }
    if (unknown) RaiseInvalidValue();
    return bits;
}

TVariant TReader::ReadVariant() {
    const StreamValueTag tag = PeekTag();
    switch (tag) {
    case ValNil:
        ReadTag();
        return std::monostate{};
    case ValEnd:
        ReadTag();
        return TVariantNull{};
    case ValFalse:
    case ValTrue:
        return ReadTag() == ValTrue;
    case ValInt8:
    case ValInt16:
    case ValInt32:
    case ValInt64:
        return ReadInt64();
    case ValExtended:
    case ValDouble:
        return ReadFloat();
    case ValSingle:
        return static_cast<long double>(ReadSingle());
    case ValDate:
        return static_cast<long double>(ReadDate());
    case ValCurrency:
        return ReadCurrency();
    case ValString:
    case ValLString:
        return ReadString();
    case ValWString:
    case ValUtf8String:
        return ReadWideString();
    default:
        ReadTag();
        SkipAndRaiseInvalidValue();
    }
}

// --- Skipping -----------------------------------------------------------------

void TReader::SkipOneValue() { SkipValueOfTag(LowTagOf(ReadByte())); }

void TReader::SkipSetNames() {
    for (;;) {
        const std::uint8_t length = ReadByte();
        if (length == 0) return;
        SkipBytes(length);
    }
}

void TReader::SkipValueOfTag(StreamValueTag tag) {
    switch (tag) {
    case ValList: {
        NestingGuard guard(*this);
        while (!AtListEnd()) SkipOneValue();
        ReadTag();
        return;
    }
    case ValInt8:
        return SkipBytes(1);
    case ValInt16:
        return SkipBytes(2);
    case ValInt32:
    case ValSingle:
        return SkipBytes(4);
    case ValExtended:
        return SkipBytes(ExtendedSize);
    case ValString:
    case ValIdent:
        return SkipBytes(ReadByte());
    case ValBinary:
    case ValLString:
    case ValUtf8String:
        return SkipBytes(ReadUInt32());
    case ValWString:
        return SkipBytes(std::uint64_t{ReadUInt32()} * 2);
    case ValSet:
        return SkipSetNames();
    case ValCollection: {
        NestingGuard guard(*this);
        while (!AtListEnd()) {
            if (IsIntegerTag(PeekTag())) SkipOneValue();
            ReadByte();  // the item's ValList
            while (!AtListEnd()) {
                SkipBytes(ReadByte());  // property path
                SkipOneValue();
            }
            ReadTag();
        }
        ReadTag();
        return;
    }
    case ValCurrency:
    case ValDate:
    case ValInt64:
    case ValDouble:
        return SkipBytes(8);
    default:
        return;  // ValEnd, ValFalse, ValTrue, ValNil and tags above 21 carry nothing
    }
}

void TReader::SkipRecordRest() {
    while (!AtListEnd()) {
        SkipBytes(ReadByte());
        SkipOneValue();
    }
    ReadTag();
    while (!AtListEnd()) {
        NestingGuard guard(*this);
        unsigned flags;
        std::int32_t position;
        ReadRecordPrefix(flags, position);
        SkipBytes(ReadByte());
        SkipBytes(ReadByte());
        SkipRecordRest();
    }
    ReadTag();
}

}  // namespace cvcalc

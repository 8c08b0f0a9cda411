// TReader: reads a binary form description into components.  It creates the
// components of the child records, sets published properties by name, binds
// events to the root's published methods and fields to the components of
// their names, resolves references and tells every loaded component when
// loading has finished.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "shell/core/ClassInfo.h"
#include "shell/core/Filer.h"
#include "shell/core/StreamFormat.h"
#include "shell/core/Variant.h"

namespace cvcalc {

class TClassFinder;
class TCollection;
class TComponent;
class TPersistent;

// A reference waiting for its component: the property of `instance` that
// names it, the path, and where to look it up.
struct TPropFixup {
    TPersistent* instance = nullptr;
    // The component whose record holds `instance` (instance itself or its
    // owner of sub-objects); the fixup dies with it.
    TComponent* holder = nullptr;
    const TPropInfo* property = nullptr;
    std::string name;
    TComponent* lookupRoot = nullptr;
    // For references into another form: that form's name.
    std::string rootName;
};

class TReader : public TFiler {
public:
    static constexpr std::size_t DefaultBufferSize = 4096;
    // Nesting of records, lists and collections beyond this is taken for a
    // hostile stream (invalid stream format) rather than overflowing the stack.
    static constexpr int MaxNesting = 64;

    explicit TReader(TStream& stream, std::size_t bufferSize = DefaultBufferSize);
    // Moves the stream back by the unread part of the buffer, so it stands
    // just after the consumed bytes.
    ~TReader() override;

    // --- Whole descriptions -------------------------------------------
    // Reads the signature and the root record into `root`, or, with no root,
    // into a new component of the class the stream names (the caller then
    // owns it).  Returns the root.
    TComponent* ReadRoot(TComponent* root);
    TComponent* ReadComponentRecord(TComponent* existing);
    // Property entries, then child records, of `instance`.
    void ReadBody(TComponent* instance);
    void ReadPropertyEntry(TPersistent& instance);
    void AssignPropertyValue(TPersistent& instance, const TPropInfo& property);
    void ReadCollection(TCollection& collection);
    void ResolvePendingReferences();

    TComponent* Owner() const noexcept { return owner_; }
    void SetOwner(TComponent* owner) noexcept { owner_ = owner; }
    TComponent* Parent() const noexcept { return parent_; }
    void SetParent(TComponent* parent) noexcept { parent_ = parent; }

    // --- TFiler -------------------------------------------------------
    void DefineNamedProperty(std::string_view name, const TReaderProc& read, const TWriterProc& write,
                             bool hasData) override;
    void DefineBinaryNamedProperty(std::string_view name, const TStreamProc& read, const TStreamProc& write,
                                   bool hasData) override;
    void FlushPending() override;

    // --- Hooks (this program installs none) ---------------------------
    // True abandons the failed entry or record and reads on.
    virtual bool HandleReadError(const std::string& message);
    virtual TComponent* FindInheritedComponent(std::string_view name, std::string_view className);
    // The root's published method of that name, bound to the root; an empty
    // method when there is none.
    virtual TMethod FindEventMethodInstance(TComponent* root, std::string_view name);
    // The code of that method: the root's published method of that name,
    // searched through its class and the ancestors; nullptr when none.
    virtual const TMethodInfo* FindEventMethod(TComponent* root, std::string_view name);
    virtual void AssignComponentName(TComponent* component, const std::string& name);
    virtual void AdjustReferenceName(std::string& name);
    // The optional prefix byte of a component record and, with
    // PrefixChildPos, the child position after it.
    virtual void ReadRecordPrefix(unsigned& flags, std::int32_t& childPosition);

    // --- Primitive reads of tagged values -----------------------------
    StreamValueTag ReadTag();
    StreamValueTag PeekTag();
    bool AtListEnd();
    void ReadListBegin();  // ValList expected, else the value is skipped and 65430 raised
    void ReadListEnd();    // ValEnd expected, likewise
    std::int32_t ReadInteger();
    std::int64_t ReadInt64();
    long double ReadFloat();  // ValExtended, ValDouble, ValInt64 and the 32-bit integer tags
    double ReadDouble();
    float ReadSingle();
    long double ReadCurrency();  // the value in units
    double ReadDate();
    bool ReadBoolean();
    std::string ReadString();  // 8-bit text; wide and UTF-8 values converted to UTF-8
    std::u16string ReadWideString();
    char ReadChar();
    char16_t ReadWideChar();
    std::string ReadIdent();
    // The bit mask of the members of a ValSet over `element`.
    std::uint32_t ReadSet(const TTypeInfo& element);
    TVariant ReadVariant();
    std::string ReadShortString();
    // A text of the form in the interface language: a Caption's or a
    // Strings item's text that is not plain ASCII is looked up in the
    // catalogue by the form's class and its place ("Label3.Caption").
    std::string TranslatedText(std::string text) const;
    void SkipOneValue();
    // The raw bytes of the stream.
    void Read(void* buffer, std::size_t count);
    void SkipBytes(std::uint64_t count);

    // Skips the value just begun (its tag already read) and raises the
    // invalid-value error.
    [[noreturn]] void SkipAndRaiseInvalidValue();
    [[noreturn]] static void RaiseInvalidValue();

private:
    // Counts the nesting of records, lists and collections; a hostile stream
    // nested deeper fails as an invalid stream instead of exhausting the stack.
    class NestingGuard {
    public:
        explicit NestingGuard(TReader& reader);
        ~NestingGuard() { --reader_.nesting_; }
        NestingGuard(const NestingGuard&) = delete;
        NestingGuard& operator=(const NestingGuard&) = delete;

    private:
        TReader& reader_;
    };

    void FillBuffer();
    std::uint8_t ReadByte();
    std::uint32_t ReadUInt32();
    std::string ReadBytesAsString(std::uint64_t count);
    std::u16string ReadUtf16(std::uint64_t units);
    // Back over the tag just read.
    void UnreadTag() noexcept { --bufferPosition_; }
    void SkipValueOfTag(StreamValueTag tag);
    void SkipSetNames();
    void SkipRecordRest();
    const TClassInfo* FindComponentClass(std::string_view className) const;
    void RecordFixup(TPersistent& instance, const TPropInfo& property, std::string name);
    void AssignObjectValue(TPersistent& instance, const TPropInfo& property, bool setterless);
    // HandleReadError, asked only once a property name has been read.
    bool ErrorHandled(const std::string& message);

    TComponent* owner_ = nullptr;
    TComponent* parent_ = nullptr;
    // The component whose body is being read; pending references made
    // there belong to it.
    TComponent* holder_ = nullptr;
    std::vector<TPropFixup>* fixups_ = nullptr;
    std::vector<TComponent*>* loaded_ = nullptr;
    std::string propertyName_;
    bool propertyClaimed_ = false;
    // The stream root's class and name, and the place of the property
    // being read, for TranslatedText.
    std::string formClass_;
    std::string rootStreamName_;
    std::string textPlace_;
    // Set once a property name has been read: before that, no error is
    // offered to HandleReadError.
    bool canHandleErrors_ = false;
    int nesting_ = 0;
};

}  // namespace cvcalc

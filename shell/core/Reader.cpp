// The form description reader: the recursive steps from the root record down
// to one property value, the stream properties, the hooks and the references.
// The primitive reads of tagged values are in ReaderValues.cpp.
#include "shell/core/Reader.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/core/AsciiCase.h"
#include "platform/core/FloatControl.h"
#include "platform/core/MessageTable.h"
#include "platform/core/Translate.h"
#include "shell/core/ClassRegistry.h"
#include "shell/core/Collection.h"
#include "shell/core/Component.h"
#include "shell/core/IdentMaps.h"
#include "shell/core/MemoryStream.h"
#include "shell/core/NameSpace.h"
#include "shell/core/StreamErrors.h"
#include "shell/core/TextConvert.h"

namespace cvcalc {

namespace {

template <typename F>
class ScopeExit {
public:
    explicit ScopeExit(F f) : f_(std::move(f)) {}
    ~ScopeExit() { f_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    F f_;
};

// Only the low 7 bits of a tag byte say whether an identifier follows.
bool IsIdentifierTag(StreamValueTag tag) {
    const StreamValueTag low = LowTagOf(tag);
    return low == ValIdent || low == ValFalse || low == ValTrue || low == ValNil || low == ValEnd;
}

long double NarrowFloat(TFloatType type, long double value) {
    switch (type) {
    case TFloatType::ftExtended:
        return value;
    case TFloatType::ftDouble:
        return NarrowToDouble(value);
    case TFloatType::ftSingle: {
        const double d = NarrowToDouble(value);
        return RunFloatChecked([d] {
            volatile float narrowed = static_cast<float>(d);
            return static_cast<float>(narrowed);
        });
    }
    }
    return value;
}

}  // namespace

TReader::TReader(TStream& stream, std::size_t bufferSize) : TFiler(stream, bufferSize) {}

TReader::~TReader() {
    if (bufferEnd_ > bufferPosition_)
        stream_.Seek(-static_cast<std::int64_t>(bufferEnd_ - bufferPosition_), TSeekOrigin::soCurrent);
}

// --- Stream properties ----------------------------------------------------------

void TReader::DefineNamedProperty(std::string_view name, const TReaderProc& read, const TWriterProc&, bool) {
    if (!read || propertyClaimed_ || !SameTextAscii(name, propertyName_)) return;
    propertyClaimed_ = true;
    read(*this);
}

void TReader::DefineBinaryNamedProperty(std::string_view name, const TStreamProc& read, const TStreamProc&, bool) {
    if (!read || propertyClaimed_ || !SameTextAscii(name, propertyName_)) return;
    propertyClaimed_ = true;
    if (ReadTag() != ValBinary) SkipAndRaiseInvalidValue();
    std::uint64_t remaining = ReadUInt32();
    TMemoryStream data;
    while (remaining > 0) {
        if (bufferPosition_ == bufferEnd_) FillBuffer();
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(remaining, bufferEnd_ - bufferPosition_));
        data.Write(buffer_.data() + bufferPosition_, n);
        bufferPosition_ += n;
        remaining -= n;
    }
    data.SetPosition(0);
    read(data);
}

void TReader::FlushPending() {}

// --- Hooks ------------------------------------------------------------------------

bool TReader::HandleReadError(const std::string&) { return false; }

bool TReader::ErrorHandled(const std::string& message) { return canHandleErrors_ && HandleReadError(message); }

TComponent* TReader::FindInheritedComponent(std::string_view name, std::string_view) {
    TComponent* found = lookupRoot_ ? lookupRoot_->FindComponent(name) : nullptr;
    if (!found) RaiseMessage<EReadError>(msg::AncestorNotFound, {name});
    return found;
}

TMethod TReader::FindEventMethodInstance(TComponent* root, std::string_view name) {
    const TMethodInfo* method = FindEventMethod(root, name);
    if (!method) return {};
    return TMethod{method, root};
}

const TMethodInfo* TReader::FindEventMethod(TComponent* root, std::string_view name) {
    return root ? root->ClassInfo().FindMethod(name) : nullptr;
}

void TReader::AssignComponentName(TComponent* component, const std::string& name) { component->SetName(name); }

void TReader::AdjustReferenceName(std::string&) {}

// --- Records ------------------------------------------------------------------------

TComponent* TReader::ReadRoot(TComponent* root) {
    unsigned char signature[sizeof FormSignature];
    Read(signature, sizeof signature);
    if (std::memcmp(signature, FormSignature, sizeof signature) != 0) RaiseMessage<EReadError>(msg::InvalidImage);

    TNameSpaceWriteGuard lock;
    TLoadedList* global = CurrentLoadingList();
    TLoadedList local;
    loaded_ = global ? global : &local;
    const std::size_t loadedMark = loaded_->size();
    bool created = false;
    try {
        unsigned flags;
        std::int32_t position;
        ReadRecordPrefix(flags, position);
        if (root) {
            formClass_ = ReadShortString();  // the stream's root class is not compared with the root's
            root->IncludeState(csLoading);
            root->IncludeState(csReading);
            rootStreamName_ = ReadShortString();
            root->SetName(UniqueRootName(rootStreamName_, root));
        } else {
            const std::string className = ReadShortString();
            formClass_ = className;
            const TClassInfo* cls = FindRegisteredClass(className);
            if (!cls || !cls->IsComponentClass() || !cls->CanConstruct())
                RaiseMessage<EClassNotFound>(msg::ClassNotFound, {className});
            root = cls->Construct(nullptr);
            created = true;
            rootStreamName_ = ReadShortString();
            root->SetName(rootStreamName_);
        }
        AssignRoot(root);
        owner_ = root;
        TClassFinder finder(root->ClassInfo());
        if (std::find(loaded_->begin(), loaded_->end(), root) == loaded_->end()) loaded_->push_back(root);
        root->IncludeState(csLoading);
        root->IncludeState(csReading);
        root->ReadOwnState(*this);
        root->ExcludeState(csReading);
        if (!global) {
            for (TComponent* c : local) c->AfterLoad();
            local.clear();
        }
        try {
            ResolveGlobalReferences();
        } catch (const Exception& e) {
            if (!ErrorHandled(e.Message())) throw;
            ResolveGlobalReferences();
        }
    } catch (...) {
        if (root) RemoveGlobalFixupsFor(root);
        if (global) global->resize(loadedMark);
        loaded_ = nullptr;
        if (created) delete root;
        throw;
    }
    loaded_ = nullptr;
    return root;
}

void TReader::ReadBody(TComponent* instance) {
    std::vector<TPropFixup> localFixups;
    const bool outermost = fixups_ == nullptr;
    if (outermost) fixups_ = &localFixups;
    ScopeExit dropFixups([&] {
        if (outermost) fixups_ = nullptr;
    });
    TComponent* const savedHolder = holder_;
    holder_ = instance;
    ScopeExit restoreHolder([&] { holder_ = savedHolder; });

    while (!AtListEnd()) ReadPropertyEntry(*instance);
    ReadTag();

    TComponent* const savedParent = parent_;
    TComponent* const savedOwner = owner_;
    ScopeExit restore([&] {
        parent_ = savedParent;
        owner_ = savedOwner;
    });
    parent_ = instance->ChildParent();
    owner_ = instance->ChildOwner();
    if (!owner_) owner_ = root_;
    while (!AtListEnd()) ReadComponentRecord(nullptr);
    ReadTag();

    if (outermost) ResolvePendingReferences();
}

const TClassInfo* TReader::FindComponentClass(std::string_view className) const {
    auto searchFields = [&](const TComponent* where) -> const TClassInfo* {
        for (const TClassInfo* c = &where->ClassInfo(); c; c = c->Parent())
            for (const TFieldInfo& f : c->OwnFields())
                if (const TClassInfo& fc = f.fieldClass(); SameTextAscii(fc.Name(), className)) return &fc;
        return nullptr;
    };
    const TClassInfo* found = root_ ? searchFields(root_) : nullptr;
    if (!found && lookupRoot_ && lookupRoot_ != root_) found = searchFields(lookupRoot_);
    if (!found && root_) found = TClassFinder(root_->ClassInfo()).Find(className);
    if (!found || !found->IsComponentClass() || !found->CanConstruct())
        RaiseMessage<EClassNotFound>(msg::ClassNotFound, {className});
    return found;
}

TComponent* TReader::ReadComponentRecord(TComponent* existing) {
    NestingGuard guard(*this);
    unsigned flags;
    std::int32_t position;
    ReadRecordPrefix(flags, position);
    const std::string className = ReadShortString();
    const std::string name = ReadShortString();

    TComponent* const savedParent = parent_;
    TComponent* const savedLookupRoot = lookupRoot_;
    ScopeExit restore([&] {
        parent_ = savedParent;
        lookupRoot_ = savedLookupRoot;
    });
    const bool inherited = (flags & PrefixInherited) != 0;
    const bool isInline = (flags & PrefixInline) != 0;

    // Whatever this record adds to the lists goes again if it fails.
    const std::size_t loadedMark = loaded_ ? loaded_->size() : 0;
    const std::size_t fixupMark = fixups_ ? fixups_->size() : 0;
    auto dropAdditions = [&] {
        if (loaded_ && loaded_->size() > loadedMark) loaded_->resize(loadedMark);
        if (fixups_ && fixups_->size() > fixupMark) fixups_->resize(fixupMark);
    };

    TComponent* result = existing;
    bool created = false;
    auto abandon = [&](const Exception& e) -> bool {
        if (created) delete result;
        result = nullptr;
        created = false;
        dropAdditions();
        return ErrorHandled(e.Message());
    };

    try {
        if (inherited) {
            result = FindInheritedComponent(name, className);
            parent_ = result->ParentComponentOf();
            if (!parent_) parent_ = root_;
        } else if (!result) {
            const TClassInfo* cls = FindComponentClass(className);
            TComponentState initial;
            if (isInline) initial = {csLoading, csInline};
            TComponent::SetConstructionState(initial);
            result = cls->Construct(owner_);
            TComponent::SetConstructionState({});
            created = true;
        }
    } catch (const Exception& e) {
        TComponent::SetConstructionState({});
        if (!abandon(e)) throw;
        SkipRecordRest();
        return nullptr;
    }

    try {
        std::vector<TComponent*> subComponents;
        for (int i = 0; i < result->ComponentCount(); ++i)
            if (result->Components(i)->ComponentStyle().Contains(csSubComponent))
                subComponents.push_back(result->Components(i));
        result->IncludeState(csLoading);
        for (TComponent* s : subComponents) s->IncludeState(csLoading);
        if (!inherited) {
            try {
                result->AttachToParent(parent_);
                AssignComponentName(result, name);
            } catch (const Exception& e) {
                if (!abandon(e)) throw;
                SkipRecordRest();
                return nullptr;
            }
        }
        if (isInline) lookupRoot_ = result;
        result->IncludeState(csReading);
        for (TComponent* s : subComponents) s->IncludeState(csReading);
        result->ReadOwnState(*this);
        result->ExcludeState(csReading);
        for (TComponent* s : subComponents) s->ExcludeState(csReading);
        if (flags & PrefixChildPos) parent_->SetChildPosition(result, position);
        if (loaded_) {
            const bool once = inherited || isInline;
            auto add = [&](TComponent* c) {
                if (!once || std::find(loaded_->begin(), loaded_->end(), c) == loaded_->end()) loaded_->push_back(c);
            };
            for (TComponent* s : subComponents) add(s);
            add(result);
        }
    } catch (...) {
        if (created) delete result;
        dropAdditions();
        throw;
    }
    return result;
}

// --- Property entries -------------------------------------------------------------------

std::string TReader::TranslatedText(std::string text) const {
    if (textPlace_.empty()) return text;
    const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
    if (ascii) return text;
    return Tr(formClass_, text, textPlace_);
}

void TReader::ReadPropertyEntry(TPersistent& instance) {
    const std::string path = ReadShortString();
    canHandleErrors_ = true;
    textPlace_.clear();
    if (InterfaceLanguage() != Language::Japanese) {
        if (&instance == Root())
            textPlace_ = rootStreamName_ + "." + path;
        else if (const auto* component = dynamic_cast<const TComponent*>(&instance))
            textPlace_ = component->Name() + "." + path;
    }
    try {
        TPersistent* current = &instance;
        std::string_view rest(path);
        auto offerToDefiners = [&](TPersistent& object, std::string_view name) {
            propertyName_.assign(name);
            propertyClaimed_ = false;
            object.DefineExtraProperties(*this);
            const bool claimed = propertyClaimed_;
            propertyName_.clear();
            propertyClaimed_ = false;
            if (!claimed) {
                SkipOneValue();
                RaiseMessage<EReadError>(msg::UnknownProperty, {name});
            }
        };
        for (std::size_t dot; (dot = rest.find('.')) != std::string_view::npos;) {
            const TPropInfo* prop = current->ClassInfo().FindProperty(rest.substr(0, dot));
            if (!prop) return offerToDefiners(*current, path);
            TPersistent* next = nullptr;
            if (prop->Kind() == TTypeKind::tkClass) next = dynamic_cast<TPersistent*>(prop->getObject(*current));
            if (!next) {
                SkipOneValue();
                RaiseMessage<EReadError>(msg::InvalidPropertyPath);
            }
            current = next;
            rest.remove_prefix(dot + 1);
        }
        if (const TPropInfo* prop = current->ClassInfo().FindProperty(rest))
            AssignPropertyValue(*current, *prop);
        else
            offerToDefiners(*current, rest);
    } catch (const Exception& e) {
        propertyName_.clear();
        propertyClaimed_ = false;
        const auto* component = dynamic_cast<const TComponent*>(&instance);
        const std::string& who = component && !component->Name().empty() ? component->Name() : instance.ClassName();
        std::string message = LoadMessageFormatted(msg::PropertyException, {who, ".", path, e.Message()});
        if (!ErrorHandled(message)) throw EReadError(std::move(message));
    }
}

void TReader::AssignPropertyValue(TPersistent& instance, const TPropInfo& property) {
    const bool setterless = !property.HasSetter();
    if (setterless) {
        // Only a read-only object property holding a sub-component may
        // still be read into; a collection needs a setter like any value.
        bool allowed = false;
        if (property.Kind() == TTypeKind::tkClass) {
            TObject* held = property.getObject(instance);
            if (auto* c = dynamic_cast<TComponent*>(held); c && c->ComponentStyle().Contains(csSubComponent))
                allowed = true;
        }
        if (!allowed) {
            SkipOneValue();
            RaiseMessage<EReadError>(msg::ReadOnlyProperty);
        }
    }
    const TTypeInfo& type = *property.type;
    switch (type.Kind()) {
    case TTypeKind::tkInteger: {
        if (LowTagOf(PeekTag()) == ValIdent) {
            const std::string ident = ReadIdent();
            const TIdentToInt map = FindIdentToInt(type);
            const std::optional<std::int32_t> value = map ? map(ident) : std::nullopt;
            if (!value) RaiseInvalidValue();
            property.setOrdinal(instance, *value);
        } else {
            property.setOrdinal(instance, ReadInteger());
        }
        return;
    }
    case TTypeKind::tkChar:
        property.setOrdinal(instance, static_cast<unsigned char>(ReadChar()));
        return;
    case TTypeKind::tkWChar:
        property.setOrdinal(instance, ReadWideChar());
        return;
    case TTypeKind::tkEnumeration: {
        // A name that is no member is refused: an enumeration never holds
        // an ordinal outside its members.
        const std::optional<int> ordinal = type.FindMember(ReadIdent());
        if (!ordinal) RaiseInvalidValue();
        property.setOrdinal(instance, *ordinal);
        return;
    }
    case TTypeKind::tkFloat:
        property.setFloat(instance, NarrowFloat(type.FloatType(), ReadFloat()));
        return;
    case TTypeKind::tkString:
        property.setString(instance, TranslatedText(ReadString()));
        return;
    case TTypeKind::tkWString:
        if (textPlace_.empty())
            property.setWideString(instance, ReadWideString());
        else
            property.setWideString(instance, Utf8ToUtf16(TranslatedText(Utf16ToUtf8(ReadWideString()))));
        return;
    case TTypeKind::tkSet:
        property.setOrdinal(instance, ReadSet(*type.ElementType()));
        return;
    case TTypeKind::tkInt64:
        property.setOrdinal(instance, ReadInt64());
        return;
    case TTypeKind::tkClass:
        AssignObjectValue(instance, property, setterless);
        return;
    case TTypeKind::tkInterface: {
        const StreamValueTag tag = PeekTag();
        if (LowTagOf(tag) == ValNil) {
            ReadTag();
            property.setObject(instance, nullptr);
        } else if (IsIdentifierTag(tag)) {
            RecordFixup(instance, property, ReadIdent());
        } else {
            ReadTag();
            SkipAndRaiseInvalidValue();
        }
        return;
    }
    case TTypeKind::tkMethod: {
        if (LowTagOf(PeekTag()) == ValNil) {
            ReadTag();
            property.setMethod(instance, TMethod{});
            return;
        }
        const TMethod method = FindEventMethodInstance(root_, ReadIdent());
        if (!method || !property.setMethod(instance, method)) RaiseInvalidValue();
        return;
    }
    case TTypeKind::tkVariant:
        property.setVariant(instance, ReadVariant());
        return;
    }
}

void TReader::AssignObjectValue(TPersistent& instance, const TPropInfo& property, bool setterless) {
    const StreamValueTag tag = PeekTag();
    if (LowTagOf(tag) == ValNil) {
        ReadTag();
        if (!setterless && !property.setObject(instance, nullptr)) RaiseInvalidValue();
        return;
    }
    if (tag == ValCollection) {
        ReadTag();
        auto* collection = dynamic_cast<TCollection*>(property.getObject(instance));
        if (!collection) SkipAndRaiseInvalidValue();
        ReadCollection(*collection);
        return;
    }
    if (IsIdentifierTag(tag)) {
        std::string name = ReadIdent();
        if (!setterless) RecordFixup(instance, property, std::move(name));
        return;
    }
    ReadTag();
    SkipAndRaiseInvalidValue();
}

void TReader::ReadCollection(TCollection& collection) {
    NestingGuard guard(*this);
    collection.BeginUpdate();
    ScopeExit endUpdate([&] { collection.EndUpdate(); });
    if (!AtListEnd()) collection.Clear();
    while (!AtListEnd()) {
        if (IsIntegerTag(PeekTag())) ReadInteger();  // the item's index, not used
        TCollectionItem& item = collection.Add();
        ReadListBegin();
        while (!AtListEnd()) ReadPropertyEntry(item);
        ReadListEnd();
    }
    ReadListEnd();
}

// --- References ---------------------------------------------------------------------------

void TReader::RecordFixup(TPersistent& instance, const TPropInfo& property, std::string name) {
    TPropFixup fixup{&instance, holder_, &property, std::move(name), lookupRoot_, {}};
    if (fixups_) {
        fixups_->push_back(std::move(fixup));
        return;
    }
    // Outside a body (an entry read on its own) the reference is resolved at once.
    std::vector<TPropFixup> single{std::move(fixup)};
    fixups_ = &single;
    ScopeExit reset([&] { fixups_ = nullptr; });
    ResolvePendingReferences();
}

void TReader::ResolvePendingReferences() {
    if (!fixups_) return;
    // Moved out first: a setter run here must not see a half-resolved list.
    std::vector<TPropFixup> pending;
    pending.swap(*fixups_);
    for (TPropFixup& f : pending) {
        AdjustReferenceName(f.name);
        TComponent* found = FindNestedComponent(f.lookupRoot, f.name);
        if (found && f.property->setObject(*f.instance, found)) continue;
        if (!found && f.name.find('.') != std::string::npos) {
            f.rootName = f.name.substr(0, f.name.find('.'));
            AddGlobalFixup(std::move(f));
            continue;
        }
        f.property->setObject(*f.instance, nullptr);
    }
}

}  // namespace cvcalc

// The string list and its "Strings" stream property.
#include "shell/core/StringList.h"

#include "shell/core/Reader.h"

namespace cvcalc {

const TClassInfo& TStringList::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TStringList>("TStringList", TPersistent::StaticClassInfo());
    return info;
}

void TStringList::Add(std::string s) {
    strings_.push_back(std::move(s));
    Changed();
}

void TStringList::Clear() {
    if (strings_.empty()) return;
    strings_.clear();
    Changed();
}

std::string TStringList::Text() const {
    std::string text;
    for (const std::string& s : strings_) text += s + "\n";
    return text;
}

void TStringList::DefineExtraProperties(TFiler& filer) {
    TPersistent::DefineExtraProperties(filer);
    filer.DefineNamedProperty(
        "Strings",
        [this](TReader& reader) {
            reader.ReadListBegin();
            strings_.clear();
            while (!reader.AtListEnd()) strings_.push_back(reader.TranslatedText(reader.ReadString()));
            reader.ReadListEnd();
            Changed();
        },
        nullptr, !strings_.empty());
}

}  // namespace cvcalc

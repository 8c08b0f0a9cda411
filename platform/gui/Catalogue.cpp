// The English catalogue: the embedded .qm read by Qt's own QTranslator.
#include "platform/gui/Catalogue.h"

#include <QTranslator>

#include "platform/core/Exception.h"
#include "platform/core/Resources.h"

namespace cvcalc {
namespace {

QTranslator* EnglishCatalogue() {
    static QTranslator* translator = [] {
        const auto bytes = FindResource(RT_RCDATA, "CATALOGUE_EN");
        auto* t = new QTranslator;
        if (!bytes || !t->load(bytes->data(), static_cast<int>(bytes->size()))) {
            delete t;
            return static_cast<QTranslator*>(nullptr);
        }
        return t;
    }();
    if (translator == nullptr) throw Exception("cvcalc: the English catalogue in the program cannot be read");
    return translator;
}

}  // namespace

void UseInterfaceLanguage(Language language) {
    if (language == Language::Japanese) {
        SetInterfaceLanguage(Language::Japanese);
        return;
    }
    QTranslator* translator = EnglishCatalogue();
    SetInterfaceLanguage(
        Language::English, [translator](std::string_view context, std::string_view source, std::string_view place) {
            const std::string c(context), s(source), p(place);
            return translator->translate(c.c_str(), s.c_str(), p.empty() ? nullptr : p.c_str()).toStdString();
        });
}

}  // namespace cvcalc

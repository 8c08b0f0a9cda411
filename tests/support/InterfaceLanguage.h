// A test's part in one interface language: the catalogue is chosen for the
// scope and Japanese, the program's own language, comes back after it.
// Windows made inside the scope read their forms in that language.
#pragma once

#include <string_view>

#include "platform/gui/Catalogue.h"

namespace cvcalc::testing {

class ScopedInterfaceLanguage {
public:
    explicit ScopedInterfaceLanguage(Language language) { UseInterfaceLanguage(language); }
    ~ScopedInterfaceLanguage() { UseInterfaceLanguage(Language::Japanese); }
    ScopedInterfaceLanguage(const ScopedInterfaceLanguage&) = delete;
    ScopedInterfaceLanguage& operator=(const ScopedInterfaceLanguage&) = delete;
};

// The first character of a Japanese script (kana, CJK ideographs and their
// punctuation, full-width forms) in UTF-8 text, or npos.
inline std::size_t FindJapanese(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 0xE0 || b > 0xEF || i + 2 >= text.size()) continue;
        const unsigned code = ((b & 0x0Fu) << 12) | ((static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 6) |
                              (static_cast<unsigned char>(text[i + 2]) & 0x3Fu);
        if ((code >= 0x3000 && code <= 0x30FF) || (code >= 0x3400 && code <= 0x4DBF) ||
            (code >= 0x4E00 && code <= 0x9FFF) || (code >= 0xFF00 && code <= 0xFFEF))
            return i;
    }
    return std::string_view::npos;
}

}  // namespace cvcalc::testing

// Title and error-box text rules of the application object.
#include "shell/app/AppText.h"

namespace cvcalc {

namespace {
// Bytes of the UTF-8 sequence that starts with `lead` (1 for anything that
// is not a valid lead byte, so malformed names still advance).
std::size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2) return 2;
    return 1;
}
}  // namespace

std::string ApplicationTitleFromPath(std::string_view path) {
    // The whole path is used: a long path is not cut, so the name survives.
    const std::size_t slash = path.rfind('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    name = name.substr(0, name.find('.'));
    std::string title(name);
    if (title.empty()) return title;
    const std::size_t first = std::min(SequenceLength(static_cast<unsigned char>(title[0])), title.size());
    for (std::size_t i = first; i < title.size(); ++i)
        if (title[i] >= 'A' && title[i] <= 'Z') title[i] = static_cast<char>(title[i] - 'A' + 'a');
    return title;
}

std::string ErrorBoxText(std::string_view message) {
    std::string text(message);
    // A UTF-8 last byte of a multibyte character is 0x80..0xBF, above ".".
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) text += '.';
    return text;
}

}  // namespace cvcalc

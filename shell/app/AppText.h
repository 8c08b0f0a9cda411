// The two texts the application object derives itself: its title from the
// executable's name, and the text of an error box from an error's message.
#pragma once

#include <string>
#include <string_view>

namespace cvcalc {

// The title from the executable's full path: what follows the last "/", cut
// at its first "."; every character after the first in lower case (the
// first keeps its case; a multibyte first character stays as it is).
// "/usr/bin/CvCalc.exe" gives "Cvcalc".
std::string ApplicationTitleFromPath(std::string_view path);

// The error box's text: the message, with "." appended when the message is
// not empty and its last character sorts above "." (every multibyte
// character does, so Japanese messages always get one).
std::string ErrorBoxText(std::string_view message);

}  // namespace cvcalc

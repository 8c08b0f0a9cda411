// cvcalc-driver: the program's two windows worked by commands read from
// standard input, one a line; dumps go to standard output.  Exits 0 at the
// end of the input and 2 at a command it does not know or cannot read.
//
//   cvcalc-driver [--language ja|en]
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "platform/gui/Catalogue.h"
#include "platform/gui/GuiPlatform.h"
#include "tools/driver/DriverSession.h"

int main(int argc, char** argv) {
    const cvcalc::LanguageOption option = cvcalc::ReadLanguageOption(argc, argv);
    if (!option.error.empty()) {
        std::fprintf(stderr, "cvcalc-driver: %s\n", option.error.c_str());
        return 2;
    }
    // The driver always works off screen, whatever display there is.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    cvcalc::InitPlatform();
    // A script runs in the language its command line or environment names,
    // never in a choice saved from the menu: the same script gives the same
    // dump on every machine.
    cvcalc::UseInterfaceLanguage(cvcalc::StartLanguage(option.language, false));
    int status = 0;
    {
        cvcalc::DriverSession session([](std::string_view text) {
            std::fwrite(text.data(), 1, text.size(), stdout);
            std::fflush(stdout);
        });
        session.Start();
        std::string line;
        while (std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!session.Run(line)) {
                if (!session.Refusal().empty())
                    std::fprintf(stderr, "%s\n", session.Refusal().c_str());
                else
                    std::fprintf(stderr, "cvcalc-driver: unknown command or bad arguments: %s\n", line.c_str());
                status = 2;
                break;
            }
        }
    }
    return status;
}

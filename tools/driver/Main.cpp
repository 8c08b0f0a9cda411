// cvcalc-driver: the program's two windows worked by commands read from
// standard input, one a line; dumps go to standard output.  Exits 0 at the
// end of the input and 2 at a command it does not know or cannot read.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "platform/gui/GuiPlatform.h"
#include "tools/driver/DriverSession.h"

int main() {
    // The driver always works off screen, whatever display there is.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    cvcalc::InitPlatform();
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

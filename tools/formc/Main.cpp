// formc: compiles form descriptions to binary form streams and dumps
// binary streams back to the notation.
//
//   formc compile <description> <stream>
//   formc dump <stream> [<description>]
//   formc texts <listing> <description>...
//
// The listing names each form text the interface translates for Qt's
// lupdate, one QT_TRANSLATE_NOOP3(form class, text, place) a line.
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "tools/formc/FormCompiler.h"
#include "tools/formc/FormDumper.h"

namespace {

bool ReadAll(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    out = s.str();
    return true;
}

int Usage() {
    std::cerr << "usage: formc compile <description> <stream>\n"
                 "       formc dump <stream> [<description>]\n"
                 "       formc texts <listing> <description>...\n";
    return 2;
}

// A C string literal of UTF-8 text.
std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        out += c;
    }
    return out + '"';
}

int WriteTexts(int argc, char** argv) {
    using namespace cvcalc::formc;
    std::string listing = "// The form texts the interface translates, listed for lupdate by formc.\n";
    for (int i = 3; i < argc; ++i) {
        std::string input;
        if (!ReadAll(argv[i], input)) {
            std::cerr << argv[i] << ": cannot read\n";
            return 1;
        }
        const CompiledForm form = CompileForm(input, argv[i]);
        for (const FormText& text : form.texts)
            listing += "QT_TRANSLATE_NOOP3(" + Quoted(form.className) + ", " + Quoted(text.text) + ", " +
                       Quoted(text.place) + ")\n";
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << listing;
    if (!out) {
        std::cerr << argv[2] << ": cannot write\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace cvcalc::formc;
    if (argc < 3) return Usage();
    if (std::string_view(argv[1]) == "texts") {
        try {
            return WriteTexts(argc, argv);
        } catch (const CompileError& e) {
            std::cerr << e.what() << "\n";
            return 1;
        }
    }
    const std::string command = argv[1];
    std::string input;
    if (!ReadAll(argv[2], input)) {
        std::cerr << argv[2] << ": cannot read\n";
        return 1;
    }
    try {
        if (command == "compile" && argc == 4) {
            const CompiledForm form = CompileForm(input, argv[2]);
            std::ofstream out(argv[3], std::ios::binary);
            out.write(reinterpret_cast<const char*>(form.bytes.data()),
                      static_cast<std::streamsize>(form.bytes.size()));
            if (!out) {
                std::cerr << argv[3] << ": cannot write\n";
                return 1;
            }
            return 0;
        }
        if (command == "dump" && (argc == 3 || argc == 4)) {
            const std::string text = DumpForm(std::vector<unsigned char>(input.begin(), input.end()));
            if (argc == 3) {
                std::cout << text;
                return 0;
            }
            std::ofstream out(argv[3], std::ios::binary);
            out << text;
            return out ? 0 : 1;
        }
    } catch (const CompileError& e) {
        std::cerr << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << argv[2] << ": " << e.what() << "\n";
        return 1;
    }
    return Usage();
}

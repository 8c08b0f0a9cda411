// The form description notation and its compiler to the binary stream
// (tools/formc/FormDumper.h writes a stream back in the notation).
//
//     # a comment
//     TFormHTML FormHTML {
//         Left: 215                       integers take the smallest tag
//         Ratio: 0.001                    fractional numbers are extended floats
//         Caption: "Back"                 ASCII text is a short (or long) string
//         Title: "電圧　[V]"              other text is a wide string
//         Color: clBtnFace                identifiers; true / false / nil
//         Anchors: [akLeft, akTop]        sets
//         DesignSize: (699, 480)          lists
//         Items: < { Caption: "a" } 3 { Caption: "b" } >   collections
//         Picture.Data: bitmap("Image1.bmp")                "TBitmap", size, file
//         ControlData: binary("state.bin")   or hex("0a0b")
//         Big: int64(5)   Scale: single(1.5)   Name: utf8("ü")   (explicit forms)
//         TButton ButtonBack { Caption: "Back" }            child records
//         inherited TButton Old { }     inline ...   position 3 TButton ...
//         prefix(0xF0) TButton ...      position int16(3) ...  (exact prefixes)
//         Rate: currency(1.25)   Odd: high(Widget2)   Raw: double(hex("010000000000f87f"))
//     }
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace cvcalc::formc {

// An error in a description, its text "file:line:column: message".
class CompileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text of the form that the interface translates when the form is read:
// a Caption, or an item of a Strings list, that is not plain ASCII.  Its
// place is the component's name and the property's path
// ("Label3.Caption", "ChartRho.Title.Text.Strings").
struct FormText {
    std::string place;
    std::string text;
};

struct CompiledForm {
    std::string className;
    std::vector<unsigned char> bytes;
    std::vector<FormText> texts;
};

// Compiles the description `text` read from `fileName` (files named by
// binary() and bitmap() are relative to its directory).
CompiledForm CompileForm(const std::string& text, const std::string& fileName);

}  // namespace cvcalc::formc

// libFuzzer target: ReadRoot over arbitrary bytes into a test form.  Every
// input must end in a stream error of the documented family (or load), with
// nothing leaked, read out of bounds or left in a global list.
#include <cstdlib>
#include <span>

#include "shell/core/MemoryStream.h"
#include "shell/core/NameSpace.h"
#include "shell/core/Reader.h"
#include "shell/core/StreamErrors.h"

// The test components publish a property of every kind; they are compiled
// into the fuzzer itself.
#include "tests/shell/TestComponents.cpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace cvcalc;
    {
        test::TTestForm form(nullptr);
        try {
            TMemoryStream stream(std::span<const unsigned char>(data, size));
            TReader reader(stream);
            reader.ReadRoot(&form);
        } catch (const EStreamError&) {
        } catch (const EComponentError&) {
        } catch (const EResNotFound&) {
        } catch (const Exception&) {
            // Arithmetic faults (a huge double into a single) come wrapped in a
            // read error; anything else escaping is a fault.
            std::abort();
        }
    }
    // References into other forms wait in the global list while their
    // form lives; once it is gone none may remain.
    if (GlobalFixupCount() != 0) {
        std::abort();
    }
    return 0;
}

# Writes a C++ source that holds INPUT as a byte array and registers it as
# the resource TYPE/NAME.  Run with cmake -P.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Break the array into lines of 32 bytes so compilers and diffs stay happy.
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){32})" "\\1\n" bytes "${bytes}")
if(size EQUAL 0)
  set(bytes "0")
endif()
file(WRITE ${OUTPUT}.tmp
"// Generated from ${INPUT}; do not edit.
#include \"platform/core/Resources.h\"

namespace {
const unsigned char Data_${IDENT}[] = {
${bytes}
};
const cvcalc::ResourceRegistration Registration_${IDENT}(${TYPE}, \"${NAME}\", Data_${IDENT}, ${size});
}  // namespace
")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})

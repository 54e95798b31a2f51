# Run with -P: writes OUTPUT, a C++ source holding the bytes of INPUT.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hexlen)
math(EXPR size "${hexlen} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
# Break the initialiser into lines of 16 bytes so the generated file stays readable.
string(REGEX REPLACE "(('[^']+',){16})" "\\1\n  " bytes "${bytes}")
file(WRITE ${OUTPUT}
"// Generated from ${INPUT}; do not edit.
#include <cstddef>
#include <string_view>
namespace kivo::embedded {
namespace {
const char kData[] = {
  ${bytes} '\\0'};
}
std::string_view ${SYMBOL}() { return {kData, ${size}}; }
}  // namespace kivo::embedded
")

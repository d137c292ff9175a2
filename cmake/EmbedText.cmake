# Turns a text file into a C++ source that holds its bytes, so the program carries the file.
#   cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DNAMESPACE=<ns> -DSYMBOL=<name> -DHEADER=<include> -P EmbedText.cmake
# The result defines `const std::string_view <ns>::<name>` over the file's bytes. The bytes are
# written as hex escapes rather than one long literal: compilers limit the length of a literal.
cmake_minimum_required(VERSION 3.25)

file(READ "${INPUT}" bytes HEX)
get_filename_component(input_name "${INPUT}" NAME)
string(LENGTH "${bytes}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${bytes}")
# Sixteen bytes a line, so the generated file stays readable in an editor (CMake's regular
# expressions have no {n} repeat, so the pattern is spelled out).
string(REPEAT "'.x[0-9a-f][0-9a-f]'," 16 line_pattern)
string(REGEX REPLACE "(${line_pattern})" "\\1\n    " bytes "${bytes}")

file(WRITE "${OUTPUT}.tmp"
"// Generated from ${input_name} by cmake/EmbedText.cmake; edit the source file instead.
#include \"${HEADER}\"

namespace {
const char embeddedBytes[${size} + 1] = {
    ${bytes}'\\0'};
}  // namespace

namespace ${NAMESPACE} {
const std::string_view ${SYMBOL}(embeddedBytes, ${size});
}  // namespace ${NAMESPACE}
")
# Only a changed result touches the output, so an unchanged table rebuilds nothing.
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")

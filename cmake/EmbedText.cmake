# cmake -DINPUT=file -DOUTPUT=file.cpp -DFUNCTION=name -DINCLUDE=header -P EmbedText.cmake
# Writes a C++ source whose function returns the input file's bytes as a
# std::string_view, so that a program needs no path to find a shipped text.
file(READ "${INPUT}" bytes HEX)
string(LENGTH "${bytes}" hex_length)
math(EXPR size "${hex_length} / 2")
# Sixteen bytes a line keeps the generated file readable in a diff viewer.
string(REPEAT "[0-9a-f]" 32 line_pattern)
string(REGEX REPLACE "(${line_pattern})" "\\1\n    " bytes "${bytes}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${bytes}")
get_filename_component(input_name "${INPUT}" NAME)
file(WRITE "${OUTPUT}.tmp" "// Generated from ${input_name} by EmbedText.cmake; edit that file instead.
#include \"${INCLUDE}\"

namespace {

constexpr char kBytes[${size} + 1] = {
    ${bytes}'\\0' };

} // namespace

std::string_view ${FUNCTION}()
{
    return std::string_view(kBytes, ${size});
}
")
# Unchanged output keeps its time stamp, so nothing is rebuilt for nothing.
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")

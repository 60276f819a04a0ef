# Writes a C++ source that holds a text file, for data built into the program:
#   cmake -DSOURCE=<file> -DTARGET=<file.cpp> -DFUNCTION=<name> -P EmbedText.cmake
# The text is cut into raw string literals of at most 16,000 bytes, which every compiler takes,
# and the function returns them joined.
file(READ "${SOURCE}" text)
string(LENGTH "${text}" length)
set(chunk 16000)
set(pieces "")
set(offset 0)
while(offset LESS length)
    string(SUBSTRING "${text}" ${offset} ${chunk} piece)
    string(APPEND pieces "    R\"embedded(${piece})embedded\",\n")
    math(EXPR offset "${offset} + ${chunk}")
endwhile()
file(WRITE "${TARGET}.new" "// Generated from ${SOURCE} at build time; do not edit.
#include <string>

namespace quiz {

namespace {
// Plain pointers: measuring a megabyte of literals at compile time would exhaust constexpr.
const char* const kPieces[] = {
${pieces}};
} // namespace

std::string ${FUNCTION}() {
    std::string text;
    text.reserve(${length});
    for (const char* piece : kPieces) {
        text += piece;
    }
    return text;
}

} // namespace quiz
")
file(COPY_FILE "${TARGET}.new" "${TARGET}" ONLY_IF_DIFFERENT)

#include "app/console_output.h"

#include <cstdio>

namespace quiz {

namespace {

bool print(const QByteArray& bytes, std::FILE* stream) {
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) ==
               size_t(bytes.size()) &&
           std::fflush(stream) == 0;
}

} // namespace

void attachToParentConsole() {}

bool printOut(const QString& text) {
    return print(text.toUtf8(), stdout);
}

bool printErrorLine(const QString& line) {
    return print((line + QLatin1Char('\n')).toUtf8(), stderr);
}

} // namespace quiz

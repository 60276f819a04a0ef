#include "app/console_output.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace quiz {

namespace {

bool usable(HANDLE handle) {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

// A console takes UTF-16 whatever its code page; a file or a pipe gets UTF-8, as on Linux.
bool print(const QString& text, DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    if (!usable(handle)) {
        return false;
    }
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = text.toStdWString();
        return WriteConsoleW(handle, wide.data(), DWORD(wide.size()), &written, nullptr) != 0;
    }
    const QByteArray bytes = text.toUtf8();
    return WriteFile(handle, bytes.constData(), DWORD(bytes.size()), &written, nullptr) != 0 &&
           written == DWORD(bytes.size());
}

} // namespace

void attachToParentConsole() {
    if (usable(GetStdHandle(STD_OUTPUT_HANDLE)) || usable(GetStdHandle(STD_ERROR_HANDLE))) {
        return;
    }
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) {
        return; // started from a shortcut or Explorer: the caller shows a message box instead
    }
    const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, 0, nullptr);
    if (usable(console)) {
        SetStdHandle(STD_OUTPUT_HANDLE, console);
        SetStdHandle(STD_ERROR_HANDLE, console);
    }
}

bool printOut(const QString& text) {
    return print(text, STD_OUTPUT_HANDLE);
}

bool printErrorLine(const QString& line) {
    return print(line + QLatin1Char('\n'), STD_ERROR_HANDLE);
}

} // namespace quiz

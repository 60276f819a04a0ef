#include "service/words/file_kind_words.h"

#include <iterator>

namespace quiz {

namespace {

// What stands there instead of a regular file; the last for any other.
struct KindWords {
    FileKind kind;
    const char* english;
    const char* bulgarian;
};

constexpr KindWords kKinds[] = {
    {FileKind::Folder, "a folder", "папка"},
    {FileKind::Pipe, "a pipe", "канал"},
    {FileKind::Socket, "a socket", "сокет"},
    {FileKind::Device, "a device", "устройство"},
    {FileKind::Other, "another kind of file", "файл от друг вид"},
};

const KindWords& wordsOf(FileKind kind) {
    for (const KindWords& words : kKinds) {
        if (words.kind == kind) {
            return words;
        }
    }
    return kKinds[std::size(kKinds) - 1];
}

} // namespace

std::string notRegularFile(Wording wording) {
    return wording == Wording::Bulgarian ? "не е обикновен файл" : "not a regular file";
}

std::string notRegularFile(FileKind kind, Wording wording) {
    const KindWords& words = wordsOf(kind);
    return wording == Wording::Bulgarian ? notRegularFile(wording) + ", а " + words.bulgarian
                                         : notRegularFile(wording) + " but " + words.english;
}

} // namespace quiz

#pragma once

// The pupils' page as the host serves it: a few files of the program's resources, by exact path.

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace quiz {

struct PageFile {
    QByteArray body;
    QByteArray contentType;
};

// The file a request's path names: "/" is the page itself; any other path, "/../" and
// "/%2e%2e/" as much as an unknown name, names none, since only the table's names are looked up
// and nothing of the path reaches the file system. A query ("?…") is ignored.
std::optional<PageFile> pageFile(QByteArrayView path);

} // namespace quiz

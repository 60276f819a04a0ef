#include "service/network/page_files.h"

#include <QFile>

#include <array>

namespace quiz {

namespace {

struct Entry {
    QByteArrayView path;
    const char* resource;
    QByteArrayView contentType;
};

constexpr std::array kEntries{
    Entry{"/", ":/page/index.html", "text/html; charset=utf-8"},
    Entry{"/page.css", ":/page/page.css", "text/css; charset=utf-8"},
    Entry{"/page.js", ":/page/page.js", "text/javascript; charset=utf-8"},
};

} // namespace

std::optional<PageFile> pageFile(QByteArrayView path) {
    if (const qsizetype query = path.indexOf('?'); query >= 0) {
        path = path.first(query);
    }
    for (const Entry& entry : kEntries) {
        if (entry.path != path) {
            continue;
        }
        QFile file(QString::fromLatin1(entry.resource));
        if (!file.open(QIODevice::ReadOnly)) {
            return std::nullopt;
        }
        return PageFile{file.readAll(), entry.contentType.toByteArray()};
    }
    return std::nullopt;
}

} // namespace quiz

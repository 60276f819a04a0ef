#include "window/teacher/chart_png.h"

#include "service/words/utf8_string.h"

#include <QSaveFile>

namespace quiz {

QString writePng(const QImage& image, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    if (!image.save(&file, "PNG")) {
        file.cancelWriting();
        return file.error() != QFileDevice::NoError ? file.errorString()
                                                    : utf8("изображението не може да се кодира");
    }
    return file.commit() ? QString() : file.errorString();
}

} // namespace quiz

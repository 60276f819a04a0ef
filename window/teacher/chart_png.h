#pragma once

// A chart written to a PNG file, whole or not at all.

#include <QImage>
#include <QString>

namespace quiz {

// Empty on success, else why the file was not written (the file is then left as it was).
QString writePng(const QImage& image, const QString& path);

} // namespace quiz

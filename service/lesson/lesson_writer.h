#pragma once

// Writes the teacher's files into the class folder for every pupil's program to read: whole or
// not at all.

#include <QByteArray>
#include <QString>

namespace quiz {

// A temporary file beside `path`, then a rename over what is there, readable by everyone.
// (QSaveFile refuses to replace a file this account cannot write, such as one another teacher
// wrote, or a pupil put there first, though the folder's rights allow the rename.) Empty, or the
// system's reason.
QString writeWhole(const QString& path, const QByteArray& bytes);

} // namespace quiz

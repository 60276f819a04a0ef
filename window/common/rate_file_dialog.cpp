#include "window/common/rate_file_dialog.h"

#include "service/words/utf8_string.h"

#include <QFileDialog>

namespace quiz {

QString askForRateFile(QWidget* parent, const QString& folder) {
    return QFileDialog::getOpenFileName(parent, utf8("Файл с курсове"), folder,
                                        utf8("Курсове (*.csv *.txt);;Всички файлове (*)"));
}

} // namespace quiz

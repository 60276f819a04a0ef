#pragma once

// The teacher's view of a class folder: one row per pupil, the class as a whole, and what was
// skipped, following the folder while the pupils play.

#include "core/number_style.h"
#include "window/teacher/class_folder.h"

#include <QWidget>

class QFileSystemWatcher;
class QLabel;
class QPlainTextEdit;
class QTableWidget;
class QTimer;

namespace quiz {

class TeacherWindow : public QWidget {
    Q_OBJECT

public:
    // Reads `folder` at once and then every few seconds, and whenever the system says it
    // changed. Numbers are written in `style`. Nothing is ever written into the folder except
    // an export the teacher asks for.
    TeacherWindow(const QString& folder, NumberStyle style, QWidget* parent = nullptr);

    // Reads what is new now; the timer and the watcher call it too.
    void refresh();
    // Writes the whole class to `path` in the chosen form; false with a message box on failure.
    bool exportTo(const QString& path, ExportForm form);

private:
    void showPupils();
    void showClass();
    void showSkipped();
    void askAndExport(ExportForm form);

    ClassFolder folder_;
    NumberStyle style_;
    QLabel* status_ = nullptr;
    QTableWidget* pupils_ = nullptr;
    QLabel* totals_ = nullptr;
    QTableWidget* byLevel_ = nullptr;
    QTableWidget* byCurrency_ = nullptr;
    QPlainTextEdit* skipped_ = nullptr;
    QTimer* timer_ = nullptr;
    QFileSystemWatcher* watcher_ = nullptr;
};

} // namespace quiz

#pragma once

// Where and as whom to join a lesson on the network: the lessons heard, or an address typed.

#include "service/announce/lesson_finder.h"

#include <QDialog>
#include <QString>
#include <QUrl>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace quiz {

struct JoinChoice {
    QUrl address;
    QString name;
    QString code;
};

class JoinDialog : public QDialog {
    Q_OBJECT
public:
    // Lists what `finder` hears while it is open; the fields start as `prefill` says, and
    // `problem`, when given, says why the last attempt failed.
    JoinDialog(const LessonFinder& finder, const JoinChoice& prefill, const QString& problem = {},
               QWidget* parent = nullptr);

    // What OK was pressed on: an address checked as local, a name and a code.
    JoinChoice choice() const;

private:
    void showLessons();
    void check();

    const LessonFinder& finder_;
    QListWidget* lessons_ = nullptr;
    QLineEdit* address_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* code_ = nullptr;
    QLabel* problem_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

} // namespace quiz

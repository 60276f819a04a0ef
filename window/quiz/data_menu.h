#pragma once

// The quiz's data menu carried out: the stored series, the ECB's, or a teacher's file chosen in
// a dialog, read off the window's thread while a progress dialog shows how far it has come.

#include "service/data/data_choice.h"

#include <QObject>
#include <QString>

class QProgressDialog;

namespace quiz {

class QuizForm;

class DataMenu : public QObject {
    Q_OBJECT

public:
    // Serves `form`'s data menu for as long as the form lives, as its child.
    explicit DataMenu(QuizForm& form);

    // Reads `argument` ("catalogue", "ecb" or a file's path) as the menu's choice, used from
    // the next turn once read; a file that cannot be used is said in a message box, and the
    // data in use stays.
    void choose(const QString& argument);

private:
    void request(DataKind kind);

    QuizForm& form_;
    DataLoader loader_;
    QProgressDialog* progress_ = nullptr;
};

} // namespace quiz

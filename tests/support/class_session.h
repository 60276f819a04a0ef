#pragma once

// A pupil's quiz started through the real start-up in a class folder, as a lab computer starts
// it: `--class-dir FOLDER --pupil PUPIL` and any further options.

#include "app/startup.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <memory>

namespace quiz::testing {

inline std::unique_ptr<QuizSession> startInClassFolder(const QString& folder, const QString& pupil,
                                                       const QStringList& options = {}) {
    const CommandLine line =
        parseCommandLine(QStringList{QStringLiteral("realdataquiz"), QStringLiteral("--class-dir"),
                                     folder, QStringLiteral("--pupil"), pupil} +
                         options);
    QString refusal;
    auto session = startQuiz(line, QLocale::c(), refusal);
    if (!session) {
        qFatal("the quiz did not start: %s", qPrintable(refusal));
    }
    return session;
}

} // namespace quiz::testing

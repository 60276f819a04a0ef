#pragma once

// The dialog a teacher's file of rates is chosen in, alike from the quiz's data menu and the
// lesson panel.

#include <QString>

class QWidget;

namespace quiz {

// The chosen file's path, or empty when the dialog is cancelled; it opens in `folder`, or
// where Qt chooses for none.
QString askForRateFile(QWidget* parent, const QString& folder = {});

} // namespace quiz

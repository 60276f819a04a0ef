#pragma once

// The teacher's guide in a window of its own, read from the program's resources.

#include <QWidget>

class QAction;
class QPushButton;
class QTextBrowser;

namespace quiz {

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    // A window of its own even with a parent, which it closes with.
    explicit HelpWindow(QWidget* parent = nullptr);

    const QTextBrowser& guide() const { return *guide_; }

private:
    QTextBrowser* guide_ = nullptr;
};

// „Помощ“ (F1) for `window` and its right-click menu: opens the guide beside it, or brings the
// one already open forward.
QAction* addHelpAction(QWidget& window);
// The same with a button on `parent` too, for a window without a right-click menu.
QPushButton* addHelpButton(QWidget& window, QWidget* parent);

} // namespace quiz

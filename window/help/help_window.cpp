#include "window/help/help_window.h"

#include "window/common/scrolling_window.h"
#include "service/words/utf8_string.h"

#include <QAction>
#include <QImage>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QtGui/qtgui-config.h>

// Without it the guide would show as its Markdown source: better no build than that.
#if !QT_CONFIG(textmarkdownreader)
#error "The teacher's guide needs Qt's Markdown reader (md4c, system or bundled)"
#endif

namespace quiz {

namespace {

constexpr const char* kCaption = "Помощ";
constexpr const char* kTitle = "Помощ – реални и генерирани данни";
// The guide sits in the resources beside its pictures, so its relative links find them.
constexpr const char* kGuide = "qrc:/help/teacher-guide.bg.md";
constexpr QSize kPreferredSize{860, 720};
// The widest picture shown at its own size; wider ones are scaled down to it.
constexpr int kPictureWidth = 780;

// A browser that fits wide pictures into the window rather than scrolling sideways.
class GuideBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& name) override {
        QVariant resource = QTextBrowser::loadResource(type, name);
        if (type != QTextDocument::ImageResource || resource.isNull()) {
            return resource;
        }
        const QImage picture = QImage::fromData(resource.toByteArray());
        if (picture.width() <= kPictureWidth) {
            return resource;
        }
        return picture.scaledToWidth(kPictureWidth, Qt::SmoothTransformation);
    }
};

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent) {
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(utf8(kTitle));
    guide_ = new GuideBrowser(this);
    guide_->setObjectName(QStringLiteral("guide"));
    guide_->setAccessibleName(utf8(kCaption));
    // Everything the guide shows is in the resources; nothing is fetched.
    guide_->setOpenLinks(false);
    guide_->setSource(QUrl(QString::fromLatin1(kGuide)), QTextDocument::MarkdownResource);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(guide_);
    resize(sizeOnScreen(*this, kPreferredSize));
    new QShortcut(QKeySequence::Cancel, this, this, &QWidget::close);
}

QAction* addHelpAction(QWidget& window) {
    auto* action = new QAction(utf8(kCaption), &window);
    action->setObjectName(QStringLiteral("helpAction"));
    action->setShortcut(Qt::Key_F1);
    QObject::connect(action, &QAction::triggered, &window, [&window] {
        auto* help = window.findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
        if (!help) {
            help = new HelpWindow(&window);
        }
        help->show();
        help->raise();
        help->activateWindow();
    });
    window.addAction(action);
    return action;
}

QPushButton* addHelpButton(QWidget& window, QWidget* parent) {
    QAction* action = addHelpAction(window);
    auto* button = new QPushButton(action->text(), parent);
    button->setObjectName(QStringLiteral("help"));
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    return button;
}

} // namespace quiz

// What the window looks like and what a screen reader hears: size, colours, fonts, names.
// (Its pictures in the documentation are drawn by tests/window/help/guide_pictures_test.)

#include "core/random/random_source.h"
#include "tests/support/find_control.h"
#include "window/quiz/introduction.h"
#include "window/quiz/quiz_form.h"

#include <QAccessible>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

#include <memory>

using namespace quiz;

namespace {

constexpr std::uint32_t kScreenshotSeed = 2026;

QRgb pixelAt(const QImage& image, const QWidget* control, QPoint offset) {
    return image.pixel(control->mapTo(control->window(), offset));
}

// The columns of a label that hold something other than its background. The bottom row is
// left out: the options below overlap it by a pixel, as drawn.
std::pair<int, int> inkColumns(const QImage& image, const QLabel* label) {
    const QRgb background = pixelAt(image, label, {1, 1});
    int first = label->width();
    int last = -1;
    for (int x = 0; x < label->width(); ++x) {
        for (int y = 0; y < label->height() - 1; ++y) {
            if (pixelAt(image, label, {x, y}) != background) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    return {first, last};
}

} // namespace

class QuizFormLookTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void hasTheDesignedSizeAndColours();
    void usesTimesNewRomanOrItsMetricTwinEverywhere();
    void centresTheLabelCaptions();
    void keepsEveryControlInside();
    void namesEveryControlForScreenReaders();
    void showsItsTextsExactly();

private:
    template <typename Widget> Widget* control(const char* name) const {
        return findControl<Widget>(*form_, name);
    }
    QList<QWidget*> visibleControls() const {
        QList<QWidget*> controls;
        for (QWidget* child : form_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isVisible()) {
                controls.append(child);
            }
        }
        return controls;
    }

    std::unique_ptr<QuizForm> form_;
    QImage image_;
};

void QuizFormLookTest::init() {
    form_ = std::make_unique<QuizForm>(std::make_unique<SeededRandomSource>(kScreenshotSeed),
                                       NumberStyle{});
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    image_ = form_->grab().toImage();
}

void QuizFormLookTest::cleanup() {
    form_.reset();
}

void QuizFormLookTest::hasTheDesignedSizeAndColours() {
    QCOMPARE(form_->size(), QSize(485, 353));
    QCOMPARE(image_.size(), QSize(485, 353));
    QCOMPARE(form_->minimumSize(), form_->maximumSize());

    QCOMPARE(QColor(image_.pixel(4, 4)), QColor(192, 192, 255));
    QCOMPARE(QColor(pixelAt(image_, control<QLabel>("Label1_0"), {4, 12})), QColor(255, 192, 128));
    QCOMPARE(QColor(pixelAt(image_, control<QLabel>("Label1_1"), {4, 12})), QColor(255, 192, 128));
    for (const char* name : {"Option1_0", "Option1_1"}) {
        const QRadioButton* option = control<QRadioButton>(name);
        QCOMPARE(QColor(pixelAt(image_, option, {option->width() - 4, 12})), QColor(255, 128, 255));
    }
    // Solid red inside the bevel, not a pale gradient.
    const QPushButton* button = control<QPushButton>("Command1");
    for (const QPoint inside : {QPoint(6, 6), QPoint(8, 13), QPoint(button->width() - 8, 20)}) {
        QCOMPARE(QColor(pixelAt(image_, button, inside)), QColor(255, 0, 0));
    }
}

void QuizFormLookTest::usesTimesNewRomanOrItsMetricTwinEverywhere() {
    for (const QWidget* widget : visibleControls()) {
        QCOMPARE(widget->font().family(), QStringLiteral("Times New Roman"));
        QCOMPARE(widget->font().pointSize(), 12);
        const QString resolved = QFontInfo(widget->font()).family();
        QVERIFY2(resolved == QStringLiteral("Times New Roman") ||
                     resolved == QStringLiteral("Liberation Serif"),
                 qPrintable(resolved));
    }
}

void QuizFormLookTest::centresTheLabelCaptions() {
    for (const char* name : {"Label1_0", "Label1_1"}) {
        const QLabel* label = control<QLabel>(name);
        const auto [first, last] = inkColumns(image_, label);
        QVERIFY2(last > first, name);
        const int leftMargin = first;
        const int rightMargin = label->width() - 1 - last;
        QVERIFY2(
            std::abs(leftMargin - rightMargin) <= 2,
            qPrintable(QStringLiteral("%1: %2 / %3").arg(name).arg(leftMargin).arg(rightMargin)));
    }
}

void QuizFormLookTest::keepsEveryControlInside() {
    const QList<QWidget*> controls = visibleControls();
    QCOMPARE(controls.size(), 8);
    for (const QWidget* control : controls) {
        QVERIFY2(form_->rect().contains(control->geometry()), qPrintable(control->objectName()));
    }
}

void QuizFormLookTest::namesEveryControlForScreenReaders() {
    const QMap<QString, QAccessible::Role> roles{
        {"Label1_0", QAccessible::StaticText},   {"Label1_1", QAccessible::StaticText},
        {"Option1_0", QAccessible::RadioButton}, {"Option1_1", QAccessible::RadioButton},
        {"List1_0", QAccessible::List},          {"List1_1", QAccessible::List},
        {"Command1", QAccessible::Button},       {"Text1_0", QAccessible::EditableText},
    };
    QSet<QString> names;
    for (QWidget* widget : visibleControls()) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(accessible);
        const QString name = accessible->text(QAccessible::Name);
        QVERIFY2(!name.isEmpty(), qPrintable(widget->objectName()));
        QCOMPARE(accessible->role(), roles.value(widget->objectName()));
        names.insert(name);
    }
    QCOMPARE(names.size(), roles.size()); // no two controls announced alike
}

void QuizFormLookTest::showsItsTextsExactly() {
    QVERIFY(form_->windowTitle().startsWith(QStringLiteral("https://")));
    QVERIFY(form_->windowTitle().endsWith(
        QStringLiteral(".org Информатика - реални и генерирани данни")));
    QCOMPARE(control<QLabel>("Label1_0")->text(), QStringLiteral("тест на Велмор - разпознаване"));
    QCOMPARE(control<QLabel>("Label1_1")->text(),
             QStringLiteral("Изберете списъка с реални данни!"));
    QCOMPARE(control<QRadioButton>("Option1_0")->text(), QStringLiteral("Твърдо да"));
    QCOMPARE(control<QRadioButton>("Option1_1")->text(), QStringLiteral("Може би"));
    QCOMPARE(control<QPushButton>("Command1")->text(), QStringLiteral("Чисти"));

    // Seven lines of about a thousand characters, each ended by CR LF.
    const QString text =
        QString::fromUtf8(introduction().data(), static_cast<qsizetype>(introduction().size()));
    QVERIFY(text.endsWith(QStringLiteral("\r\n")));
    const QStringList lines = text.chopped(2).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 7);
    QVERIFY(!text.contains(QRegularExpression(QStringLiteral("[^\r]\n"))));
    QCOMPARE(lines[1], QStringLiteral("Поток 1 представлява реален курс на валута."));
    QCOMPARE(lines[2], QStringLiteral("Поток 2 представлява правдоподобно изглеждащи, автоматично "
                                      "генерирани данни за същата валута."));
    QVERIFY2(std::abs(text.size() - 1000) <= 50, qPrintable(QString::number(text.size())));
}

QTEST_MAIN(QuizFormLookTest)
#include "quiz_form_look_test.moc"

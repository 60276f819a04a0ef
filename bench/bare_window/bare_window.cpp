// The baseline for the start-up benchmark: a bare Qt 6 window with the quiz window's widgets,
// places and texts, and nothing else: no quiz, no colours, fonts, styles, icons or options.

#include <QApplication>
#include <QButtonGroup>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int kItems = 43;
constexpr int kTextLines = 7;

QString filler() {
    QString text;
    for (int line = 0; line < kTextLines; ++line) {
        text += QString::fromUtf8("Поток 1 представлява реален курс на валута. ").repeated(3);
        text += QStringLiteral("\r\n");
    }
    return text;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QString::fromUtf8("Информатика - реални и генерирани данни"));
    window.setFixedSize(485, 353);

    auto* title = new QLabel(QString::fromUtf8("тест на Велмор - разпознаване"), &window);
    title->setGeometry(88, 0, 305, 25);
    auto* prompt = new QLabel(QString::fromUtf8("Изберете списъка с реални данни!"), &window);
    prompt->setGeometry(120, 40, 249, 25);

    auto* group = new QButtonGroup(&window);
    const QString captions[] = {QString::fromUtf8("Твърдо да"), QString::fromUtf8("Може би")};
    const QRect options[] = {{120, 64, 121, 25}, {248, 64, 121, 25}};
    const QRect lists[] = {{128, 88, 113, 99}, {248, 88, 121, 99}};
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(captions[i], &window);
        option->setGeometry(options[i]);
        group->addButton(option, i);
        auto* list = new QListWidget(&window);
        list->setObjectName(QStringLiteral("List1_%1").arg(i));
        list->setGeometry(lists[i]);
        for (int item = 0; item < kItems; ++item) {
            list->addItem(QStringLiteral("1.%1").arg(47766 + item));
        }
    }
    auto* button = new QPushButton(QString::fromUtf8("Чисти"), &window);
    button->setGeometry(192, 192, 121, 27);
    auto* text = new QPlainTextEdit(filler(), &window);
    text->setGeometry(16, 224, 449, 121);

    window.show();
    return QApplication::exec();
}

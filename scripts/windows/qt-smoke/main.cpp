// A window with Cyrillic text that tells, in its console, which platform plugin and style Qt
// loaded; it closes itself after the milliseconds given as its argument (default: stays open).
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QStyle>
#include <QTimer>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel label(QString::fromUtf8("Реални или генерирани данни"));
    QFont font = label.font();
    font.setPointSize(24);
    label.setFont(font);
    label.setMargin(24);
    label.setWindowTitle(QString::fromUtf8("Проба на Qt за Windows"));
    label.show();

    std::printf("platform=%s style=%s font=%s\n", qPrintable(QApplication::platformName()),
                qPrintable(QApplication::style()->name()), qPrintable(label.fontInfo().family()));
    std::fflush(stdout);

    if (argc > 1) {
        bool ok = false;
        const int quitAfterMs = QString::fromLocal8Bit(argv[1]).toInt(&ok);
        if (!ok || quitAfterMs <= 0) {
            std::fprintf(stderr, "qt_smoke: the argument is a time in milliseconds\n");
            return 2;
        }
        QTimer::singleShot(quitAfterMs, &app, &QApplication::quit);
    }
    return app.exec();
}

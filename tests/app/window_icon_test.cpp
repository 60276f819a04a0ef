// The window icon arrives once the window has been painted, and then on every window.

#include "app/window_icon.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

class WindowIconTest : public QObject {
    Q_OBJECT

private slots:
    void comesWithTheFirstFrame() {
        QTemporaryDir directory;
        const QString file = directory.filePath(QStringLiteral("32.png"));
        QImage image(32, 32, QImage::Format_ARGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(file));

        QWidget window;
        quiz::setWindowIconAfterFirstFrame(window, file);
        QCoreApplication::processEvents();
        QVERIFY(QApplication::windowIcon().isNull()); // not before the window is up

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(!QApplication::windowIcon().isNull());
        QCOMPARE(window.windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
        QCOMPARE(window.windowIcon().pixmap(32).toImage().pixelColor(16, 16), QColor(Qt::red));
    }
};

QTEST_MAIN(WindowIconTest)
#include "window_icon_test.moc"

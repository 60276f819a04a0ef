// The class chart and the projector view driven offscreen: the picture appears with the
// answers, is saved as a PNG, and the projector shows no pupil's name.

#include "core/results/class_file_name.h"
#include "tests/support/class_rows.h"
#include "tests/support/find_control.h"
#include "window/common/warning_colour.h"
#include "window/teacher/chart_png.h"
#include "window/teacher/class_chart.h"
#include "window/teacher/projector_view.h"
#include "window/teacher/teacher_window.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace quiz;

namespace {

const QByteArray kHeader = kClassHeader;
const QStringList kNames = {QStringLiteral("Мария Петрова"), QStringLiteral("Иван"),
                            QStringLiteral("PC07")};

// A row the quiz could have written, the first turn of seed `seed`.
QByteArray row(int seed, bool right, const QString& pupil, int level) {
    return dealtRow(seed, right, pupil, level, seed % 60);
}

// The file the pupil's run on PC07 writes.
QString fileFor(const QTemporaryDir& folder, const QString& pupil) {
    return folder.filePath(
        QString::fromStdString(classFileName(pupil.toStdString(), "PC07", 0)));
}

// Two pupils at levels 0 and 2, the second mostly wrong.
void writeClass(const QTemporaryDir& folder) {
    for (int pupil = 0; pupil < 2; ++pupil) {
        QFile file(fileFor(folder, kNames[pupil]));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QByteArray bytes = kHeader;
        for (int turn = 1; turn <= 12; ++turn) {
            const int seed = pupil * 100 + turn;
            bytes += row(seed, pupil == 0 || turn % 4 == 0, kNames[pupil], turn <= 6 ? 0 : 2);
        }
        QVERIFY(file.write(bytes) == bytes.size());
    }
}

bool read(TeacherWindow& window) {
    window.refresh();
    return QTest::qWaitFor([&] { return !window.reading(); });
}

int pixelsOf(const QImage& image, const QColor& colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

// Every text the widget and its children show or tell a screen reader.
QStringList textsIn(const QWidget& widget) {
    QStringList texts{widget.windowTitle(), widget.accessibleName(),
                      widget.accessibleDescription(), widget.toolTip()};
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        texts << label->text();
    }
    if (const auto* table = qobject_cast<const QTableWidget*>(&widget)) {
        for (int row = 0; row < table->rowCount(); ++row) {
            for (int column = 0; column < table->columnCount(); ++column) {
                texts << table->item(row, column)->text() << table->item(row, column)->toolTip();
            }
        }
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(&widget)) {
        for (int item = 0; item < combo->count(); ++item) {
            texts << combo->itemText(item);
        }
    }
    for (const QWidget* child : widget.findChildren<QWidget*>()) {
        if (child->parentWidget() == &widget) {
            texts << textsIn(*child);
        }
    }
    return texts;
}

} // namespace

class ClassChartTest : public QObject {
    Q_OBJECT

private slots:
    void appearsWithTheClassesAnswers() {
        QTemporaryDir folder;
        TeacherWindow window(folder.path(), NumberStyle{});
        QVERIFY(read(window));
        auto* chart = findControl<ClassChart>(window, "classChart");
        QVERIFY(!chart->hasAnswers());
        const QColor mark =
            ClassChart::markColour(chart->palette().color(QPalette::Highlight),
                                   chart->palette().color(QPalette::Window));
        QCOMPARE(pixelsOf(chart->image({800, 350}), mark), 0);

        writeClass(folder);
        QVERIFY(read(window));
        QVERIFY(chart->hasAnswers());
        QCOMPARE(chart->accessibleDescription(),
                 QStringLiteral("ниво 0: 7 от 12 верни (58.3\u00A0%); "
                                "ниво 2: 8 от 12 верни (66.7\u00A0%)"));
        // Two bars and a line of two blocks: a good share of the picture is in their colour.
        QVERIFY(pixelsOf(chart->image({800, 350}), mark) > 800 * 350 / 50);
    }

    void savesTheChartAsAPng() {
        QTemporaryDir folder;
        writeClass(folder);
        TeacherWindow window(folder.path(), NumberStyle{});
        QVERIFY(read(window));
        QTemporaryDir out;
        const QString path = out.filePath(QStringLiteral("клас.png"));
        const QSize shownSize = findControl<ClassChart>(window, "classChart")->size();
        QVERIFY(window.saveChart(path));
        const QImage saved(path);
        QCOMPARE(saved.size(), QSize(1600, 700));
        const auto* chart = findControl<ClassChart>(window, "classChart");
        const QColor mark =
            ClassChart::markColour(chart->palette().color(QPalette::Highlight),
                                   chart->palette().color(QPalette::Window));
        QVERIFY(pixelsOf(saved, mark) > 1600 * 700 / 50);
        QCOMPARE(chart->size(), shownSize); // the window's chart keeps its own size

        // Nowhere to write: a reason, and nothing left behind.
        const QString nowhere = out.filePath(QStringLiteral("няма/клас.png"));
        QVERIFY(!writePng(saved, nowhere).isEmpty());
        QVERIFY(!QFile::exists(nowhere));
        // A folder under that name: written aside, then not put in its place.
        const QString folderNamed = out.filePath(QStringLiteral("папка.png"));
        QVERIFY(QDir().mkpath(folderNamed));
        QVERIFY(!writePng(saved, folderNamed).isEmpty());
        QVERIFY(QFileInfo(folderNamed).isDir());
        QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList{QStringLiteral("клас.png")});
    }

    void theProjectorShowsNoNames() {
        QTemporaryDir folder;
        writeClass(folder);
        TeacherWindow window(folder.path(), NumberStyle{});
        QVERIFY(read(window));
        ProjectorView* projector = window.showProjector();
        QVERIFY(projector->font().pointSizeF() > window.font().pointSizeF() * 1.5);
        auto* table = findControl<QTableWidget>(*projector, "projectorPupils");
        QCOMPARE(table->rowCount(), 2);
        QVERIFY(!table->isSortingEnabled()); // no ranking
        QStringList pupils{table->item(0, 0)->text(), table->item(1, 0)->text()};
        pupils.sort();
        QCOMPARE(pupils, (QStringList{QStringLiteral("Ученик 1"), QStringLiteral("Ученик 2")}));
        QVERIFY(findControl<QLabel>(*projector, "projectorTotals")
                    ->text()
                    .contains(QStringLiteral("отговори: 24")));
        QVERIFY(findControl<ClassChart>(*projector, "classChart")->hasAnswers());
        const QString shown = textsIn(*projector).join(u'\n');
        for (const QString& name : kNames) {
            QVERIFY2(!shown.contains(name), qPrintable(name));
        }

        // A newcomer gets the next number; the numbers already given stay.
        const QString first = table->item(0, 0)->text();
        const QString firstAnswers = table->item(0, 1)->text();
        QFile late(fileFor(folder, QStringLiteral("Ана")));
        QVERIFY(late.open(QIODevice::WriteOnly));
        late.write(kHeader + row(500, true, QStringLiteral("Ана"), 1));
        late.close();
        QVERIFY(read(window));
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(table->item(0, 0)->text(), first);
        QCOMPARE(table->item(0, 1)->text(), firstAnswers);
        QCOMPARE(table->item(2, 0)->text(), QStringLiteral("Ученик 3"));
        QVERIFY(!textsIn(*projector).join(u'\n').contains(QStringLiteral("Ана")));

        findControl<QComboBox>(*projector, "pupilsShown")->setCurrentIndex(1);
        QVERIFY(!table->isVisibleTo(projector));
        QCOMPARE(table->rowCount(), 0);
        QVERIFY(read(window));
        QCOMPARE(table->rowCount(), 0);
        projector->setPupils(ProjectorView::Pupils::Numbered);
        QCOMPARE(table->rowCount(), 3);
    }

    // A dark theme: the text, axes and whiskers come from the palette, never a fixed black.
    void drawsInTheColoursOfADarkPalette() {
        QTemporaryDir folder;
        writeClass(folder);
        TeacherWindow window(folder.path(), NumberStyle{});
        QVERIFY(read(window));
        auto* chart = findControl<ClassChart>(window, "classChart");
        QPalette dark = chart->palette();
        dark.setColor(QPalette::Window, QColor(30, 30, 30));
        dark.setColor(QPalette::WindowText, QColor(235, 235, 235));
        dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
        chart->setPalette(dark);
        const QImage image = chart->image({1000, 450});
        image.save(QDir::temp().filePath(QStringLiteral("class_chart_dark.png")));
        QVERIFY(pixelsOf(image, QColor(235, 235, 235)) > 1000);
        QVERIFY(pixelsOf(image, QColor(42, 130, 218)) > 1000 * 450 / 50);
        QCOMPARE(pixelsOf(image, Qt::black), 0);
    }

    void marksStandOutOnLightAndDarkBackgrounds() {
        const struct {
            QColor highlight, background;
        } cases[] = {
            {QColor(48, 140, 198), QColor(239, 239, 239)}, // Fusion's light palette
            {QColor(42, 130, 218), QColor(53, 53, 53)},    // a common dark palette
            {QColor(240, 240, 240), Qt::white},            // a highlight lost on the background
            {QColor(20, 20, 20), Qt::black},
            {QColor(20, 20, 20), QColor(30, 30, 30)},
        };
        for (const auto& c : cases) {
            const QColor mark = ClassChart::markColour(c.highlight, c.background);
            QVERIFY2(contrastRatio(mark, c.background) >= 3.0, qPrintable(mark.name()));
            QVERIFY(contrastRatio(warningColour(c.background), c.background) >= 4.5);
        }
    }
};

QTEST_MAIN(ClassChartTest)
#include "class_chart_test.moc"

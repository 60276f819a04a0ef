#include "window/teacher/teacher_window.h"

#include "core/level.h"
#include "window/common/scrolling_window.h"
#include "window/common/share_string.h"
#include "window/common/summary_table.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace quiz {

namespace {

// Network shares often send no change notices, so the folder is read on a timer as well.
constexpr int kRefreshMilliseconds = 3000;
constexpr QSize kPreferredSize{900, 700};

constexpr const char* kTitle = "Класът – реални и генерирани данни";
constexpr const char* kFolder = "Папка на класа: %1. Обновено в %2.";
constexpr const char* kFolderMissing =
    "Папката %1 не е достъпна в момента (%2). Показаното е от последното четене; "
    "опитвам отново на всеки няколко секунди.";
constexpr const char* kTotals = "Целият клас: %1, %2, %3 верни (%4). "
                                "%5 от %6 се справят по-добре от налучкването.";
constexpr const char* kYes = "да";
constexpr const char* kNo = "не";
constexpr const char* kNothingSkipped = "Всички редове са прочетени.";

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

// Shown as text, sorted by the number behind it.
class NumberItem : public QTableWidgetItem {
public:
    NumberItem(const QString& text, double value) : QTableWidgetItem(text) {
        setData(Qt::UserRole, value);
        setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    bool operator<(const QTableWidgetItem& other) const override {
        return data(Qt::UserRole).toDouble() < other.data(Qt::UserRole).toDouble();
    }
};

QTableWidget* table(const char* name, const char* accessibleName, const QStringList& headers,
                    QWidget* parent) {
    QTableWidget* widget = summaryTable(name, accessibleName, headers, parent);
    widget->horizontalHeader()->setStretchLastSection(true);
    return widget;
}

// "1 ученик", "2 ученици": Bulgarian nouns after a count.
QString counted(int count, const char* one, const char* many) {
    return QString::number(count) + u' ' + utf8(count == 1 ? one : many);
}

QString joined(const std::vector<int>& levels) {
    QStringList texts;
    for (const int level : levels) {
        texts << QString::number(level);
    }
    return texts.join(QStringLiteral(", "));
}

QString joined(const std::vector<std::string>& names) {
    QStringList texts;
    for (const std::string& name : names) {
        texts << QString::fromStdString(name);
    }
    return texts.join(QStringLiteral(", "));
}

void setRow(QTableWidget* widget, int row, const QList<QTableWidgetItem*>& items) {
    for (int column = 0; column < items.size(); ++column) {
        widget->setItem(row, column, items[column]);
    }
}

} // namespace

TeacherWindow::TeacherWindow(const QString& folder, NumberStyle style, QWidget* parent)
    : QWidget(parent), folder_(folder), style_(std::move(style)) {
    setObjectName(QStringLiteral("TeacherWindow"));
    setWindowTitle(utf8(kTitle));

    auto* content = new QWidget;
    status_ = new QLabel(content);
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);
    pupils_ = table("pupils", "Ученици",
                    {utf8("Ученик"), utf8("Отговори"), utf8("Верни"), utf8("Точност"),
                     utf8("Най-дълга серия"), utf8("Трудност"), utf8("Данни"),
                     utf8("Шанс при налучкване"), utf8("Не е случайно")},
                    content);
    pupils_->setSortingEnabled(true);
    // A long name is cut with an ellipsis rather than pushing the figures out of sight.
    pupils_->horizontalHeader()->setMaximumSectionSize(fontMetrics().averageCharWidth() * 32);
    totals_ = new QLabel(content);
    totals_->setObjectName(QStringLiteral("totals"));
    totals_->setWordWrap(true);
    byLevel_ = table("byLevel", "Класът по трудност",
                     {utf8("Трудност"), utf8("Отговори"), utf8("Верни"), utf8("Точност")}, content);
    byCurrency_ =
        table("byCurrency", "Класът по валути",
              {utf8("Валута"), utf8("Отговори"), utf8("Верни"), utf8("Точност")}, content);
    skipped_ = new QPlainTextEdit(content);
    skipped_->setObjectName(QStringLiteral("skipped"));
    skipped_->setAccessibleName(utf8("Пропуснати файлове и редове"));
    skipped_->setReadOnly(true);
    skipped_->setTabChangesFocus(true);
    skipped_->setMaximumHeight(fontMetrics().height() * 6);

    auto* plain = new QPushButton(utf8("Запиши като CSV…"), content);
    plain->setObjectName(QStringLiteral("exportPlain"));
    auto* excel = new QPushButton(utf8("Запиши за Excel…"), content);
    excel->setObjectName(QStringLiteral("exportExcel"));
    connect(plain, &QPushButton::clicked, this, [this] { askAndExport(ExportForm::Plain); });
    connect(excel, &QPushButton::clicked, this,
            [this] { askAndExport(ExportForm::BulgarianExcel); });

    auto* layout = new QVBoxLayout(content);
    layout->addWidget(status_);
    layout->addWidget(pupils_, 2);
    layout->addWidget(totals_);
    auto* tables = new QHBoxLayout;
    tables->addWidget(byLevel_);
    tables->addWidget(byCurrency_);
    layout->addLayout(tables, 1);
    layout->addWidget(new QLabel(utf8("Пропуснато:"), content));
    layout->addWidget(skipped_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(plain);
    buttons->addWidget(excel);
    layout->addLayout(buttons);

    scrollInWindow(*this, content, kPreferredSize);

    timer_ = new QTimer(this);
    timer_->setInterval(kRefreshMilliseconds);
    connect(timer_, &QTimer::timeout, this, &TeacherWindow::refresh);
    timer_->start();
    watcher_ = new QFileSystemWatcher({folder}, this);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &TeacherWindow::refresh);
    refresh();
}

void TeacherWindow::refresh() {
    const QString now = QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss"));
    if (!folder_.refresh()) {
        status_->setText(utf8(kFolderMissing).arg(folder_.path(), now));
        return;
    }
    if (!watcher_->directories().contains(folder_.path())) {
        watcher_->addPath(folder_.path()); // back after an unplugged share
    }
    status_->setText(utf8(kFolder).arg(folder_.path(), now));
    showPupils();
    showClass();
    showSkipped();
}

void TeacherWindow::showPupils() {
    const std::vector<PupilSummary> pupils = folder_.results().pupils();
    // Sorting moves rows as they are set: off while filling, then back as the teacher left it.
    pupils_->setSortingEnabled(false);
    pupils_->setRowCount(static_cast<int>(pupils.size()));
    for (int row = 0; row < static_cast<int>(pupils.size()); ++row) {
        const PupilSummary& pupil = pupils[static_cast<std::size_t>(row)];
        setRow(pupils_, row,
               {new QTableWidgetItem(QString::fromStdString(pupil.pupil)),
                new NumberItem(QString::number(pupil.answered), pupil.answered),
                new NumberItem(QString::number(pupil.right), pupil.right),
                new NumberItem(shareOf(pupil.right, pupil.answered, style_), pupil.accuracy),
                new NumberItem(QString::number(pupil.bestStreak), pupil.bestStreak),
                new QTableWidgetItem(joined(pupil.levels)),
                new QTableWidgetItem(joined(pupil.data)),
                new NumberItem(shareString(pupil.guessingChance, style_), pupil.guessingChance),
                new QTableWidgetItem(utf8(pupil.beatsGuessing ? kYes : kNo))});
    }
    pupils_->setSortingEnabled(true);
}

void TeacherWindow::showClass() {
    const ClassSummary summary = folder_.results().summary();
    totals_->setText(utf8(kTotals).arg(
        counted(summary.pupils, "ученик", "ученици"),
        counted(summary.total.answered, "отговор", "отговора"),
        QString::number(summary.total.correct),
        shareOf(summary.total.correct, summary.total.answered, style_),
        QString::number(summary.pupilsBeatingGuessing), QString::number(summary.pupils)));
    byLevel_->setRowCount(0);
    for (int level = 0; level < kLevelCount; ++level) {
        const Tally& tally = summary.levels[static_cast<std::size_t>(level)];
        if (tally.answered == 0) {
            continue;
        }
        const int row = byLevel_->rowCount();
        byLevel_->insertRow(row);
        setRow(byLevel_, row,
               {new QTableWidgetItem(QString::fromUtf8(levelName(level))),
                new NumberItem(QString::number(tally.answered), tally.answered),
                new NumberItem(QString::number(tally.correct), tally.correct),
                new NumberItem(shareOf(tally.correct, tally.answered, style_), 0)});
    }
    byCurrency_->setRowCount(static_cast<int>(summary.currencies.size()));
    for (int row = 0; row < static_cast<int>(summary.currencies.size()); ++row) {
        const auto& [code, tally] = summary.currencies[static_cast<std::size_t>(row)];
        setRow(byCurrency_, row,
               {new QTableWidgetItem(QString::fromStdString(code)),
                new NumberItem(QString::number(tally.answered), tally.answered),
                new NumberItem(QString::number(tally.correct), tally.correct),
                new NumberItem(shareOf(tally.correct, tally.answered, style_), 0)});
    }
}

void TeacherWindow::showSkipped() {
    QStringList lines = folder_.unreadable();
    for (const Skipped& skipped : folder_.results().skipped()) {
        lines << QString::fromStdString(skippedText(skipped));
    }
    const QString text = lines.isEmpty() ? utf8(kNothingSkipped) : lines.join(u'\n');
    if (skipped_->toPlainText() != text) {
        skipped_->setPlainText(text);
    }
}

bool TeacherWindow::exportTo(const QString& path, ExportForm form) {
    const std::string bytes = exportCsv(folder_.results().pupils(), form);
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) &&
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
            static_cast<qint64>(bytes.size()) &&
        file.commit()) {
        return true;
    }
    QMessageBox::warning(this, utf8("Файлът не е записан"),
                         utf8("Не може да се запише %1: %2").arg(path, file.errorString()));
    return false;
}

void TeacherWindow::askAndExport(ExportForm form) {
    const QString path = QFileDialog::getSaveFileName(
        this, utf8("Запиши класа"), QDir::home().filePath(QStringLiteral("клас.csv")),
        utf8("CSV (*.csv)"));
    if (!path.isEmpty()) {
        exportTo(path, form);
    }
}

} // namespace quiz

#include "window/teacher/teacher_window.h"

#include "core/turns/level.h"
#ifdef QUIZ_HAVE_XLSX
#include "core/class/class_workbook.h"
#endif
#include "service/words/level_words.h"
#include "window/common/scrolling_window.h"
#include "window/common/share_string.h"
#include "window/common/summary_table.h"
#include "service/words/utf8_string.h"
#include "window/help/help_window.h"
#include "window/teacher/chart_png.h"
#include "window/teacher/class_chart.h"
#include "window/teacher/export_words.h"
#include "window/teacher/lesson_panel.h"
#include "window/teacher/network_panel.h"
#include "window/teacher/projector_view.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStyle>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace quiz {

namespace {

// Network shares often send no change notices, so the folder is read on a timer as well.
constexpr int kRefreshMilliseconds = 3000;
constexpr QSize kPreferredSize{900, 700};

constexpr const char* kTitle = "Класът – реални и генерирани данни";
constexpr const char* kFolder = "Папка на класа: %1. Обновено в %2.";
constexpr const char* kFirstReading = "Чета папката на класа %1…";
constexpr const char* kFolderEmptied =
    "Папката %1 изведнъж е празна, а в нея имаше файлове (%2) – може би мрежовият дял е "
    "откачен. Показаното е от последното четене; опитвам отново на всеки няколко секунди.";
constexpr const char* kFolderMissing =
    "Папката %1 не е достъпна в момента (%2). Показаното е от последното четене; "
    "опитвам отново на всеки няколко секунди.";
constexpr const char* kTotals = "Целият клас: %1, %2, %3 верни (%4).";
// Said only once some pupil has answered above level 0, where guessing can be judged.
constexpr const char* kBeatingGuessing =
    " По-добре от налучкването се справят %1 от %2 с отговори над ниво 0.";
constexpr const char* kNoVerdict = "—"; // answers at level 0 only
constexpr const char* kNotCounted = "Не са броени или не могат да се проверят:";
constexpr const char* kYes = "да";
constexpr const char* kNo = "не";
constexpr const char* kNothingSkipped = "Всички редове са прочетени.";
// The class chart a little larger than the tables: the picture to discuss.
constexpr double kChartType = 1.25;
// Wide enough for a projector, with type to match (the chart scales its type to the height).
constexpr QSize kPngSize{1600, 700};
constexpr const char* kReachedSoFar = "засега %1 (%2 от %3 обръщания)";
constexpr const char* kReachedTip =
    "Средно от последните %1 обръщания на трудността във всичките му пускания „според ученика“";
constexpr const char* kReachedMeanSoFarTip =
    "Още няма %1 обръщания на трудността: засега средно от последните %2";
constexpr const char* kReachedLatestTip =
    "Още няма две обръщания на трудността: засега това е нивото на последния отговор";
constexpr const char* kHolmTip =
    "Поправено за броя на проверените ученици по метода на Холм (Holm–Bonferroni): дори в клас "
    "само от налучкващи поне един излиза „да“ най-много в 5 % от случаите";

// Which pupil a row is, so that the selection follows the pupil when rows move. Equal cells
// keep the order the rows are filled in, by name and computer: Qt's sort is stable.
constexpr int kPupilRole = Qt::UserRole + 1;

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

// A name and a computer, as one key: a unit separator cannot be typed into either.
QString pupilKey(const PupilSummary& pupil) {
    return QString::fromStdString(pupil.pupil) + u'\x1F' + QString::fromStdString(pupil.host);
}

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

// The reached level, and how much it rests on; a pupil who never played adaptively sorts first.
QTableWidgetItem* reachedItem(const std::optional<ReachedLevel>& reached,
                              const NumberStyle& style) {
    if (!reached) {
        return new NumberItem(utf8(kNoVerdict), -1.0);
    }
    const QString number = QString::fromStdString(reachedLevelText(reached->level, style));
    if (reached->settled()) {
        auto* item = new NumberItem(number, reached->level);
        item->setToolTip(utf8(kReachedTip).arg(kReversalsAveraged));
        return item;
    }
    auto* item = new NumberItem(utf8(kReachedSoFar).arg(number, QString::number(reached->reversals),
                                                        QString::number(kReversalsAveraged)),
                                reached->level);
    const int averaged = reached->reversals / 2 * 2;
    item->setToolTip(averaged == 0 ? utf8(kReachedLatestTip)
                                   : utf8(kReachedMeanSoFarTip).arg(kReversalsAveraged).arg(averaged));
    return item;
}

// What a header needs to show its words whole, without the sort mark.
int headerTextWidth(const QTableWidget& widget, int column) {
    const QHeaderView& header = *widget.horizontalHeader();
    const int margin = header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
    int widest = 0;
    for (const QString& line : widget.horizontalHeaderItem(column)->text().split(u'\n')) {
        widest = std::max(widest, header.fontMetrics().horizontalAdvance(line));
    }
    return widest + 2 * margin;
}

void setRow(QTableWidget* widget, int row, const QList<QTableWidgetItem*>& items) {
    for (int column = 0; column < items.size(); ++column) {
        widget->setItem(row, column, items[column]);
    }
}

} // namespace

TeacherWindow::TeacherWindow(const QString& folder, NumberStyle style, const QString& author,
                             std::optional<SealKeys> keys, QWidget* parent)
    : QWidget(parent), path_(folder), style_(std::move(style)) {
    setObjectName(QStringLiteral("TeacherWindow"));
    setWindowTitle(utf8(kTitle));

    // Made in the order the keyboard's focus is to pass through them.
    auto* content = new QWidget;
    buildStatusLine(content);
    lesson_ = new LessonPanel(folder, author, {}, keys ? keys->publicKey : std::string(), content);
    buildPupilsTable(content);
    buildClassSummary(content);
    buildSkippedNotes(content);
    QHBoxLayout* buttons = buildButtons(content);
    layOut(content, buttons);
    scrollInWindow(*this, content, kPreferredSize);

    startReading(std::move(keys));
    // Before the first answers the headers alone set the widths, sort mark included.
    fitColumns();
    refresh();
}

void TeacherWindow::buildStatusLine(QWidget* content) {
    status_ = new QLabel(utf8(kFirstReading).arg(path_), content);
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);
}

void TeacherWindow::buildPupilsTable(QWidget* content) {
    pupils_ =
        table("pupils", "Ученици",
              {utf8("Ученик"), utf8("Компютър"), utf8("Отговори"), utf8("Верни"), utf8("Точност"),
               utf8("Серия"), utf8("Трудност"), utf8("Данни"), utf8("Шанс"), utf8("Не е\nслучайно"),
               utf8("Ниво")},
              content);
    const QStringList headerTips = {
        {},
        {},
        {},
        {},
        {},
        utf8("Най-дългата поредица от верни отговори"),
        {},
        {},
        utf8("Шанс при налучкване: колко вероятно е толкова верни отговори от ниво 1 нагоре "
             "да се дължат на случайност"),
        utf8("Дали отговорите от ниво 1 нагоре са по-добри от налучкването (ниво 0 не се "
             "брои: там се вижда с един поглед). ") +
            utf8(kHolmTip),
        utf8("Достигнато ниво при трудност „според ученика“: средното ниво, около което ученикът се е "
             "задържал, от ходовете, дадени според него, във всичките му пускания; „—“, ако "
             "трудността никога не се е променяла според него")};
    for (int column = 0; column < headerTips.size(); ++column) {
        pupils_->horizontalHeaderItem(column)->setToolTip(headerTips[column]);
    }
    // The teacher can widen any column; a long name is cut, and shown whole as a tooltip.
    pupils_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    pupils_->setSortingEnabled(true);
    pupils_->sortByColumn(0, Qt::AscendingOrder);
}

// The totals line, the chart and the tables by level and by currency.
void TeacherWindow::buildClassSummary(QWidget* content) {
    totals_ = new QLabel(content);
    totals_->setObjectName(QStringLiteral("totals"));
    totals_->setWordWrap(true);
    chart_ = new ClassChart(style_, content);
    QFont chartFont = chart_->font();
    chartFont.setPointSizeF(chartFont.pointSizeF() * kChartType);
    chart_->setFont(chartFont);
    byLevel_ = table("byLevel", "Класът по трудност",
                     {utf8("Трудност"), utf8("Отговори"), utf8("Верни"), utf8("Точност")}, content);
    // The level's long name gives way (elided, whole in its tooltip), so that the counts stay
    // in view at the window's opening width.
    byLevel_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    byCurrency_ =
        table("byCurrency", "Класът по валути",
              {utf8("Валута"), utf8("Отговори"), utf8("Верни"), utf8("Точност")}, content);
}

void TeacherWindow::buildSkippedNotes(QWidget* content) {
    skipped_ = new QPlainTextEdit(content);
    skipped_->setObjectName(QStringLiteral("skipped"));
    skipped_->setAccessibleName(utf8("Неброени и пропуснати файлове и редове"));
    skipped_->setReadOnly(true);
    skipped_->setTabChangesFocus(true);
    skipped_->setMaximumHeight(fontMetrics().height() * 6);
}

// The projector and the picture on the left, the exports on the right.
QHBoxLayout* TeacherWindow::buildButtons(QWidget* content) {
    auto* plain = new QPushButton(utf8("Запиши като CSV…"), content);
    plain->setObjectName(QStringLiteral("exportPlain"));
    auto* excel = new QPushButton(utf8("Запиши за Excel…"), content);
    excel->setObjectName(QStringLiteral("exportExcel"));
    auto* png = new QPushButton(utf8("Запиши като PNG…"), content);
    png->setObjectName(QStringLiteral("savePng"));
    connect(png, &QPushButton::clicked, this, &TeacherWindow::askAndSaveChart);
    auto* projector = new QPushButton(utf8("За проектор"), content);
    projector->setObjectName(QStringLiteral("projector"));
    projector->setToolTip(utf8("Класът на голям шрифт, с графиката и общите числа; "
                               "учениците с номера или скрити, никога с имена"));
    connect(projector, &QPushButton::clicked, this, &TeacherWindow::showProjector);
    connect(plain, &QPushButton::clicked, this, [this] { askAndExport(ExportForm::Plain); });
    connect(excel, &QPushButton::clicked, this,
            [this] { askAndExport(ExportForm::BulgarianExcel); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(projector);
    buttons->addWidget(png);
    buttons->addStretch();
    buttons->addWidget(plain);
    buttons->addWidget(excel);
    buttons->addWidget(addHelpButton(*this, content));
    return buttons;
}

NetworkPanel* TeacherWindow::offerNetworkLesson(HostingSwitch& hosting, const QString& teacher,
                                               LessonAnnouncer* announcer) {
    if (network_) {
        return network_;
    }
    auto* content = lesson_->parentWidget();
    network_ = new NetworkPanel(hosting, teacher, QFileInfo(path_).fileName(), announcer, content);
    auto* layout = static_cast<QVBoxLayout*>(content->layout());
    layout->insertWidget(layout->indexOf(lesson_) + 1, network_);
    QWidget::setTabOrder(lesson_, network_);
    connect(network_, &NetworkPanel::folderLessonChosen, lesson_,
            [this] { lesson_->setFocus(Qt::OtherFocusReason); });
    return network_;
}

void TeacherWindow::layOut(QWidget* content, QHBoxLayout* buttons) {
    auto* layout = new QVBoxLayout(content);
    layout->addWidget(status_);
    layout->addWidget(lesson_);
    layout->addWidget(pupils_, 2);
    layout->addWidget(totals_);
    layout->addWidget(chart_, 2);
    auto* tables = new QHBoxLayout;
    tables->addWidget(byLevel_);
    tables->addWidget(byCurrency_);
    layout->addLayout(tables, 1);
    layout->addWidget(new QLabel(utf8("Неброено и пропуснато:"), content));
    layout->addWidget(skipped_);
    layout->addLayout(buttons);
}

// The folder may be a slow share or hold a huge stray file: it is read on its own thread, at
// once, on a timer and whenever the system says it changed.
void TeacherWindow::startReading(std::optional<SealKeys> keys) {
    thread_ = new QThread(this);
    reader_ = new ClassFolderReader(path_, std::move(keys));
    reader_->moveToThread(thread_);
    connect(thread_, &QThread::finished, reader_, &QObject::deleteLater);
    connect(reader_, &ClassFolderReader::viewRead, this, &TeacherWindow::display);
    thread_->start();

    timer_ = new QTimer(this);
    timer_->setInterval(kRefreshMilliseconds);
    connect(timer_, &QTimer::timeout, this, &TeacherWindow::refresh);
    timer_->start();
    watcher_ = new QFileSystemWatcher({path_}, this);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &TeacherWindow::refresh);
}

TeacherWindow::~TeacherWindow() {
    thread_->quit();
    thread_->wait();
}

void TeacherWindow::refresh() {
    // A few bytes, read here: someone else's change is shown at once.
    lesson_->refresh();
    if (reading_) {
        again_ = true;
        return;
    }
    reading_ = true;
    QMetaObject::invokeMethod(reader_, &ClassFolderReader::read, Qt::QueuedConnection);
}

void TeacherWindow::display(const std::shared_ptr<const ClassView>& view) {
    reading_ = false;
    const QString now = QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss"));
    switch (view->state) {
    case ClassFolder::State::Missing:
        status_->setText(utf8(kFolderMissing).arg(QDir::toNativeSeparators(path_), now));
        break;
    case ClassFolder::State::Emptied:
        status_->setText(utf8(kFolderEmptied).arg(QDir::toNativeSeparators(path_), now));
        break;
    case ClassFolder::State::Read:
        if (!watcher_->directories().contains(path_)) {
            watcher_->addPath(path_); // back after an unplugged share
        }
        status_->setText(utf8(kFolder).arg(QDir::toNativeSeparators(path_), now));
        view_ = view;
        showPupils();
        showClass();
        showNotes();
        break;
    }
    if (again_) {
        again_ = false;
        refresh();
    }
    emit shown();
}

void TeacherWindow::showPupils() {
    const std::vector<PupilSummary>& pupils = view_->pupils;
    const QList<QTableWidgetItem*> selected = pupils_->selectedItems();
    const QString selectedPupil =
        selected.isEmpty() ? QString()
                           : pupils_->item(selected.front()->row(), 0)->data(kPupilRole).toString();
    // Sorting moves rows as they are set: off while filling, then back as the teacher left it.
    pupils_->setSortingEnabled(false);
    pupils_->setRowCount(static_cast<int>(pupils.size()));
    for (int row = 0; row < static_cast<int>(pupils.size()); ++row) {
        const PupilSummary& pupil = pupils[static_cast<std::size_t>(row)];
        const QString name = QString::fromStdString(pupil.pupil);
        auto* nameItem = new QTableWidgetItem(name);
        nameItem->setData(kPupilRole, pupilKey(pupil));
        nameItem->setToolTip(name);
        const bool judged = pupil.judgedAnswered > 0;
        auto* hostItem = new QTableWidgetItem(QString::fromStdString(pupil.host));
        hostItem->setToolTip(hostItem->text());
        setRow(
            pupils_, row,
            {nameItem, hostItem,
             new NumberItem(QString::number(pupil.answered), pupil.answered),
             new NumberItem(QString::number(pupil.right), pupil.right),
             new NumberItem(shareOf(pupil.right, pupil.answered, style_), pupil.accuracy),
             new NumberItem(QString::number(pupil.bestStreak), pupil.bestStreak),
             new QTableWidgetItem(joined(pupil.levels)), new QTableWidgetItem(joined(pupil.data)),
             // No verdict sorts after every chance.
             new NumberItem(judged ? shareString(pupil.guessingChance, style_) : utf8(kNoVerdict),
                            judged ? pupil.guessingChance : 2.0),
             new QTableWidgetItem(utf8(!judged               ? kNoVerdict
                                       : pupil.beatsGuessing ? kYes
                                                             : kNo)),
             reachedItem(pupil.reached, style_)});
    }
    pupils_->setSortingEnabled(true);
    if (!widthsSet_ && !pupils.empty()) {
        fitColumns();
        widthsSet_ = true;
    }
    for (int row = 0; row < pupils_->rowCount() && !selectedPupil.isEmpty(); ++row) {
        if (pupils_->item(row, 0)->data(kPupilRole).toString() == selectedPupil) {
            pupils_->selectRow(row);
            break;
        }
    }
}

// Widths to the contents once, the name and the data cut to a few words, so that every column
// fits 1024 pixels; after that they stay as the teacher sets them.
void TeacherWindow::fitColumns() {
    constexpr int kNameCharacters = 16;
    constexpr int kHostCharacters = 10;
    constexpr int kDataCharacters = 14;
    // The fit passes over a stretched last column, which would keep the default width where
    // there is no room to stretch into.
    pupils_->horizontalHeader()->setStretchLastSection(false);
    pupils_->resizeColumnsToContents();
    const int character = fontMetrics().averageCharWidth();
    for (const auto& [column, characters] :
         {std::pair{0, kNameCharacters}, {1, kHostCharacters}, {7, kDataCharacters}}) {
        // Cut the contents, never the header's words: „Компютър“ is wider than ten average
        // letters. Room for the sort mark only where it shows, or 900 pixels hold too little.
        const int most = std::max(character * characters, headerTextWidth(*pupils_, column));
        pupils_->setColumnWidth(column, std::min(pupils_->columnWidth(column), most));
    }
    pupils_->horizontalHeader()->setStretchLastSection(true);
}

void TeacherWindow::showClass() {
    const ClassSummary& summary = view_->summary;
    chart_->showClass(summary);
    if (projector_) {
        projector_->showClass(summary, view_->pupils);
    }
    QString totals = utf8(kTotals).arg(counted(summary.pupils, "ученик", "ученици"),
                                       counted(summary.total.answered, "отговор", "отговора"),
                                       QString::number(summary.total.correct),
                                       shareOf(summary.total.correct, summary.total.answered, style_));
    if (summary.pupilsJudged > 0) {
        totals += utf8(kBeatingGuessing)
                      .arg(QString::number(summary.pupilsBeatingGuessing),
                           counted(summary.pupilsJudged, "ученик", "ученици"));
    }
    totals_->setText(totals);
    totals_->setToolTip(summary.pupilsJudged > 0 ? utf8(kHolmTip) : QString());
    fillMeasuringOnce(*byLevel_, [&] { showLevels(summary); });
    fillMeasuringOnce(*byCurrency_, [&] { showCurrencies(summary); });
}

void TeacherWindow::showLevels(const ClassSummary& summary) {
    byLevel_->setRowCount(0);
    for (int level = 0; level < kLevelCount; ++level) {
        const Tally& tally = summary.levels[static_cast<std::size_t>(level)];
        if (tally.answered == 0) {
            continue;
        }
        const int row = byLevel_->rowCount();
        byLevel_->insertRow(row);
        auto* name = new QTableWidgetItem(levelName(level));
        name->setToolTip(name->text());
        setRow(byLevel_, row,
               {name,
                new NumberItem(QString::number(tally.answered), tally.answered),
                new NumberItem(QString::number(tally.correct), tally.correct),
                new NumberItem(shareOf(tally.correct, tally.answered, style_), 0)});
    }
}

void TeacherWindow::showCurrencies(const ClassSummary& summary) {
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

void TeacherWindow::showNotes() {
    QStringList lines;
    if (!view_->notCounted.isEmpty()) {
        lines << utf8(kNotCounted) << view_->notCounted << QString();
    }
    lines << view_->skipped;
    const QString text = lines.isEmpty() ? utf8(kNothingSkipped) : lines.join(u'\n').trimmed();
    if (skipped_->toPlainText() != text) {
        skipped_->setPlainText(text);
    }
}

#ifdef QUIZ_HAVE_XLSX
namespace {

// The workbook as bytes: the library writes it into a folder of its own (its name plain ASCII,
// which every system's fopen takes), so that the file asked for is replaced in one step.
QByteArray workbookBytes(const std::vector<PupilSummary>& pupils, QString& error) {
    const QTemporaryDir scratch;
    const QString written = scratch.filePath(QStringLiteral("class.xlsx"));
    const std::string failure =
        scratch.isValid() ? writeClassWorkbook(pupils, excelExportWords(),
                                               QDir::toNativeSeparators(written).toStdString(),
                                               QDir::toNativeSeparators(scratch.path()).toStdString())
                          : scratch.errorString().toStdString();
    QFile file(written);
    if (!failure.empty() || !file.open(QIODevice::ReadOnly)) {
        error = failure.empty() ? file.errorString() : QString::fromStdString(failure);
        return {};
    }
    return file.readAll();
}

} // namespace
#endif

bool TeacherWindow::exportTo(const QString& path, ExportForm form) {
    const std::vector<PupilSummary> pupils = view_ ? view_->pupils : std::vector<PupilSummary>();
    QString target = path;
    QByteArray bytes;
    QString error;
#ifdef QUIZ_HAVE_XLSX
    const ExcelTarget excel = excelTarget(path.toStdString());
    if (form == ExportForm::BulgarianExcel && !excel.csv) {
        target = QString::fromStdString(excel.name);
        bytes = workbookBytes(pupils, error);
    }
#endif
    if (bytes.isEmpty() && error.isEmpty()) {
        const std::string csv = exportCsv(pupils, form, excelExportWords());
        bytes = QByteArray(csv.data(), static_cast<qsizetype>(csv.size()));
    }
    QSaveFile file(target);
    if (error.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
        file.commit()) {
        return true;
    }
    QMessageBox::warning(this, utf8("Файлът не е записан"),
                         utf8("Не може да се запише %1: %2")
                             .arg(target, error.isEmpty() ? file.errorString() : error));
    return false;
}

void TeacherWindow::askAndExport(ExportForm form) {
#ifdef QUIZ_HAVE_XLSX
    const bool workbook = form == ExportForm::BulgarianExcel;
#else
    const bool workbook = false;
#endif
    const QString path = QFileDialog::getSaveFileName(
        this, utf8("Запиши класа"),
        QDir::home().filePath(workbook ? QStringLiteral("клас.xlsx") : QStringLiteral("клас.csv")),
        workbook ? utf8("Excel (*.xlsx);;CSV (*.csv)") : utf8("CSV (*.csv)"));
    if (!path.isEmpty()) {
        exportTo(path, form);
    }
}

bool TeacherWindow::saveChart(const QString& path) {
    const QString error = writePng(chart_->image(kPngSize), path);
    if (error.isEmpty()) {
        return true;
    }
    QMessageBox::warning(this, utf8("Файлът не е записан"),
                         utf8("Не може да се запише %1: %2").arg(path, error));
    return false;
}

void TeacherWindow::askAndSaveChart() {
    const QString path = QFileDialog::getSaveFileName(
        this, utf8("Запиши графиката"), QDir::home().filePath(QStringLiteral("клас.png")),
        utf8("PNG (*.png)"));
    if (!path.isEmpty()) {
        saveChart(path);
    }
}

ProjectorView* TeacherWindow::showProjector() {
    if (!projector_) {
        // A new order of numbers each time the teacher window opens: a number tells nothing
        // from one lesson to the next.
        projector_ = new ProjectorView(style_, QRandomGenerator::system()->generate64(), this);
        projector_->setWindowFlag(Qt::Window);
        if (view_) {
            projector_->showClass(view_->summary, view_->pupils);
        }
    }
    projector_->showMaximized();
    projector_->raise();
    projector_->activateWindow();
    return projector_;
}

} // namespace quiz

#include "window/classroom/statistics_window.h"

#include "core/quiz/option_captions.h"
#include "core/scoring/guessing_chance.h"
#include "core/turns/level.h"
#include "service/words/level_words.h"
#include "window/classroom/reveal_chart.h"
#include "window/common/scrolling_window.h"
#include "window/common/share_string.h"
#include "window/common/summary_table.h"
#include "service/words/utf8_string.h"
#include "window/common/warning_colour.h"

#include <QDir>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quiz {

namespace {

constexpr const char* kTitle = "Статистика – реални и генерирани данни";
constexpr const char* kAnswered = "Отговорени ходове:";
constexpr const char* kCorrect = "Верни отговори:";
constexpr const char* kAccuracy = "Точност:";
constexpr const char* kStreaks = "Верни отговори подред:";
constexpr const char* kStreaksValue = "сега %1, най-много %2";
constexpr const char* kReached = "Достигнато ниво:";
constexpr const char* kReachedValue = "%1 (средно от последните %2 обръщания на трудността)";
// Until then a lucky stretch would weigh too much: the teacher's view says the same.
constexpr const char* kReachedSoFar = "засега %1 (%2 от %3 обръщания на трудността)";
constexpr const char* kNotReachedYet = "още няма: трудността още не се е променяла";
// What it would like; on a small screen it opens smaller and scrolls.
constexpr QSize kPreferredSize{640, 780};
// Beside the quiz on a 1024-pixel screen, or on 1920 at twice the scale.
constexpr int kLeastWidth = 440;
constexpr int kRowPadding = 8;

constexpr const char* kNoAnswersYet = "Още няма отговори. След първия тук ще видите колко "
                                      "вероятен е такъв резултат при чисто налучкване.";
constexpr const char* kAtLevel = "На трудност %1: ";
constexpr const char* kChance = "Ако човек само налучква, шансът да познае поне %1 от %2 е %3.";
constexpr const char* kUnlikelyByChance =
    "Толкова добър резултат рядко се получава случайно: изглежда, че различавате реалните данни.";
constexpr const char* kLikelyByChance =
    "Такъв резултат лесно се получава и случайно, така че още не личи, че различавате "
    "реалните данни.";

constexpr const char* kTurnOpen = "Ход %1: графиката ще се покаже след отговора.";
constexpr const char* kTurnAnswered = "Ход %1: реалните данни бяха под „%2“.";
constexpr const char* kEcbSource = "Източник: ЕЦБ (Европейската централна банка), референтни "
                                   "курсове: единици валута за 1 евро, от %1 до %2.";
constexpr const char* kFileSource = "Данните са от файла на учителя, от %1 до %2.";
constexpr const char* kRounded = "Стойностите с повече знаци след десетичната запетая, "
                                 "отколкото побира списъкът, са закръглени до %1 знака.";
constexpr const char* kSeed = "Начално число на тегленето: %1. Същите ходове дава "
                              "„realdataquiz %2“.";
constexpr const char* kSeedAfterTheAnswer =
    "Началното число на тегленето ще се покаже след отговора.";
constexpr const char* kLog = "Отговорите се записват във файла %1.";
constexpr const char* kNoLog = "Отговорите не се записват във файл.";

QString chanceSentence(const NumberStyle& style, const Tally& tally) {
    const double chance = guessingChance(tally.correct, tally.answered);
    return utf8(kChance).arg(QString::number(tally.correct), QString::number(tally.answered),
                             shareString(chance, style)) +
           u' ' + utf8(beatsGuessing(chance) ? kUnlikelyByChance : kLikelyByChance);
}

int levelsPlayed(const Scoreboard& score) {
    int played = 0;
    for (int level = 0; level < kLevelCount; ++level) {
        played += score.level(level).answered > 0 ? 1 : 0;
    }
    return played;
}

// Its rows as tall as the text needs, and the first column taking what room is left.
QTableWidget* statisticsTable(const char* name, const char* accessibleName,
                              const QStringList& headers, QWidget* parent) {
    QTableWidget* table = summaryTable(name, accessibleName, headers, parent);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + kRowPadding);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return table;
}

// As tall as its rows, so the window's scrolling is the only scrolling; hidden while empty.
void fillTable(QTableWidget* table, const QList<QStringList>& rows) {
    table->setVisible(!rows.isEmpty());
    table->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows[row].size(); ++column) {
            auto* item = new QTableWidgetItem(rows[row][column]);
            if (column > 0) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            table->setItem(row, column, item);
        }
    }
    table->setFixedHeight(table->horizontalHeader()->sizeHint().height() +
                          table->rowCount() * table->verticalHeader()->defaultSectionSize() +
                          2 * table->frameWidth());
}

QLabel* wrappedLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QString sourceSentence(const Turn& turn) {
    if (turn.firstDate.empty()) {
        return {};
    }
    const char* sentence = turn.source == DataKind::Ecb ? kEcbSource : kFileSource;
    const QString source = utf8(sentence).arg(QString::fromStdString(turn.firstDate),
                                              QString::fromStdString(turn.lastDate));
    if (turn.roundedTo == 0) {
        return source;
    }
    return source + u' ' + utf8(kRounded).arg(turn.roundedTo);
}

} // namespace

StatisticsWindow::StatisticsWindow(NumberStyle style, QWidget* parent)
    : QWidget(parent, Qt::Window), style_(std::move(style)) {
    setObjectName(QStringLiteral("StatisticsWindow"));
    setWindowTitle(utf8(kTitle));

    auto* content = new QWidget;
    auto* form = new QFormLayout;
    answered_ = addFigure(form, kAnswered, "answered");
    correct_ = addFigure(form, kCorrect, "correct");
    accuracy_ = addFigure(form, kAccuracy, "accuracy");
    streaks_ = addFigure(form, kStreaks, "streaks");
    reached_ = addFigure(form, kReached, "reachedLevel");
    reachedCaption_ = qobject_cast<QLabel*>(form->labelForField(reached_));
    hideReachedLevel();
    chance_ = wrappedLabel("chance", content);
    byLevel_ = statisticsTable(
        "byLevel", "Резултати по трудност",
        {utf8("Трудност"), utf8("Отговори"), utf8("Верни"), utf8("Шанс при налучкване")}, content);
    byCurrency_ = statisticsTable("byCurrency", "Резултати по валути",
                                  {utf8("Валута"), utf8("Отговори"), utf8("Верни")}, content);
    turnHeading_ = wrappedLabel("turnHeading", content);
    chart_ = new RevealChart(style_, content);
    chart_->setObjectName(QStringLiteral("revealChart"));
    explanation_ = wrappedLabel("explanation", content);
    seed_ = wrappedLabel("seed", content);
    log_ = wrappedLabel("log", content);
    logWarning_ = wrappedLabel("logWarning", content);
    lesson_ = wrappedLabel("lesson", content);
    lessonWarning_ = wrappedLabel("lessonWarning", content);
    QPalette warning = logWarning_->palette();
    warning.setColor(QPalette::WindowText, warningColour(warning.color(QPalette::Window)));
    for (QLabel* label : {logWarning_, lessonWarning_, lesson_}) {
        label->hide();
    }
    logWarning_->setPalette(warning);
    lessonWarning_->setPalette(warning);

    auto* layout = new QVBoxLayout(content);
    // First, so a warning that opens the window is seen without scrolling.
    layout->addWidget(logWarning_);
    layout->addWidget(lessonWarning_);
    layout->addLayout(form);
    layout->addWidget(chance_);
    layout->addWidget(byLevel_);
    layout->addWidget(byCurrency_);
    layout->addWidget(turnHeading_);
    layout->addWidget(chart_, 1);
    layout->addWidget(explanation_);
    layout->addWidget(seed_);
    layout->addWidget(log_);
    layout->addWidget(lesson_);

    scrollInWindow(*this, content, kPreferredSize);

    new QShortcut(QKeySequence::Cancel, this, this, &QWidget::close);
    showScore(Scoreboard{}, 0);
}

QSize StatisticsWindow::preferredSize() {
    return kPreferredSize;
}

int StatisticsWindow::leastWidth() {
    return kLeastWidth;
}

QLabel* StatisticsWindow::addFigure(QFormLayout* form, const char* caption, const char* name) {
    auto* value = new QLabel(this);
    value->setObjectName(QString::fromUtf8(name));
    auto* label = new QLabel(utf8(caption), this);
    label->setBuddy(value);
    form->addRow(label, value);
    return value;
}

// Counts stand in Bulgarian sentences, where a group separator would read as a decimal one.
void StatisticsWindow::showScore(const Scoreboard& score, int level) {
    const Tally& total = score.total();
    answered_->setText(QString::number(total.answered));
    correct_->setText(QString::number(total.correct));
    accuracy_->setText(shareOf(total.correct, total.answered, style_));
    streaks_->setText(
        utf8(kStreaksValue)
            .arg(QString::number(score.currentStreak()), QString::number(score.bestStreak())));

    const Tally& atLevel = score.level(level);
    if (atLevel.answered == 0) {
        chance_->setText(utf8(kNoAnswersYet));
    } else {
        const QString prefix =
            levelsPlayed(score) > 1 ? utf8(kAtLevel).arg(QString::number(level)) : QString();
        chance_->setText(prefix + chanceSentence(style_, atLevel));
    }

    QList<QStringList> levels;
    for (int played = 0; played < kLevelCount; ++played) {
        if (const Tally& tally = score.level(played); tally.answered > 0) {
            levels.append({levelName(played), QString::number(tally.answered),
                           QString::number(tally.correct),
                           shareString(guessingChance(tally.correct, tally.answered), style_)});
        }
    }
    fillTable(byLevel_, levels);
    QList<QStringList> currencies;
    for (const auto& [name, tally] : score.currencies()) {
        currencies.append({QString::fromStdString(name), QString::number(tally.answered),
                           QString::number(tally.correct)});
    }
    fillTable(byCurrency_, currencies);
}

void StatisticsWindow::showReachedLevel(const std::optional<ReachedLevel>& reached) {
    if (!reached) {
        reached_->setText(utf8(kNotReachedYet));
    } else {
        const QString level = QString::fromStdString(reachedLevelText(reached->level, style_));
        const QString needed = QString::number(kReversalsAveraged);
        reached_->setText(reached->settled()
                              ? utf8(kReachedValue).arg(level, needed)
                              : utf8(kReachedSoFar).arg(level, QString::number(reached->reversals),
                                                        needed));
    }
    reached_->show();
    reachedCaption_->show();
}

void StatisticsWindow::hideReachedLevel() {
    reached_->hide();
    reachedCaption_->hide();
}

void StatisticsWindow::showTurn(const Turn& turn, int turnNumber, bool answered) {
    const QString number = QString::number(turnNumber);
    if (answered) {
        const std::string_view caption =
            kOptionCaptions.at(static_cast<std::size_t>(turn.RealSide));
        turnHeading_->setText(utf8(kTurnAnswered).arg(number, QString::fromUtf8(caption)));
        chart_->showTurn(turn);
        const QString source = sourceSentence(turn);
        explanation_->setText(levelExplanation(turn.level) +
                              (source.isEmpty() ? QString() : u' ' + source));
    } else {
        turnHeading_->setText(utf8(kTurnOpen).arg(number));
        chart_->clearTurn();
        explanation_->clear();
    }
    explanation_->setVisible(answered);
}

void StatisticsWindow::showRepeat(std::uint32_t seed, const QString& options) {
    // Unformatted, so it can be typed back in as it stands.
    seed_->setText(utf8(kSeed).arg(QString::number(seed), options));
    seed_->show();
}

void StatisticsWindow::showRepeatAfterTheAnswer() {
    seed_->setText(utf8(kSeedAfterTheAnswer));
    seed_->show();
}

void StatisticsWindow::hideRepeat() {
    seed_->clear();
    seed_->hide();
}

void StatisticsWindow::showLog(const QString& path) {
    log_->setText(path.isEmpty() ? utf8(kNoLog)
                                 : utf8(kLog).arg(QDir::toNativeSeparators(path)));
}

void StatisticsWindow::showLogWarning(const QString& warning) {
    logWarning_->setText(warning);
    logWarning_->setVisible(!warning.isEmpty());
}

void StatisticsWindow::showLesson(const QString& settings, const QString& warning) {
    lesson_->setText(settings);
    lesson_->setVisible(!settings.isEmpty());
    lessonWarning_->setText(warning);
    lessonWarning_->setVisible(!warning.isEmpty());
}

} // namespace quiz

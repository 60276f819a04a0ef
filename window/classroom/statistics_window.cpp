#include "window/classroom/statistics_window.h"

#include "core/catalogue.h"
#include "core/guessing_chance.h"
#include "core/option_captions.h"
#include "core/share_text.h"
#include "window/classroom/reveal_chart.h"

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
constexpr const char* kNoValue = "—";
constexpr QSize kInitialSize{640, 780};
constexpr int kRowPadding = 8;
constexpr std::array kTableHeaders{"Валута", "Отговори", "Верни"};

constexpr const char* kNoAnswersYet = "Още няма отговори. След първия тук ще видите колко "
                                      "вероятен е такъв резултат при чисто налучкване.";
constexpr const char* kChance = "Ако човек само налучква, шансът да познае поне %1 от %2 е %3.";
constexpr const char* kUnlikelyByChance =
    "Толкова добър резултат рядко се получава случайно: изглежда, че различавате реалните данни.";
constexpr const char* kLikelyByChance =
    "Такъв резултат лесно се получава и случайно, така че още не личи, че различавате "
    "реалните данни.";

constexpr const char* kTurnOpen = "Ход %1: графиката ще се покаже след отговора.";
constexpr const char* kTurnAnswered = "Ход %1: реалните данни бяха под „%2“.";
constexpr const char* kSeed = "Начално число на тегленето: %1. Същите ходове дава "
                              "„realdataquiz --seed %1“.";
constexpr const char* kLog = "Отговорите се записват във файла %1.";
constexpr const char* kNoLog = "Отговорите не се записват във файл.";

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

QString shareString(double share, const NumberStyle& style) {
    return QString::fromStdString(shareText(share, style));
}

QString chanceSentence(const NumberStyle& style, const Tally& total) {
    if (total.answered == 0) {
        return utf8(kNoAnswersYet);
    }
    const double chance = guessingChance(total.correct, total.answered);
    return utf8(kChance).arg(QString::number(total.correct), QString::number(total.answered),
                             shareString(chance, style)) +
           u' ' + utf8(beatsGuessing(chance) ? kUnlikelyByChance : kLikelyByChance);
}

QTableWidget* currencyTable(QWidget* parent) {
    auto* table = new QTableWidget(kSeriesCount, static_cast<int>(kTableHeaders.size()), parent);
    table->setObjectName(QStringLiteral("byCurrency"));
    table->setAccessibleName(utf8("Резултати по валути"));
    QStringList headers;
    for (const char* header : kTableHeaders) {
        headers << utf8(header);
    }
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    // A summary to read, not to edit; screen readers reach it through the window's tree.
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + kRowPadding);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int row = 0; row < kSeriesCount; ++row) {
        table->setItem(
            row, 0,
            new QTableWidgetItem(QString::fromUtf8(currencyCatalogue().byNumber(row + 1).name)));
    }
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setFixedHeight(table->horizontalHeader()->sizeHint().height() +
                          kSeriesCount * table->verticalHeader()->defaultSectionSize() +
                          2 * table->frameWidth());
    return table;
}

void setCount(QTableWidget* table, int row, int column, const QString& count) {
    auto* item = new QTableWidgetItem(count);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table->setItem(row, column, item);
}

QLabel* wrappedLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

StatisticsWindow::StatisticsWindow(NumberStyle style, QWidget* parent)
    : QWidget(parent, Qt::Window), style_(std::move(style)) {
    setObjectName(QStringLiteral("StatisticsWindow"));
    setWindowTitle(utf8(kTitle));
    resize(kInitialSize);

    auto* form = new QFormLayout;
    answered_ = addFigure(form, kAnswered, "answered");
    correct_ = addFigure(form, kCorrect, "correct");
    accuracy_ = addFigure(form, kAccuracy, "accuracy");
    streaks_ = addFigure(form, kStreaks, "streaks");
    chance_ = wrappedLabel("chance", this);
    byCurrency_ = currencyTable(this);
    turnHeading_ = wrappedLabel("turnHeading", this);
    chart_ = new RevealChart(style_, this);
    chart_->setObjectName(QStringLiteral("revealChart"));
    seed_ = wrappedLabel("seed", this);
    log_ = wrappedLabel("log", this);
    logWarning_ = wrappedLabel("logWarning", this);
    QPalette warning = logWarning_->palette();
    warning.setColor(QPalette::WindowText, Qt::darkRed);
    logWarning_->setPalette(warning);
    logWarning_->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(chance_);
    layout->addWidget(byCurrency_);
    layout->addWidget(turnHeading_);
    layout->addWidget(chart_, 1);
    layout->addWidget(seed_);
    layout->addWidget(log_);
    layout->addWidget(logWarning_);

    new QShortcut(QKeySequence::Cancel, this, this, &QWidget::close);
    showScore(Scoreboard{});
}

QLabel* StatisticsWindow::addFigure(QFormLayout* form, const char* caption, const char* name) {
    auto* value = new QLabel(this);
    value->setObjectName(QString::fromUtf8(name));
    auto* label = new QLabel(utf8(caption), this);
    label->setBuddy(value);
    form->addRow(label, value);
    return value;
}

QString StatisticsWindow::shareOf(int part, int whole) const {
    return whole == 0 ? utf8(kNoValue) : shareString(double(part) / whole, style_);
}

// Counts stand in Bulgarian sentences, where a group separator would read as a decimal one.
void StatisticsWindow::showScore(const Scoreboard& score) {
    const Tally& total = score.total();
    answered_->setText(QString::number(total.answered));
    correct_->setText(QString::number(total.correct));
    accuracy_->setText(shareOf(total.correct, total.answered));
    streaks_->setText(
        utf8(kStreaksValue)
            .arg(QString::number(score.currentStreak()), QString::number(score.bestStreak())));
    chance_->setText(chanceSentence(style_, total));
    for (int row = 0; row < kSeriesCount; ++row) {
        const Tally& tally = score.currency(row + 1);
        setCount(byCurrency_, row, 1, QString::number(tally.answered));
        setCount(byCurrency_, row, 2, QString::number(tally.correct));
    }
}

void StatisticsWindow::showTurn(const Turn& turn, int turnNumber, bool answered) {
    const QString number = QString::number(turnNumber);
    if (answered) {
        const std::string_view caption =
            kOptionCaptions.at(static_cast<std::size_t>(turn.RealSide));
        turnHeading_->setText(utf8(kTurnAnswered).arg(number, QString::fromUtf8(caption)));
        chart_->showTurn(turn);
    } else {
        turnHeading_->setText(utf8(kTurnOpen).arg(number));
        chart_->clearTurn();
    }
}

void StatisticsWindow::showSource(std::uint32_t seed, const QString& logPath) {
    // Unformatted, so it can be typed back in as it stands.
    seed_->setText(utf8(kSeed).arg(seed));
    log_->setText(logPath.isEmpty() ? utf8(kNoLog) : utf8(kLog).arg(logPath));
}

void StatisticsWindow::showLogWarning(const QString& warning) {
    logWarning_->setText(warning);
    logWarning_->setVisible(!warning.isEmpty());
}

} // namespace quiz

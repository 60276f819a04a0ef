#include "window/quiz/quiz_form.h"
#include "service/words/level_words.h"

#include "core/quiz/local_quiz.h"
#include "core/quiz/option_captions.h"
#include "window/help/help_window.h"
#include "window/quiz/caption_fit.h"
#include "window/quiz/introduction.h"

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QFont>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleFactory>
#include <QTextCursor>
#include <QTextDocument>

#include <string_view>

namespace quiz {

namespace {

// The quiz's own address; example.org is reserved, so it can never name someone else's site.
constexpr std::string_view kPublisherAddress = "https://realdataquiz.example.org";
constexpr std::string_view kTitle = "Информатика - реални и генерирани данни";

// The layout is kept in twips as it was drawn. 15 twips make one pixel at 96 dpi; these are
// Qt's logical pixels, which Qt scales on high-DPI screens.
constexpr int kTwipsPerPixel = 15;

constexpr QRect fromTwips(int left, int top, int width, int height) {
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
            height / kTwipsPerPixel};
}

constexpr QSize kClientSize{7275 / kTwipsPerPixel, 5295 / kTwipsPerPixel};
constexpr std::array kLabelGeometry{fromTwips(1320, 0, 4575, 375), fromTwips(1800, 600, 3735, 375)};
constexpr std::array kOptionGeometry{fromTwips(1800, 960, 1815, 375),
                                     fromTwips(3720, 960, 1815, 375)};
constexpr std::array kListGeometry{fromTwips(1920, 1320, 1695, 1485),
                                   fromTwips(3720, 1320, 1815, 1485)};
constexpr QRect kCommandGeometry = fromTwips(2880, 2880, 1815, 405);
constexpr QRect kTextGeometry = fromTwips(240, 3360, 6735, 1815);

constexpr QRgb kBackgroundColour = qRgb(192, 192, 255);
constexpr QRgb kLabelColour = qRgb(255, 192, 128);
constexpr QRgb kOptionColour = qRgb(255, 128, 255);
constexpr QRgb kCommandColour = qRgb(255, 0, 0);
// A locked option must still show what was picked: the style's pale grey vanishes on pink.
constexpr QRgb kLockedTextColour = qRgb(80, 80, 80);
constexpr QRgb kLockedBaseColour = qRgb(235, 235, 235);

constexpr int kFontPointSize = 12;

constexpr std::array<const char*, 2> kLabelCaptions{"тест на Велмор - разпознаване",
                                                    "Изберете списъка с реални данни!"};
constexpr const char* kCommandCaption = "Чисти";

// What a screen reader announces beyond the captions.
constexpr std::array<const char*, 2> kListNames{"Списък под „Твърдо да“", "Списък под „Може би“"};
constexpr const char* kOptionDescription =
    "Изберете, ако списъкът под този бутон съдържа реалните данни";
constexpr const char* kCommandDescription = "Нов ход: нова валута и нови списъци";
constexpr const char* kTextName = "Съобщения";
constexpr const char* kTextDescription = "Въведение, отчет за хода и оценка на избора";
constexpr const char* kStatisticsCaption = "Статистика…";
constexpr const char* kLevelMenuCaption = "Трудност";
constexpr const char* kDataMenuCaption = "Данни";
constexpr const char* kSetByLesson = "Зададено от учителя за урока";
constexpr const char* kJoinCaption = "Присъедини се към урок…";
// In the order of DataKind.
constexpr std::array<const char*, 3> kDataCaptions{"Шестте вградени валути",
                                                   "Курсове на ЕЦБ (вградени)", "Файл с курсове…"};

QString windowCaption() {
    return QString::fromUtf8(kPublisherAddress) + u' ' + QString::fromUtf8(kTitle);
}

void fillBackground(QWidget* widget, QRgb colour) {
    QPalette palette = widget->palette();
    palette.setColor(widget->backgroundRole(), colour); // Button, not Window, for a radio button
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// The quiz's own fills are light in every theme, so their text and a radio button's indicator
// are fixed to match: dark text, a white indicator with a black dot, and a locked option still
// showing what was picked, where the style's pale grey would vanish on pink.
void fixTextColours(QWidget* widget) {
    QPalette palette = widget->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        for (const QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
            palette.setColor(group, role, Qt::black);
        }
        palette.setColor(group, QPalette::Base, Qt::white);
    }
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, kLockedTextColour);
    }
    // Text is the indicator's dot: a locked pick must still show which option it was.
    palette.setColor(QPalette::Disabled, QPalette::Text, Qt::black);
    palette.setColor(QPalette::Disabled, QPalette::Base, kLockedBaseColour);
    widget->setPalette(palette);
}

// Room a control leaves its caption: the indicator of a radio button, the frame of a button.
int captionRoom(const QWidget* widget) {
    constexpr int kFrame = 8;
    if (qobject_cast<const QRadioButton*>(widget)) {
        return widget->width() -
               widget->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, widget) -
               widget->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, widget) -
               kFrame;
    }
    return widget->width() - kFrame;
}

void fitCaption(QWidget* widget, const QString& caption) {
    QFont font = widget->font();
    if (const int size = fittingPointSize(font, caption, captionRoom(widget));
        size < font.pointSize()) {
        font.setPointSize(size);
        widget->setFont(font);
    }
}

// The last line of a transcript, without its line end.
// The lines a transcript gained beyond its first `from` bytes, as one sentence to read out.
QString linesAddedSince(const std::string& transcript, std::size_t from) {
    QString added = QString::fromStdString(transcript.substr(from)).trimmed();
    return added.replace(QStringLiteral("\r\n"), QStringLiteral(". "));
}

QStringList toStringList(const std::vector<std::string>& texts) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(texts.size()));
    for (const std::string& text : texts) {
        list.append(QString::fromStdString(text));
    }
    return list;
}

// Fusion paints a button's palette colour as a pale gradient; the classic Windows style fills
// it solid with a bevelled edge and a dotted focus frame, as a coloured button should look.
void makeSolidButton(QPushButton* button, QRgb colour, QObject* styleOwner) {
    if (QStyle* solid = QStyleFactory::create(QStringLiteral("Windows"))) {
        solid->setParent(styleOwner); // setStyle() does not take ownership
        button->setStyle(solid);
    }
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, colour);
    palette.setColor(QPalette::ButtonText, Qt::black);
    button->setPalette(palette);
}

} // namespace

QuizForm::QuizForm(std::unique_ptr<RandomSource> random, NumberStyle style,
                   std::shared_ptr<const DataSet> data, int level, QWidget* parent)
    : QWidget(parent), model_(std::move(random), std::move(style), std::move(data), level),
      run_(std::make_unique<LocalQuiz>(model_)) {
    setWindowTitle(windowCaption());
    // The controls sit at fixed places, so the window keeps its size.
    setFixedSize(kClientSize);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setFont(QFont(QStringLiteral("Times New Roman"), kFontPointSize));
    fillBackground(this, kBackgroundColour);
    fixTextColours(this);

    createControls();
    orderTabStops();
    createMenus();
    Text1->setFocus(); // first in the tab order, so the window opens on it

    run_->Form_Load(introduction());
    showTurn();
    showOptions();
    showTranscript();
}

void QuizForm::joinLesson(std::unique_ptr<QuizRun> remote) {
    for (QAction* local : {statisticsAction_, levelMenu_->menuAction(), dataMenu_->menuAction(),
                           joinAction_}) {
        local->setVisible(false);
        local->setEnabled(false); // a hidden entry's shortcut would still answer
    }
    run_ = std::move(remote);
    run_->onChanged([this] { showChange(); });
    run_->Form_Load(introduction());
    showChange();
}

void QuizForm::offerJoining() {
    joinAction_->setVisible(run_->isLocal());
}

void QuizForm::showChange() {
    if (run_->lists() != shownLists_) {
        showTurn();
    }
    showOptions();
    showTranscript();
}

void QuizForm::createControls() {
    for (std::size_t i = 0; i < 2; ++i) {
        Label1[i] = new QLabel(QString::fromUtf8(kLabelCaptions[i]), this);
        Label1[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        Label1[i]->setGeometry(kLabelGeometry[i]);
        fitCaption(Label1[i], Label1[i]->text());
        Label1[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        fillBackground(Label1[i], kLabelColour);

        Option1[i] = new QRadioButton(QString::fromUtf8(kOptionCaptions[i]), this);
        Option1[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        Option1[i]->setGeometry(kOptionGeometry[i]);
        fitCaption(Option1[i], Option1[i]->text());
        Option1[i]->setAccessibleDescription(QString::fromUtf8(kOptionDescription));
        fillBackground(Option1[i], kOptionColour);
        fixTextColours(Option1[i]);

        List1[i] = new QListWidget(this);
        List1[i]->setObjectName(QStringLiteral("List1_%1").arg(i));
        List1[i]->setGeometry(kListGeometry[i]);
        List1[i]->setAccessibleName(QString::fromUtf8(kListNames[i]));
    }

    optionGroup_ = new QButtonGroup(this);
    for (std::size_t i = 0; i < 2; ++i) {
        optionGroup_->addButton(Option1[i], static_cast<int>(i));
    }
    // toggled, not clicked: an assistive technology's toggle action checks the option without
    // a click, and must be judged all the same. Unchecking is never a pick.
    connect(optionGroup_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) {
            Option1_Click(id);
        }
    });

    Command1 = new QPushButton(QString::fromUtf8(kCommandCaption), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(kCommandGeometry);
    fitCaption(Command1, Command1->text());
    Command1->setAccessibleDescription(QString::fromUtf8(kCommandDescription));
    makeSolidButton(Command1, kCommandColour, this);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1_0"));
    Text1->setGeometry(kTextGeometry);
    Text1->setReadOnly(true);
    Text1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Text1->setTabChangesFocus(true);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setAccessibleName(QString::fromUtf8(kTextName));
    Text1->setAccessibleDescription(QString::fromUtf8(kTextDescription));
}

void QuizForm::createMenus() {
    statisticsAction_ = new QAction(QString::fromUtf8(kStatisticsCaption), this);
    statisticsAction_->setShortcut(Qt::Key_F2);
    connect(statisticsAction_, &QAction::triggered, this, &QuizForm::statisticsRequested);
    addAction(statisticsAction_);
    addAction(createLevelMenu()->menuAction());
    addAction(createDataMenu()->menuAction());
    joinAction_ = new QAction(QString::fromUtf8(kJoinCaption), this);
    connect(joinAction_, &QAction::triggered, this, &QuizForm::joinRequested);
    joinAction_->setVisible(false);
    addAction(joinAction_);
    addHelpAction(*this);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& position) { showContextMenu(mapToGlobal(position), false); });
    // The text box keeps its own Copy and Select All, with the entries added below them.
    Text1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Text1, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        showContextMenu(Text1->viewport()->mapToGlobal(position), true);
    });
}

QMenu* QuizForm::createContextMenu() {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("contextMenu"));
    QAction* copy = menu->addAction(QCoreApplication::translate("QWidgetTextControl", "&Copy"),
                                    QKeySequence::Copy, Text1, &QPlainTextEdit::copy);
    connect(Text1, &QPlainTextEdit::copyAvailable, copy, &QAction::setEnabled);
    copy->setEnabled(false);
    QAction* selectAll =
        menu->addAction(QCoreApplication::translate("QWidgetTextControl", "Select All"),
                        QKeySequence::SelectAll, Text1, &QPlainTextEdit::selectAll);
    textActions_ = {copy, selectAll, menu->addSeparator()};
    menu->addActions(actions());
    return menu;
}

void QuizForm::showContextMenu(const QPoint& globalPosition, bool inText) {
    // One menu, made once, kept for the window's life: an accessible item is made for each
    // entry the first time a screen reader looks, and stays tied to that entry's first menu.
    // Entries shown in throwaway menus were left pointing at a deleted one.
    if (contextMenu_ == nullptr) {
        contextMenu_ = createContextMenu();
    }
    for (QAction* action : textActions_) {
        action->setVisible(inText);
    }
    contextMenu_->exec(globalPosition);
}

QMenu* QuizForm::createLevelMenu() {
    auto* menu = new QMenu(QString::fromUtf8(kLevelMenuCaption), this);
    menu->setObjectName(QStringLiteral("levelMenu"));
    levelMenu_ = menu;
    auto* group = new QActionGroup(menu);
    for (int level = 0; level < kLevelCount; ++level) {
        QAction* action = menu->addAction(levelName(level));
        action->setCheckable(true);
        action->setChecked(level == model_.chosenLevel());
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, level] {
            chooseLevel(level);
            emit levelChosen(level);
        });
        levelActions_[static_cast<std::size_t>(level)] = action;
    }
    menu->addSeparator();
    adaptiveAction_ = menu->addAction(adaptiveLevelName());
    adaptiveAction_->setCheckable(true);
    adaptiveAction_->setChecked(model_.chosenLevel() == kAdaptiveLevel);
    group->addAction(adaptiveAction_);
    connect(adaptiveAction_, &QAction::triggered, this, [this] {
        chooseLevel(kAdaptiveLevel);
        emit levelChosen(kAdaptiveLevel);
    });
    return menu;
}

QMenu* QuizForm::createDataMenu() {
    auto* menu = new QMenu(QString::fromUtf8(kDataMenuCaption), this);
    menu->setObjectName(QStringLiteral("dataMenu"));
    dataMenu_ = menu;
    auto* group = new QActionGroup(menu);
    for (const DataKind kind : {DataKind::Catalogue, DataKind::Ecb, DataKind::File}) {
        const auto index = static_cast<std::size_t>(kind);
        QAction* action = menu->addAction(QString::fromUtf8(kDataCaptions[index]));
        action->setCheckable(true);
        group->addAction(action);
        // The check moves only once the data is in use, which a file may never be.
        connect(action, &QAction::triggered, this, [this, kind] {
            chooseData(nullptr);
            emit dataRequested(kind);
        });
        dataActions_[index] = action;
    }
    chooseData(nullptr);
    return menu;
}

void QuizForm::chooseLevel(int level) {
    model_.chooseLevel(level);
    (level == kAdaptiveLevel ? adaptiveAction_ : levelActions_.at(static_cast<std::size_t>(level)))
        ->setChecked(true);
}

void QuizForm::chooseData(std::shared_ptr<const DataSet> data) {
    dataActions_[static_cast<std::size_t>(data ? data->kind() : model_.chosenData().kind())]
        ->setChecked(true);
    if (data) {
        model_.chooseData(std::move(data));
        emit dataChosen();
    }
}

void QuizForm::orderTabStops() {
    // The labels take no focus; the rest follow the order the window was designed with.
    const std::array<QWidget*, 6> chain{Text1,      Option1[0], List1[0],
                                        Option1[1], List1[1],   Command1};
    for (std::size_t i = 1; i < chain.size(); ++i) {
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    }
}

void QuizForm::Option1_Click(int Index) {
    const std::size_t before = run_->Transcript().size();
    const bool judged = run_->Option1_Click(Index);
    if (judged) {
        // The options lock now and the next thing to do is a new turn. The focus moves before
        // they lock, so it never stops on a list on the way; and it carries the verdict, which
        // a screen reader then speaks without the user moving.
        Command1->setAccessibleDescription(linesAddedSince(run_->Transcript(), before) +
                                           QStringLiteral(". ") +
                                           QString::fromUtf8(kCommandDescription));
        Command1->setFocus();
    }
    showOptions(); // in step with the model even for a pick it refused
    if (!judged) {
        return;
    }
    showTranscript();
    // The verdict is among the newest lines; keep it in view below a long introduction.
    Text1->verticalScrollBar()->setValue(Text1->verticalScrollBar()->maximum());
    if (run_->isLocal()) {
        emit turnAnswered(Index);
    }
}

void QuizForm::chooseStream(std::unique_ptr<RandomSource> random, std::uint32_t seed) {
    model_.chooseStream(std::move(random), seed);
}

void QuizForm::lockChoices(bool level, bool data) {
    const QString tip = QString::fromUtf8(kSetByLesson);
    levelMenu_->menuAction()->setEnabled(!level);
    levelMenu_->menuAction()->setToolTip(level ? tip : QString());
    dataMenu_->menuAction()->setEnabled(!data);
    dataMenu_->menuAction()->setToolTip(data ? tip : QString());
}

void QuizForm::Command1_Click() {
    const bool local = run_->isLocal();
    if (local) {
        emit turnRequested();
    }
    run_->Command1_Click();
    showTurn();
    showOptions();
    showTranscript();
    // The new turn's report is read out with the option the focus lands on.
    QString report = QString::fromStdString(run_->Transcript()).trimmed();
    report.replace(QStringLiteral("\r\n"), QStringLiteral(". "));
    Option1[0]->setAccessibleDescription(report + QStringLiteral(". ") +
                                         QString::fromUtf8(kOptionDescription));
    Command1->setAccessibleDescription(QString::fromUtf8(kCommandDescription));
    Option1[0]->setFocus(); // ready to pick with Space, or to move on with the arrow keys
    if (local) {
        emit turnStarted();
    }
}

void QuizForm::showTurn() {
    shownLists_ = run_->lists();
    for (std::size_t i = 0; i < 2; ++i) {
        List1[i]->clear();
        List1[i]->addItems(toStringList(shownLists_[i]));
    }
}

void QuizForm::showOptions() {
    // What the program sets here is never a pick, so the group stays silent; and an exclusive
    // group refuses to uncheck its checked button, so exclusivity is released around the reset.
    const QSignalBlocker silence(optionGroup_);
    optionGroup_->setExclusive(false);
    for (std::size_t i = 0; i < 2; ++i) {
        const QuizModel::Option& option = run_->option(static_cast<int>(i));
        Option1[i]->setChecked(option.checked);
        Option1[i]->setEnabled(option.enabled);
    }
    optionGroup_->setExclusive(true);
}

// A verdict is added as one new line, not by rewriting the box, so a screen reader hears the
// line rather than the whole text deleted and inserted again.
void QuizForm::showTranscript() {
    const std::string& transcript = run_->Transcript();
    const auto shown = [](std::string_view text) {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
            .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    };
    if (!shownTranscript_.empty() && transcript.starts_with(shownTranscript_)) {
        QTextCursor end(Text1->document());
        end.movePosition(QTextCursor::End);
        end.insertText(shown(std::string_view(transcript).substr(shownTranscript_.size())));
    } else {
        Text1->setPlainText(shown(transcript));
    }
    shownTranscript_ = transcript;
}

} // namespace quiz

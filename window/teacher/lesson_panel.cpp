#include "window/teacher/lesson_panel.h"

#include "core/data/data_ids.h"
#include "core/lesson/lesson_data_copy.h"
#include "core/platform/file_ops.h"
#include "core/platform/regular_file.h"
#include "core/text/message_text.h"
#include "core/turns/level.h"
#include "service/data/rate_file.h"
#include "service/lesson/lesson_file.h"
#include "service/lesson/lesson_writer.h"
#include "service/words/file_kind_words.h"
#include "service/words/lesson_words.h"
#include "service/words/level_words.h"
#include "service/words/system_reason_words.h"
#include "window/common/rate_file_dialog.h"
#include "service/words/utf8_string.h"
#include "window/common/warning_colour.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QVBoxLayout>

#include <cstring>

namespace quiz {

namespace {

// A name from the file is shown whole up to this many characters.
constexpr qsizetype kShownName = 60;
// Wide enough for a file's name, narrow enough for the window's 900 pixels.
constexpr int kDataCharacters = 28;

// The combo's items hold the data as the settings name it.
constexpr const char* kCatalogue = kCatalogueData;
constexpr const char* kEcb = kEcbData;
constexpr const char* kAdaptive = "auto";
// The data combo's last entries: a teacher's file, and the choice of one.
constexpr const char* kFileItem = "file";
constexpr const char* kChooseItem = "choose";

constexpr const char* kTogetherTip =
    "Всички компютри показват едни и същи ходове: удобно, за да се обсъдят с класа, но "
    "съседите могат да си сверят отговорите.";
constexpr const char* kApplied = "Приложено в %1: %2 Всеки компютър ги взема от следващия си ход.";
constexpr const char* kOnDisk = "В папката: %1 Записано от %2 на %3.";
// Who wrote the file, as the system tells it; what the file says of itself can be forged.
constexpr const char* kOwner = "акаунта „%1“";
constexpr const char* kOwnerSays = "акаунта „%1“ (във файла пише „%2“)";
constexpr const char* kFileSays = "„%1“ (така пише във файла; системата не казва чий е)";
constexpr const char* kNotThisAccount =
    " Внимание: файлът не е записан от акаунта, с който е отворен този изглед (%1) – "
    "може да е подменен от ученик.";
constexpr const char* kNoKey =
    " В папката няма ключ на учителя: пусканията не записват началното си число и не се "
    "проверяват по него, докато не натиснете „Приложи“.";
constexpr const char* kNoOwnKey =
    " Този акаунт няма ключ на учител: пусканията няма да записват началното си число и няма "
    "да се проверяват по него.";
constexpr const char* kOtherKey =
    " Ключът в папката не е на този акаунт: началните числа на новите пускания няма да могат да "
    "се проверят оттук. „Приложи“ записва вашия.";
constexpr const char* kNoneYet =
    "В папката още няма настройки на урока: всеки компютър играе с това, с което е пуснат.";
constexpr const char* kKeepLast = " Учениците продължават с последните си добри настройки.";
constexpr const char* kUnusable = "Настройките на урока в папката не стават: %1.";
constexpr const char* kNotReadable = "%1 не може да се прочете: %2";
constexpr const char* kNotOurs = "Настройките в папката вече не са записаните оттук: %1 "
                                 "„Запиши отново“ записва пак вашите.";
constexpr const char* kNowOthers = "сега са записани от %1 на %2: %3";
constexpr const char* kDeleted = "файлът е изтрит.";
constexpr const char* kNowUnusable = "файлът не става: %1.";
constexpr const char* kNotWritten = "Настройките не са записани: %1: %2";
constexpr const char* kNotCopied = "Файлът с курсове не е копиран в папката: %1: %2";
constexpr const char* kDataGone =
    "Настройките не са записани: файлът %1 вече го няма в папката на класа. Изберете файл "
    "с курсове отново.";
constexpr const char* kNoFreeName = "няма свободно име от %1 до %2";
constexpr const char* kRefused = "Файлът %1 не е приет: %2. Остава предишният избор.";
constexpr const char* kChosen = "Избран е файлът %1: „Приложи“ го копира в папката на класа.";
constexpr const char* kUnknownWriter = "неизвестно кой";

// The settings file as found in the folder.
struct FileOnDisk {
    std::optional<QByteArray> bytes; // none when missing or unreadable
    QString problem;                 // why it could not be read; empty when missing
    QString owner{};                 // the account that owns it, where the system tells
};

FileOnDisk readSettingsFile(const QString& folder) {
    const platform::RegularFile file = readLessonSettingsFile(folder);
    const QString name = QFileInfo(lessonSettingsPath(folder)).fileName();
    switch (file.outcome) {
    case platform::RegularFile::Outcome::Missing:
        return {};
    case platform::RegularFile::Outcome::NotRegular:
        return {std::nullopt,
                name + u' ' + QString::fromStdString(notRegularFile(Wording::Bulgarian))};
    case platform::RegularFile::Outcome::Failed:
        return {std::nullopt,
                utf8(kNotReadable)
                    .arg(name, QString::fromStdString(bulgarianReason(
                                   file.errorNumber, std::strerror(file.errorNumber))))};
    case platform::RegularFile::Outcome::Read:
        break;
    }
    return {QByteArray::fromStdString(file.bytes), {}, QString::fromStdString(file.owner)};
}

LessonRead readBytes(const QByteArray& bytes) {
    return readLessonSettings({bytes.constData(), static_cast<std::size_t>(bytes.size())});
}

// A value from a file, on one line and not endless.
QString shown(const std::string& text) {
    const QString line = QString::fromStdString(scrubControls(text));
    return line.size() > kShownName ? line.left(kShownName) + u'…' : line;
}

QString levelWords(const std::string& level) {
    const std::optional<int> number = levelFromText(level);
    if (!number) {
        return utf8("трудност – своята на всеки компютър");
    }
    return utf8("трудност „%1“")
        .arg(*number == kAdaptiveLevel ? adaptiveLevelName() : levelName(*number));
}

QString settingsWords(const LessonSettings& settings) {
    const QString data = settings.data.empty()
                             ? utf8("данни – своите на всеки компютър")
                             : utf8("данни: %1").arg(lessonDataName(settings.data));
    const QString turns = settings.seed.empty() ? utf8("всеки компютър със свои ходове")
                                                : utf8("еднакви ходове за всички");
    return levelWords(settings.level) + QStringLiteral(", ") + data + QStringLiteral(", ") + turns +
           u'.';
}

QString writtenWhen(const std::string& writtenAt) {
    const QDateTime time = QDateTime::fromString(QString::fromStdString(writtenAt), Qt::ISODate);
    return time.isValid() ? time.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm"))
                          : shown(writtenAt);
}

// Who wrote the settings: the file's owner where the system tells, with what the file says.
QString writtenBy(const LessonSettings& settings, const QString& owner) {
    const QString says =
        settings.writtenBy.empty() ? utf8(kUnknownWriter) : shown(settings.writtenBy);
    if (owner.isEmpty()) {
        return settings.writtenBy.empty() ? says : utf8(kFileSays).arg(says);
    }
    const QString account = shown(owner.toStdString());
    return settings.writtenBy.empty() ? utf8(kOwner).arg(account)
                                      : utf8(kOwnerSays).arg(account, says);
}

// A word when the file is another account's than this view's, or the key is not this view's.
QString warnings(const LessonSettings& settings, const QString& owner, const std::string& key,
                 bool& warn) {
    QString text;
    if (const QString self = QString::fromStdString(platform::currentAccount());
        !owner.isEmpty() && owner != self) {
        text += utf8(kNotThisAccount).arg(shown(self.toStdString()));
        warn = true;
    }
    if (settings.seedKey.empty()) {
        text += utf8(kNoKey);
        warn = true;
    } else if (settings.seedKey != key) {
        text += utf8(kOtherKey);
        warn = true;
    }
    return text;
}

// What the folder holds, for a panel that has written nothing yet.
QString folderText(const FileOnDisk& disk, const LessonRead& read, const std::string& key,
                   bool& warn) {
    if (!disk.problem.isEmpty()) {
        return utf8(kUnusable).arg(disk.problem) + utf8(kKeepLast);
    }
    if (!disk.bytes) {
        return utf8(kNoneYet);
    }
    if (!read.settings) {
        return utf8(kUnusable).arg(lessonProblemText(read.problem, read.arguments)) +
               utf8(kKeepLast);
    }
    return utf8(kOnDisk).arg(settingsWords(*read.settings), writtenBy(*read.settings, disk.owner),
                             writtenWhen(read.settings->writtenAt)) +
           warnings(*read.settings, disk.owner, key, warn);
}

// What became of the file this panel wrote.
QString changeText(const FileOnDisk& disk, const LessonRead& read, const std::string& key) {
    if (!disk.problem.isEmpty()) {
        return disk.problem + u'.';
    }
    if (!disk.bytes) {
        return utf8(kDeleted);
    }
    if (!read.settings) {
        return utf8(kNowUnusable).arg(lessonProblemText(read.problem, read.arguments));
    }
    bool warn = true;
    return utf8(kNowOthers)
               .arg(writtenBy(*read.settings, disk.owner), writtenWhen(read.settings->writtenAt),
                    settingsWords(*read.settings)) +
           warnings(*read.settings, disk.owner, key, warn);
}

// Whether the folder's entry `name` holds exactly `bytes`, something else, or nothing.
FolderEntry entryIn(const QDir& folder, const std::string& name, const QByteArray& bytes) {
    const QFileInfo info(folder.filePath(QString::fromStdString(name)));
    if (!info.exists() && !info.isSymLink()) {
        return FolderEntry::Free;
    }
    if (!info.isFile() || info.size() != bytes.size()) {
        return FolderEntry::OtherBytes;
    }
    QFile file(info.filePath());
    return file.open(QIODevice::ReadOnly) && file.read(bytes.size() + 1) == bytes
               ? FolderEntry::SameBytes
               : FolderEntry::OtherBytes;
}

} // namespace

LessonPanel::LessonPanel(const QString& folder, const QString& author, SeedSource seeds,
                         std::string seedKey, QWidget* parent)
    : QGroupBox(utf8("Урок"), parent), folder_(folder), author_(author),
      seeds_(seeds ? std::move(seeds) : [] { return QRandomGenerator::system()->generate(); }),
      seedKey_(std::move(seedKey)) {
    setObjectName(QStringLiteral("lessonPanel"));

    // Two rows, so that the panel never widens the window beyond its 900 pixels.
    QHBoxLayout* choices = buildChoices();
    QHBoxLayout* actions = buildActions();
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("lessonStatus"));
    status_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addLayout(actions);
    layout->addWidget(status_);

    refresh();
}

QLabel* LessonPanel::buildLevelChoice() {
    level_ = new QComboBox(this);
    level_->setObjectName(QStringLiteral("lessonLevel"));
    level_->setAccessibleName(utf8("Трудност за урока"));
    for (int level = 0; level < kLevelCount; ++level) {
        level_->addItem(levelName(level), QString::number(level));
    }
    level_->addItem(adaptiveLevelName(), QString::fromLatin1(kAdaptive));
    auto* levelLabel = new QLabel(utf8("&Трудност:"), this);
    levelLabel->setBuddy(level_);
    return levelLabel;
}

QLabel* LessonPanel::buildDataChoice() {
    data_ = new QComboBox(this);
    data_->setObjectName(QStringLiteral("lessonData"));
    data_->setAccessibleName(utf8("Данни за урока"));
    data_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    data_->setMinimumContentsLength(kDataCharacters);
    data_->addItem(lessonDataName(kCatalogue), QString::fromLatin1(kCatalogue));
    data_->addItem(lessonDataName(kEcb), QString::fromLatin1(kEcb));
    data_->addItem(utf8("Файл с курсове…"), QString::fromLatin1(kChooseItem));
    // The dialog opens only when the teacher picks the entry; any other choice is remembered,
    // to go back to when the dialog is cancelled or its file refused.
    connect(data_, &QComboBox::activated, this, &LessonPanel::chooseData);
    connect(data_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (data_->itemData(index).toString() != QString::fromLatin1(kChooseItem)) {
            dataIndex_ = index;
        }
    });
    auto* dataLabel = new QLabel(utf8("&Данни:"), this);
    dataLabel->setBuddy(data_);
    return dataLabel;
}

// The level and the data, each after its label.
QHBoxLayout* LessonPanel::buildChoices() {
    QLabel* levelLabel = buildLevelChoice();
    QLabel* dataLabel = buildDataChoice();
    auto* choices = new QHBoxLayout;
    choices->addWidget(levelLabel);
    choices->addWidget(level_);
    choices->addSpacing(fontMetrics().averageCharWidth() * 2);
    choices->addWidget(dataLabel);
    choices->addWidget(data_, 1);
    return choices;
}

// "The same turns for all", and the buttons that write the settings.
QHBoxLayout* LessonPanel::buildActions() {
    together_ = new QCheckBox(utf8("еднакви ходове за всички"), this);
    together_->setObjectName(QStringLiteral("lessonTogether"));
    together_->setAccessibleName(utf8("Еднакви ходове за всички"));
    together_->setToolTip(utf8(kTogetherTip));
    // Ticked again later, the class starts on new turns.
    connect(together_, &QCheckBox::toggled, this, [this](bool on) {
        if (!on) {
            seed_.clear();
        }
    });

    apply_ = new QPushButton(utf8("Приложи"), this);
    apply_->setObjectName(QStringLiteral("lessonApply"));
    apply_->setAccessibleName(utf8("Приложи настройките на урока"));
    connect(apply_, &QPushButton::clicked, this, &LessonPanel::apply);
    again_ = new QPushButton(utf8("Запиши отново"), this);
    again_->setObjectName(QStringLiteral("lessonAgain"));
    again_->setAccessibleName(utf8("Запиши отново настройките на урока"));
    again_->hide();
    connect(again_, &QPushButton::clicked, this, &LessonPanel::writeAgain);

    auto* actions = new QHBoxLayout;
    actions->addWidget(together_);
    actions->addStretch();
    actions->addWidget(again_);
    actions->addWidget(apply_);
    return actions;
}

void LessonPanel::refresh() {
    const FileOnDisk disk = readSettingsFile(folder_);
    const bool first = !seenOnce_;
    const bool changed = first || disk.bytes != seen_ || !disk.problem.isEmpty();
    seenOnce_ = true;
    seen_ = disk.bytes;
    if (!changed) {
        return;
    }
    const LessonRead read = disk.bytes ? readBytes(*disk.bytes) : LessonRead{};
    if (first && read.settings) {
        showSettings(*read.settings);
    }
    if (!written_) {
        bool warn = !disk.problem.isEmpty() || (disk.bytes && !read.settings);
        const QString text = folderText(disk, read, seedKey_, warn);
        say(text, warn);
    } else if (disk.bytes == written_) {
        again_->hide();
        say(applied_, seedKey_.empty());
    } else {
        again_->show();
        say(utf8(kNotOurs).arg(changeText(disk, read, seedKey_)), true);
    }
}

void LessonPanel::showSettings(const LessonSettings& settings) {
    level_->setCurrentIndex(level_->findData(QString::fromStdString(settings.level)));
    if (isBuiltInData(settings.data) || settings.data.empty()) {
        data_->setCurrentIndex(data_->findData(QString::fromStdString(settings.data)));
    } else {
        showFile({QString::fromStdString(settings.data), {}});
    }
    together_->setChecked(!settings.seed.empty());
    seed_ = QString::fromStdString(settings.seed);
}

void LessonPanel::showFile(const DataFile& file) {
    file_ = file;
    int index = data_->findData(QString::fromLatin1(kFileItem));
    if (index < 0) {
        index = data_->findData(QString::fromLatin1(kChooseItem));
        data_->insertItem(index, QString(), QString::fromLatin1(kFileItem));
    }
    data_->setItemText(index, file.name);
    data_->setItemData(index, file.name, Qt::ToolTipRole);
    data_->setCurrentIndex(index);
}

void LessonPanel::chooseData(int index) {
    if (data_->itemData(index).toString() != QString::fromLatin1(kChooseItem)) {
        return;
    }
    const QString path = askForRateFile(this, QDir::homePath());
    if (path.isEmpty() || !chooseDataFile(path)) {
        data_->setCurrentIndex(dataIndex_);
    }
}

bool LessonPanel::chooseDataFile(const QString& path) {
    const QFileInfo info(path);
    const RateFile file = readRateFile(path, Audience::Window);
    QString refusal = file.refusal;
    // Its rows are read only to refuse what no pupil's program could read either.
    if (refusal.isEmpty()) {
        readRates(file, path, Audience::Window, refusal);
    }
    if (!refusal.isEmpty()) {
        say(utf8(kRefused).arg(info.fileName(), refusal), true);
        return false;
    }
    showFile({info.fileName(), QByteArray::fromStdString(file.bytes)});
    say(utf8(kChosen).arg(info.fileName()), false);
    return true;
}

LessonSettings LessonPanel::chosenSettings() {
    LessonSettings settings;
    settings.level = level_->currentData().toString().toStdString();
    const QString data = data_->currentData().toString();
    settings.data = data == QString::fromLatin1(kFileItem) && file_ ? file_->name.toStdString()
                                                                    : data.toStdString();
    if (together_->isChecked()) {
        if (seed_.isEmpty()) {
            seed_ = QString::number(seeds_());
        }
        settings.seed = seed_.toStdString();
    }
    settings.writtenBy = author_.toStdString();
    settings.seedKey = seedKey_;
    settings.writtenAt = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
    return settings;
}

// The chosen teacher's file in the folder under a name that overwrites nothing: its name
// there, or none with the reason said.
std::optional<QString> LessonPanel::copyDataFile() {
    const QDir folder(folder_);
    if (file_->bytes.isEmpty()) {
        // Every pupil would refuse settings that name a file no longer there.
        if (!QFileInfo(folder.filePath(file_->name)).isFile()) {
            say(utf8(kDataGone).arg(file_->name), true);
            return std::nullopt;
        }
        return file_->name;
    }
    const QByteArray& bytes = file_->bytes;
    const auto copy = lessonDataCopy(file_->name.toStdString(), [&](const std::string& name) {
        return entryIn(folder, name, bytes);
    });
    if (!copy) {
        say(utf8(kNotCopied)
                .arg(file_->name,
                     utf8(kNoFreeName)
                         .arg(QString::fromStdString(lessonCopyName(file_->name.toStdString())),
                              QString::number(kMostDataCopies))),
            true);
        return std::nullopt;
    }
    const QString name = QString::fromStdString(copy->name);
    if (copy->write) {
        if (const QString error = writeWhole(folder.filePath(name), bytes); !error.isEmpty()) {
            say(utf8(kNotCopied).arg(QDir::toNativeSeparators(folder.filePath(name)), error), true);
            return std::nullopt;
        }
    }
    showFile({name, {}});
    return name;
}

bool LessonPanel::apply() {
    if (data_->currentData().toString() == QString::fromLatin1(kFileItem) && file_) {
        if (!copyDataFile()) {
            return false;
        }
    }
    const LessonSettings settings = chosenSettings();
    const std::string text = lessonSettingsText(settings);
    if (!writeSettings(QByteArray::fromStdString(text))) {
        return false;
    }
    applied_ = utf8(kApplied).arg(QDateTime::currentDateTime().toString(QStringLiteral("HH:mm")),
                                  settingsWords(settings));
    if (seedKey_.empty()) {
        applied_ += utf8(kNoOwnKey);
    }
    again_->hide();
    say(applied_, seedKey_.empty());
    return true;
}

bool LessonPanel::writeAgain() {
    if (!written_ || !writeSettings(*written_)) {
        return false;
    }
    again_->hide();
    say(applied_, seedKey_.empty());
    return true;
}

bool LessonPanel::writeSettings(const QByteArray& bytes) {
    const QString path = lessonSettingsPath(folder_);
    if (const QString error = writeWhole(path, bytes); !error.isEmpty()) {
        say(utf8(kNotWritten).arg(QDir::toNativeSeparators(path), error), true);
        return false;
    }
    written_ = bytes;
    seen_ = bytes;
    return true;
}

void LessonPanel::say(const QString& text, bool warning) {
    QPalette palette = this->palette();
    if (warning) {
        palette.setColor(QPalette::WindowText, warningColour(palette.color(QPalette::Window)));
    }
    status_->setPalette(palette);
    status_->setText(text);
}

} // namespace quiz

#include "service/words/lesson_words.h"

#include "core/data/data_ids.h"
#include "core/text/message_text.h"
#include "service/words/utf8_string.h"

#include <QDateTime>
#include <QRegularExpression>

#include <array>

namespace quiz {

namespace {

struct ProblemWords {
    LessonProblem problem;
    const char* pattern;
};

constexpr std::array<ProblemWords, 10> kProblems{{
    {LessonProblem::TooLarge, "файлът е по-голям от %1 байта"},
    {LessonProblem::NotUtf8, "файлът не е текст в UTF-8"},
    {LessonProblem::Unfinished, "файлът не завършва с ред „end“ – записан е наполовина"},
    {LessonProblem::NotAnEntry, "ред %1 не е „име=стойност“: %2"},
    {LessonProblem::UnknownName, "ред %1: непозната настройка %2"},
    {LessonProblem::RepeatedName, "ред %1: настройката %2 е дадена втори път"},
    {LessonProblem::DataOutside, "данните %1 не са файл в папката на класа"},
    {LessonProblem::BadLevel, "нивото %1 не е от 0 до 4 или auto"},
    {LessonProblem::BadSeed, "%1 не е цяло число от 0 до 4294967295"},
    {LessonProblem::BadKey, "seed-key не е ключ на учител"},
}};

QString originText(SettingOrigin origin) {
    switch (origin) {
    case SettingOrigin::Lesson:
        return utf8("от учителя");
    case SettingOrigin::CommandLine:
        return utf8("от командния ред");
    case SettingOrigin::Default:
        break;
    }
    return utf8("на този компютър");
}

QString turnsText(const ChosenSetting& seed) {
    switch (seed.origin) {
    case SettingOrigin::Lesson:
        return utf8("еднакви за целия клас");
    case SettingOrigin::CommandLine:
        return utf8("от числото, дадено с --seed");
    case SettingOrigin::Default:
        break;
    }
    return utf8("свои за този компютър");
}

// A value from the file on one line, in its own direction, and not endless: control and
// direction marks would garble or reverse the sentence around it.
QString fromFile(const std::string& text) {
    constexpr int kLongest = 60;
    static const QRegularExpression marks(QStringLiteral(
        "[\\x{200e}\\x{200f}\\x{202a}-\\x{202e}\\x{2066}-\\x{2069}]"));
    QString value = QString::fromStdString(scrubControls(text)).remove(marks);
    if (value.size() > kLongest) {
        value = value.left(kLongest) + u'…';
    }
    return value;
}

// The file says UTC; the pupil reads the date and time on the classroom's clock.
QString localTime(const std::string& utc) {
    const QDateTime time = QDateTime::fromString(QString::fromStdString(utc), Qt::ISODate);
    return time.isValid() ? time.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm"))
                          : fromFile(utc);
}

} // namespace

QString lessonSummary(const LessonChoices& choices, const QString& levelText,
                      const QString& dataText, const LessonSettings* lesson,
                      const QString& owner, const QString& self) {
    QString text = utf8("Настройки на урока\nТрудност: %1 (%2)\nДанни: %3 (%4)\n"
                                     "Ходове: %5")
                       .arg(levelText, originText(choices.level.origin), dataText,
                            originText(choices.data.origin), turnsText(choices.seed));
    // A run's own turns need no origin: "own" says it.
    if (choices.seed.origin != SettingOrigin::Default) {
        text += QStringLiteral(" (%1)").arg(originText(choices.seed.origin));
    }
    if (lesson && !(lesson->writtenBy.empty() && lesson->writtenAt.empty() && owner.isEmpty())) {
        QString who = lesson->writtenBy.empty() ? utf8("неизвестно кого")
                                                : fromFile(lesson->writtenBy);
        // The file can say anything of itself; its owner is what the system says.
        if (!owner.isEmpty()) {
            const QString account = fromFile(owner.toStdString());
            who = lesson->writtenBy.empty()
                      ? utf8("акаунта „%1“").arg(account)
                      : utf8("акаунта „%1“ (във файла пише „%2“)").arg(account, who);
        }
        text += u'\n' + utf8("Зададени от %1, %2.")
                             .arg(who, lesson->writtenAt.empty() ? utf8("неизвестно кога")
                                                                 : localTime(lesson->writtenAt));
        if (!owner.isEmpty() && owner == self) {
            text += utf8(" Файлът е записан от твоя акаунт, не от учителя.");
        }
    }
    return text;
}

QString lessonProblemText(LessonProblem problem, const std::vector<std::string>& arguments) {
    for (const ProblemWords& words : kProblems) {
        if (words.problem == problem) {
            return QString::fromStdString(filledIn(words.pattern, arguments));
        }
    }
    return {};
}

QString lessonDataName(const std::string& data) {
    if (data == kCatalogueData) {
        return utf8("Шестте вградени валути");
    }
    if (data == kEcbData) {
        return utf8("Курсове на ЕЦБ (вградени)");
    }
    return utf8("файлът „%1“").arg(QString::fromStdString(data));
}

} // namespace quiz

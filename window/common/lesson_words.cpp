#include "window/common/lesson_words.h"

#include "core/text/message_text.h"

#include <QDateTime>

#include <array>

namespace quiz {

namespace {

struct ProblemWords {
    LessonProblem problem;
    const char* pattern;
};

constexpr std::array<ProblemWords, 9> kProblems{{
    {LessonProblem::TooLarge, "файлът е по-голям от %1 байта"},
    {LessonProblem::NotUtf8, "файлът не е текст в UTF-8"},
    {LessonProblem::Unfinished, "файлът не завършва с ред „end“ – записан е наполовина"},
    {LessonProblem::NotAnEntry, "ред %1 не е „име=стойност“: %2"},
    {LessonProblem::UnknownName, "ред %1: непозната настройка %2"},
    {LessonProblem::RepeatedName, "ред %1: настройката %2 е дадена втори път"},
    {LessonProblem::DataOutside, "данните %1 не са файл в папката на класа"},
    {LessonProblem::BadLevel, "нивото %1 не е от 0 до 4 или auto"},
    {LessonProblem::BadSeed, "%1 не е цяло число от 0 до 4294967295"},
}};

QString originText(SettingOrigin origin) {
    switch (origin) {
    case SettingOrigin::Lesson:
        return QString::fromUtf8("от учителя");
    case SettingOrigin::CommandLine:
        return QString::fromUtf8("от командния ред");
    case SettingOrigin::Default:
        break;
    }
    return QString::fromUtf8("на този компютър");
}

QString turnsText(const ChosenSetting& seed) {
    switch (seed.origin) {
    case SettingOrigin::Lesson:
        return QString::fromUtf8("еднакви за целия клас");
    case SettingOrigin::CommandLine:
        return QString::fromUtf8("от числото, дадено с --seed");
    case SettingOrigin::Default:
        break;
    }
    return QString::fromUtf8("свои за този компютър");
}

// The file says UTC; the pupil reads the time on the classroom's clock.
QString localTime(const std::string& utc) {
    const QDateTime time = QDateTime::fromString(QString::fromStdString(utc), Qt::ISODate);
    return time.isValid() ? time.toLocalTime().toString(QStringLiteral("HH:mm"))
                          : QString::fromStdString(shortenedForMessage(utc));
}

// A teacher's name and computer stay whole unless far longer than any.
QString who(const std::string& writtenBy) {
    constexpr int kLongestName = 60;
    QString name = QString::fromStdString(scrubControls(writtenBy));
    if (name.size() > kLongestName) {
        name = name.left(kLongestName) + u'…';
    }
    return name;
}

} // namespace

QString lessonSummary(const LessonChoices& choices, const QString& levelText,
                      const QString& dataText, const LessonSettings* lesson) {
    QString text = QString::fromUtf8("Настройки на урока\nТрудност: %1 (%2)\nДанни: %3 (%4)\n"
                                     "Ходове: %5")
                       .arg(levelText, originText(choices.level.origin), dataText,
                            originText(choices.data.origin), turnsText(choices.seed));
    // A run's own turns need no origin: "own" says it.
    if (choices.seed.origin != SettingOrigin::Default) {
        text += QStringLiteral(" (%1)").arg(originText(choices.seed.origin));
    }
    if (lesson) {
        text += u'\n' + QString::fromUtf8("Учителят ги зададе в %1 (%2).")
                             .arg(localTime(lesson->writtenAt),
                                  who(lesson->writtenBy));
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
    if (data == "catalogue") {
        return QString::fromUtf8("Шестте вградени валути");
    }
    if (data == "ecb") {
        return QString::fromUtf8("Курсове на ЕЦБ (вградени)");
    }
    return QString::fromUtf8("файлът „%1“").arg(QString::fromStdString(data));
}

} // namespace quiz

#include "window/common/lesson_words.h"

#include "core/text/message_text.h"

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

} // namespace

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
    return QString::fromUtf8("файлът „%1“ от папката").arg(QString::fromStdString(data));
}

} // namespace quiz

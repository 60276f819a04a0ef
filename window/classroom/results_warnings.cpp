#include "window/classroom/results_warnings.h"

#include "window/common/system_reason_words.h"
#include "window/common/utf8_string.h"

namespace quiz {

namespace {

constexpr const char* kClassFolder = "Папката на класа";
constexpr const char* kLogFolder = "Папката на файла %1";

constexpr const char* kWaitingOne =
    "%1 не е достъпна (%2). 1 отговор чака в паметта и ще бъде записан, щом папката се появи "
    "отново. Не затваряйте теста, иначе ще се изгуби.";
constexpr const char* kWaitingMany =
    "%1 не е достъпна (%2). %3 отговора чакат в паметта и ще бъдат записани, щом папката се "
    "появи отново. Не затваряйте теста, иначе ще се изгубят.";
constexpr const char* kCaughtUpOne =
    "%1 отново е достъпна: чакащият отговор е записан във файла %2.";
constexpr const char* kCaughtUpMany =
    "%1 отново е достъпна: %3 чакащи отговора са записани във файла %2.";
constexpr const char* kUnwrittenOne =
    "Внимание: 1 отговор не беше записан във файла %1 (%2). Тестът продължава.";
constexpr const char* kUnwrittenMany =
    "Внимание: %3 отговора не бяха записани във файла %1 (%2). Тестът продължава.";
constexpr const char* kRestarted =
    "Файлът %1 беше изпразнен, докато тестът вървеше. Записът започна отначало със заглавния "
    "ред; отговорите отпреди това ги няма във файла.";
constexpr const char* kMoved = "Файлът с резултатите беше изтрит или заменен. Отговорите вече се "
                               "записват във файла %1.";
constexpr const char* kClosingOne = "1 отговор още чака %1 и ще се изгуби, ако затворите теста "
                                    "сега. Да затворя ли въпреки това?";
constexpr const char* kClosingMany = "%2 отговора още чакат %1 и ще се изгубят, ако затворите "
                                     "теста сега. Да затворя ли въпреки това?";

QString folderName(const QString& path, bool classFolder) {
    return classFolder ? utf8(kClassFolder) : utf8(kLogFolder).arg(path);
}

QString reasonText(const ResultsNotices::Reason& reason) {
    return QString::fromStdString(bulgarianReason(reason.errorNumber, reason.text));
}

// In one pass, so that a "%1" in a path is never taken for a place of its own.
QString filled(const QString& text, const QStringList& arguments) {
    switch (arguments.size()) {
    case 1:
        return text.arg(arguments[0]);
    case 2:
        return text.arg(arguments[0], arguments[1]);
    default:
        return text.arg(arguments[0], arguments[1], arguments[2]);
    }
}

// Bulgarian agrees in number: one answer has a sentence of its own, with no count in it; in
// the other the count comes after the given arguments.
QString counted(std::size_t count, const char* one, const char* many, QStringList arguments) {
    if (count == 1) {
        return filled(utf8(one), arguments);
    }
    arguments << QString::number(count);
    return filled(utf8(many), arguments);
}

} // namespace

QStringList resultsWarnings(const ResultsNotices& notices, const QString& path, bool classFolder) {
    QStringList warnings;
    const QString folder = folderName(path, classFolder);
    if (notices.waiting > 0) {
        warnings << counted(notices.waiting, kWaitingOne, kWaitingMany,
                            {folder, reasonText(notices.waitingReason)});
    } else if (notices.caughtUp > 0) {
        warnings << counted(notices.caughtUp, kCaughtUpOne, kCaughtUpMany, {folder, path});
    }
    if (notices.unwritten > 0) {
        warnings << counted(static_cast<std::size_t>(notices.unwritten), kUnwrittenOne,
                            kUnwrittenMany, {path, reasonText(notices.unwrittenReason)});
    }
    if (notices.restarted) {
        warnings << utf8(kRestarted).arg(path);
    }
    if (!notices.movedTo.empty()) {
        warnings << utf8(kMoved).arg(QString::fromStdString(notices.movedTo));
    }
    return warnings;
}

QString closingWithWaitingRows(std::size_t waiting, bool classFolder) {
    const QString folder =
        classFolder ? QStringLiteral("папката на класа") : QStringLiteral("папката на файла");
    return counted(waiting, kClosingOne, kClosingMany, {folder});
}

} // namespace quiz

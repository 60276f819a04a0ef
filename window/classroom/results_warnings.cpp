#include "window/classroom/results_warnings.h"

#include "service/words/system_reason_words.h"
#include "service/words/utf8_string.h"

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
constexpr const char* kSpooledOne =
    "%1 не е достъпна (%2). 1 отговор чака и ще бъде записан, щом папката се появи отново. "
    "Запазен е и на този компютър (в папката %3), така че няма да се изгуби, дори тестът да "
    "бъде затворен: тогава ще бъде записан при следващото му пускане.";
constexpr const char* kSpooledMany =
    "%1 не е достъпна (%2). %4 отговора чакат и ще бъдат записани, щом папката се появи "
    "отново. Запазени са и на този компютър (в папката %3), така че няма да се изгубят, дори "
    "тестът да бъде затворен: тогава ще бъдат записани при следващото му пускане.";
constexpr const char* kLeftDeliveredOne =
    "1 отговор от предишно пускане на теста, запазен на този компютър, е записан във файла %1.";
constexpr const char* kLeftDeliveredMany = "%2 отговора от предишни пускания на теста, запазени "
                                           "на този компютър, са записани във файла %1.";
constexpr const char* kLeftWaitingOne =
    "1 отговор от предишно пускане на теста чака на този компютър (в папката %1) и ще бъде "
    "записан, щом файлът му е достъпен отново.";
constexpr const char* kLeftWaitingMany =
    "%2 отговора от предишни пускания на теста чакат на този компютър (в папката %1) и ще "
    "бъдат записани, щом файловете им са достъпни отново.";
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
constexpr const char* kClosingSpooledOne =
    "1 отговор още чака %1. Запазен е на този компютър и ще бъде записан при следващото "
    "пускане на теста, щом папката е достъпна. Да затворя ли теста сега?";
constexpr const char* kClosingSpooledMany =
    "%2 отговора още чакат %1. Запазени са на този компютър и ще бъдат записани при "
    "следващото пускане на теста, щом папката е достъпна. Да затворя ли теста сега?";

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
    case 3:
        return text.arg(arguments[0], arguments[1], arguments[2]);
    default:
        return text.arg(arguments[0], arguments[1], arguments[2], arguments[3]);
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

QStringList resultsWarnings(const ResultsNotices& notices, const QString& path, bool classFolder,
                            const QString& spooledIn) {
    QStringList warnings;
    const QString folder = folderName(path, classFolder);
    if (notices.waiting > 0 && !spooledIn.isEmpty()) {
        warnings << counted(notices.waiting, kSpooledOne, kSpooledMany,
                            {folder, reasonText(notices.waitingReason), spooledIn});
    } else if (notices.waiting > 0) {
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

QStringList leftSpoolWarnings(std::size_t delivered, std::size_t waiting, const QString& target,
                              const QString& spoolFolder) {
    QStringList warnings;
    if (waiting > 0) {
        warnings << counted(waiting, kLeftWaitingOne, kLeftWaitingMany, {spoolFolder});
    }
    if (delivered > 0) {
        warnings << counted(delivered, kLeftDeliveredOne, kLeftDeliveredMany, {target});
    }
    return warnings;
}

QString closingWithWaitingRows(std::size_t waiting, bool classFolder, bool spooled) {
    const QString folder =
        classFolder ? QStringLiteral("папката на класа") : QStringLiteral("папката на файла");
    return spooled ? counted(waiting, kClosingSpooledOne, kClosingSpooledMany, {folder})
                   : counted(waiting, kClosingOne, kClosingMany, {folder});
}

} // namespace quiz

#include "service/words/class_reason_words.h"

#include "core/text/message_text.h"

namespace quiz {

namespace {

// %1, %2, … stand for the reason's values, in the order class_reasons.h gives them.
const char* patternOf(ClassReasonId id) {
    switch (id) {
    case ClassReasonId::NotAHeader:
        return "първият ред не е заглавен ред на резултати: %1";
    case ClassReasonId::UnclosedQuote:
        return "кавичка, отворена на този ред, не е затворена";
    case ClassReasonId::QuoteInPlainField:
        return "кавичка в поле без кавички";
    case ClassReasonId::TextAfterQuote:
        return "текст след затваряща кавичка";
    case ClassReasonId::LineTooLong:
        return "редът е по-дълъг от %1 байта";
    case ClassReasonId::FieldCount:
        return "редът има %1 полета, а заглавният ред – %2";
    case ClassReasonId::SeedNotWhole:
        return "началното число (seed) е %1, а не цяло число";
    case ClassReasonId::RunNotRead:
        return "пускането (run) е %1, а не 16 шестнадесетични цифри";
    case ClassReasonId::SealedNotRead:
        return "запечатаното начално число не може да се прочете";
    case ClassReasonId::TurnNotCounting:
        return "turn е %1, а не цяло число от 1 нагоре";
    case ClassReasonId::NotABit:
        return "%1 е %2, а не 0 или 1";
    case ClassReasonId::LevelOutOfRange:
        return "level е %1, а не от 0 до %2";
    case ClassReasonId::RightButOtherSide:
        return "right е 1, но избраната страна не е реалната";
    case ClassReasonId::WrongButSameSide:
        return "right е 0, но избраната страна е реалната";
    case ClassReasonId::StaircaseNotWhole:
        return "staircase е %1, а не цяло число от 0 нагоре";
    case ClassReasonId::MoreSkipped:
        return "още %1 пропуснати реда";
    case ClassReasonId::OtherPupil:
        return "не е броен – ред %1: редът е на %2 от %3, а името на файла – не";
    case ClassReasonId::TimeGoesBack:
        return "не е броен – ред %1: времето се връща назад";
    case ClassReasonId::TooManyRuns:
        return "не е броен – ред %1: повече от %2 сесии (различни начални числа) в един файл";
    case ClassReasonId::TurnRepeated:
        return "не е броен – ред %1: ход %2 на пускане %3 се повтаря или е не на реда си";
    case ClassReasonId::RepeatedTurns:
        return "повторени ходове – %1 хода от този ред нататък вече имат отговор на същия "
               "ученик в %2; броен е само първият отговор";
    case ClassReasonId::NotDealt:
        return "не е броен – началното число %2 не дава такава реална страна или валута за ход "
               "%1";
    case ClassReasonId::MoreNotDealt:
        return "още %1 реда не са броени: началното им число не ги дава";
    case ClassReasonId::Unchecked:
        return "броен, но от ход %1 от началното число %2 нататък редовете не могат да се "
               "проверят по началното число (ходове без ред или непознати данни)";
    case ClassReasonId::Unsealed:
        return "броен, но не е проверен по началното число: пускането не го е записало, защото "
               "в папката нямаше ключ на учителя";
    case ClassReasonId::SealedElsewhere:
        return "броен, но не е проверен по началното число: то е запечатано с ключ, който този "
               "изглед на учителя няма (друг учител или подменен ключ в lesson.ini)";
    case ClassReasonId::SeedChosen:
        return "броен, но началното число %1 е дадено с --seed: ученикът го е знаел";
    }
    return "";
}

} // namespace

std::string classReasonText(const ClassReason& reason) {
    return filledIn(patternOf(reason.id), reason.arguments);
}

std::string skippedText(const Skipped& skipped) {
    const std::string line = skipped.line == 0 ? "" : ":" + std::to_string(skipped.line);
    return scrubControls(skipped.file) + line + ": " + classReasonText(skipped.reason);
}

} // namespace quiz

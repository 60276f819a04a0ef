#include "service/words/class_reason_words.h"

#include "core/text/message_text.h"

#include <cstddef>
#include <iterator>

namespace quiz {

namespace {

// A reason's words; %1, %2, … stand for its values, in the order class_reasons.h gives them.
struct ReasonWords {
    ClassReasonId id;
    const char* pattern;
};

// In the order of the ids, so that an id is its words' index.
constexpr ReasonWords kWords[] = {
    {ClassReasonId::NotAHeader, "първият ред не е заглавен ред на резултати: %1"},
    {ClassReasonId::UnclosedQuote, "кавичка, отворена на този ред, не е затворена"},
    {ClassReasonId::QuoteInPlainField, "кавичка в поле без кавички"},
    {ClassReasonId::TextAfterQuote, "текст след затваряща кавичка"},
    {ClassReasonId::LineTooLong, "редът е по-дълъг от %1 байта"},
    {ClassReasonId::FieldCount, "редът има %1 полета, а заглавният ред – %2"},
    {ClassReasonId::SeedNotWhole, "началното число (seed) е %1, а не цяло число"},
    {ClassReasonId::RunNotRead, "пускането (run) е %1, а не 16 шестнадесетични цифри"},
    {ClassReasonId::SealedNotRead, "запечатаното начално число не може да се прочете"},
    {ClassReasonId::TurnNotCounting, "turn е %1, а не цяло число от 1 нагоре"},
    {ClassReasonId::NotABit, "%1 е %2, а не 0 или 1"},
    {ClassReasonId::LevelOutOfRange, "level е %1, а не от 0 до %2"},
    {ClassReasonId::RightButOtherSide, "right е 1, но избраната страна не е реалната"},
    {ClassReasonId::WrongButSameSide, "right е 0, но избраната страна е реалната"},
    {ClassReasonId::StaircaseNotWhole, "staircase е %1, а не цяло число от 0 нагоре"},
    {ClassReasonId::MoreSkipped, "още %1 пропуснати реда"},
    {ClassReasonId::OtherPupil, "не е броен – ред %1: редът е на %2 от %3, а името на файла – не"},
    {ClassReasonId::TimeGoesBack, "не е броен – ред %1: времето се връща назад"},
    {ClassReasonId::TooManyRuns,
     "не е броен – ред %1: повече от %2 сесии (различни начални числа) в един файл"},
    {ClassReasonId::TurnRepeated,
     "не е броен – ред %1: ход %2 на пускане %3 се повтаря или е не на реда си"},
    {ClassReasonId::RepeatedTurns,
     "повторени ходове – %1 хода от този ред нататък вече имат отговор на същия "
     "ученик в %2; броен е само първият отговор"},
    {ClassReasonId::NotDealt,
     "не е броен – началното число %2 не дава такава реална страна или валута за ход "
     "%1"},
    {ClassReasonId::MoreNotDealt, "още %1 реда не са броени: началното им число не ги дава"},
    {ClassReasonId::Unchecked,
     "броен, но от ход %1 от началното число %2 нататък редовете не могат да се "
     "проверят по началното число (ходове без ред или непознати данни)"},
    {ClassReasonId::Unsealed,
     "броен, но не е проверен по началното число: пускането не го е записало, защото "
     "в папката нямаше ключ на учителя"},
    {ClassReasonId::SealedElsewhere,
     "броен, но не е проверен по началното число: то е запечатано с ключ, който този "
     "изглед на учителя няма (друг учител или подменен ключ в lesson.ini)"},
    {ClassReasonId::SeedChosen,
     "броен, но началното число %1 е дадено с --seed: ученикът го е знаел"},
};
static_assert(std::size(kWords) == static_cast<std::size_t>(ClassReasonId::SeedChosen) + 1,
              "words for every reason, up to the last");

constexpr bool inIdOrder() {
    for (std::size_t index = 0; index < std::size(kWords); ++index) {
        if (static_cast<std::size_t>(kWords[index].id) != index) {
            return false;
        }
    }
    return true;
}
static_assert(inIdOrder(), "the words in the order of their reasons");

const char* patternOf(ClassReasonId id) {
    const auto index = static_cast<std::size_t>(id);
    return index < std::size(kWords) ? kWords[index].pattern : "";
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

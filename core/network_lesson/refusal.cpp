#include "core/network_lesson/refusal.h"

#include <array>

namespace quiz {

namespace {

struct RefusalRule {
    RefusalId id;
    std::string_view name;
    std::string_view text;
    bool closes;
};

constexpr std::array<RefusalRule, kRefusalCount> kRules{{
    {RefusalId::WrongCode, "wrong-code", "Кодът за влизане не е верен.", false},
    {RefusalId::NameEmpty, "name-empty", "Напиши името си.", false},
    {RefusalId::NameTooLong, "name-too-long", "Името е твърде дълго.", false},
    {RefusalId::NameHasControls, "name-controls", "Името съдържа непечатими знаци.", false},
    {RefusalId::NameLikeFormula, "name-formula",
     "Името не може да започва с „=“, „+“, „-“ или „@“.", false},
    {RefusalId::NameTaken, "name-taken",
     "Това име вече е на ученик от друго устройство. Избери друго.", false},
    {RefusalId::TooManyWrongCodes, "too-many-wrong-codes",
     "Твърде много грешни кодове от това устройство. Опитай пак след минута.", false},
    {RefusalId::LessonFull, "lesson-full", "Урокът е пълен.", false},
    {RefusalId::UnknownToken, "unknown-token",
     "Връзката с урока е изгубена. Влез отново с името си и кода.", false},
    {RefusalId::NotOnScreen, "not-on-screen", "Този ход вече не е на екрана.", false},
    {RefusalId::AlreadyAnswered, "already-answered", "На този ход вече е отговорено.", false},
    {RefusalId::NotAnswered, "not-answered", "Първо отговори на този ход.", false},
    {RefusalId::UnknownKind, "unknown-kind", "Непознато съобщение.", true},
    {RefusalId::MissingField, "missing-field", "Липсва поле в съобщението.", true},
    {RefusalId::UnknownField, "unknown-field", "Непознато поле в съобщението.", true},
    {RefusalId::RepeatedField, "repeated-field", "Повторено поле в съобщението.", true},
    {RefusalId::WrongType, "wrong-type", "Поле от неверен вид.", true},
    {RefusalId::OversizeField, "oversize-field", "Твърде дълго поле в съобщението.", true},
    {RefusalId::OutOfRange, "out-of-range", "Число извън допустимото.", true},
    {RefusalId::NotUtf8, "not-utf8", "Текст, който не е UTF-8.", true},
}};

// Each rule in its id's place, so an id reads its own.
constexpr bool inIdOrder() {
    for (std::size_t i = 0; i < kRules.size(); ++i) {
        if (static_cast<std::size_t>(kRules[i].id) != i) {
            return false;
        }
    }
    return true;
}
static_assert(inIdOrder());

const RefusalRule& ruleOf(RefusalId id) {
    return kRules.at(static_cast<std::size_t>(id));
}

} // namespace

std::string_view refusalName(RefusalId id) {
    return ruleOf(id).name;
}

std::string_view refusalText(RefusalId id) {
    return ruleOf(id).text;
}

bool closesConnection(RefusalId id) {
    return ruleOf(id).closes;
}

} // namespace quiz

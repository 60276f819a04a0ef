#pragma once

// What the quiz says of a turn: its heading, the verdict on a pick and its real values' spread.

#include "core/text/number_style.h"
#include "core/turns/turn.h"

#include <string>
#include <string_view>
#include <vector>

namespace quiz {

// "Генерирани са данни за: щатски долар - USD"
std::string turnHeading(const Turn& turn);
// The same heading for a turn known only by its currency's name, as a lesson's host deals it.
std::string turnHeading(std::string_view currencyName);
// "Правилно" or "Грешка!"
std::string_view verdictLine(bool right);
// The spread of the turn's real values at the data's own precision: "0,04196".
std::string spreadText(const Turn& turn, const NumberStyle& style);
// "Максимална разлика: 0,04196"
std::string spreadLine(const Turn& turn, const NumberStyle& style);
// Above level 0 the real list is no longer the only one inside a band, and its spread would
// name it: there the spread is told only once the pick is made.
bool spreadBeforePick(const Turn& turn);
// The lines the quiz window shows for a turn it dealt once it is picked, in order and without
// their line ends.
std::vector<std::string> reportAfterPick(const Turn& turn, bool right, const NumberStyle& style);

} // namespace quiz

#include "service/words/level_words.h"

#include "core/turns/level.h"
#include "service/words/utf8_string.h"

#include <array>
#include <stdexcept>
#include <string>

namespace quiz {

namespace {

constexpr std::array<const char*, kLevelCount> kNames{
    "0 – шум в обхват (лесно)",
    "1 – случайно лутане",
    "2 – разбъркани реални промени",
    "3 – сурогат със същия спектър",
    "4 – реалните промени от друг ден (трудно)",
};

constexpr std::array<const char*, kLevelCount> kExplanations{
    "Генерираният списък е случаен шум в обхват, широк колкото реалния, над първата стойност: "
    "подскача насам-натам, докато истинският курс се движи на малки стъпки.",
    "Генерираният списък е случайно лутане: стъпки с нормално разпределение и с размера на "
    "реалните. Внимателното око забелязва, че стъпките са твърде еднородни – няма спокойни и "
    "бурни периоди.",
    "Генерираният списък е направен от същите дневни промени като реалния, но в разбъркан ред: "
    "същото начало и същият край, но спокойните и бурните дни вече не идват на поредици.",
    "Генерираният списък е сурогат: същите дневни промени, пренаредени така, че да запазят "
    "ритъма им (спектъра). Издава го само това, че големите промени не се трупат заедно.",
    "Генерираният списък повтаря реалните промени, но започнати от друг ден, а понякога и в "
    "обратен ред. Почти нищо не го издава, освен скокът там, където краят се свързва с "
    "началото.",
};

std::size_t index(int level) {
    if (!isLevel(level)) {
        throw std::out_of_range("no difficulty level " + std::to_string(level));
    }
    return static_cast<std::size_t>(level);
}

} // namespace

QString levelName(int level) {
    return QString::fromUtf8(kNames[index(level)]);
}

QString adaptiveLevelName() {
    return utf8("според ученика");
}

QString levelExplanation(int level) {
    return QString::fromUtf8(kExplanations[index(level)]);
}

} // namespace quiz

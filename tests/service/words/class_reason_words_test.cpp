#include "service/words/class_reason_words.h"

#include <QTest>

using namespace quiz;

class ClassReasonWordsTest : public QObject {
    Q_OBJECT

private slots:
    void eachReasonReadsAsTheTeacherSeesIt() {
        using Id = ClassReasonId;
        const struct {
            ClassReason reason;
            const char* text;
        } cases[] = {
            {{Id::NotAHeader, {"'date;value'"}},
             "първият ред не е заглавен ред на резултати: 'date;value'"},
            {{Id::UnclosedQuote}, "кавичка, отворена на този ред, не е затворена"},
            {{Id::QuoteInPlainField}, "кавичка в поле без кавички"},
            {{Id::TextAfterQuote}, "текст след затваряща кавичка"},
            {{Id::LineTooLong, {"65536"}}, "редът е по-дълъг от 65536 байта"},
            {{Id::FieldCount, {"12", "13"}}, "редът има 12 полета, а заглавният ред – 13"},
            {{Id::SeedNotWhole, {"'x'"}}, "началното число (seed) е 'x', а не цяло число"},
            {{Id::TurnNotCounting, {"'0'"}}, "turn е '0', а не цяло число от 1 нагоре"},
            {{Id::NotABit, {"right", "'2'"}}, "right е '2', а не 0 или 1"},
            {{Id::NotABit, {"chosen_side", "'x'"}}, "chosen_side е 'x', а не 0 или 1"},
            {{Id::LevelOutOfRange, {"'5'", "4"}}, "level е '5', а не от 0 до 4"},
            {{Id::RightButOtherSide}, "right е 1, но избраната страна не е реалната"},
            {{Id::WrongButSameSide}, "right е 0, но избраната страна е реалната"},
            {{Id::StaircaseNotWhole, {"'x'"}}, "staircase е 'x', а не цяло число от 0 нагоре"},
            {{Id::MoreSkipped, {"5"}}, "още 5 пропуснати реда"},
            {{Id::OtherPupil, {"2", "'maria'", "'PC03'"}},
             "не е броен – ред 2: редът е на 'maria' от 'PC03', а името на файла – не"},
            {{Id::TimeGoesBack, {"3"}}, "не е броен – ред 3: времето се връща назад"},
            {{Id::TooManyRuns, {"258", "256"}},
             "не е броен – ред 258: повече от 256 сесии (различни начални числа) в един файл"},
            {{Id::TurnRepeated, {"4", "2", "7"}},
             "не е броен – ред 4: ход 2 на пускане 7 се повтаря или е не на реда си"},
            {{Id::RepeatedTurns, {"10", "ivan_PC03_1.csv"}},
             "повторени ходове – 10 хода от този ред нататък вече имат отговор на същия ученик в "
             "ivan_PC03_1.csv; броен е само първият отговор"},
            {{Id::NotDealt, {"3", "99"}},
             "не е броен – началното число 99 не дава такава реална страна или валута за ход 3"},
            {{Id::MoreNotDealt, {"4"}}, "още 4 реда не са броени: началното им число не ги дава"},
            {{Id::Unchecked, {"5", "7"}},
             "броен, но от ход 5 от началното число 7 нататък редовете не могат да се проверят "
             "по началното число (ходове без ред или непознати данни)"},
        };
        for (const auto& c : cases) {
            QCOMPARE(QString::fromStdString(classReasonText(c.reason)), QString::fromUtf8(c.text));
        }
    }

    void eachReasonHasWords() {
        for (int id = 0; id <= static_cast<int>(ClassReasonId::SeedChosen); ++id) {
            const std::string text =
                classReasonText({static_cast<ClassReasonId>(id), {"a", "b", "c"}});
            QVERIFY2(!text.empty() && text.find('%') == std::string::npos,
                     qPrintable(QString::number(id)));
        }
    }

    // The Bulgarian view says „началното число“ wherever it means the seed; the column's own
    // name comes only in brackets, beside it.
    void theSeedIsTheStartingNumberInEveryReason() {
        for (int id = 0; id <= static_cast<int>(ClassReasonId::Unchecked); ++id) {
            const QString text = QString::fromStdString(
                classReasonText({static_cast<ClassReasonId>(id), {"1", "2", "3"}}));
            QVERIFY2(!QString(text).remove(QStringLiteral("(seed)")).contains(QStringLiteral("seed")),
                     qPrintable(text));
        }
    }

    void aSkippedLineIsOneLineWithItsPlace() {
        QCOMPARE(skippedText({"m.csv", 4, {ClassReasonId::QuoteInPlainField}}),
                 std::string("m.csv:4: кавичка в поле без кавички"));
        QCOMPARE(skippedText({"a\nb.csv", 0, {ClassReasonId::MoreSkipped, {"5"}}}),
                 std::string("a?b.csv: още 5 пропуснати реда"));
    }
};

QTEST_GUILESS_MAIN(ClassReasonWordsTest)
#include "class_reason_words_test.moc"

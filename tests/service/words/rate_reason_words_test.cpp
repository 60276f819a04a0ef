#include "service/words/rate_reason_words.h"

#include <QRegularExpression>
#include <QTest>

using namespace quiz;

class RateReasonWordsTest : public QObject {
    Q_OBJECT

private slots:
    // The console's English and the windows' Bulgarian, each with the values in their places.
    void eachReasonReadsInBothLanguages() {
        using Id = RateReason;
        const struct {
            RateReason reason;
            std::vector<std::string> arguments;
            const char* english;
            const char* bulgarian;
        } cases[] = {
            {Id::Utf16,
             {},
             "the file is UTF-16 text; save it as CSV in UTF-8",
             "файлът е текст в UTF-16; запишете го като CSV в UTF-8"},
            {Id::UnclosedQuote,
             {},
             "a quote opened here is never closed",
             "кавичката, отворена тук, не е затворена"},
            {Id::TextAfterQuote, {}, "text after a closing quote", "текст след затваряща кавичка"},
            {Id::NotANumber, {"'abc'"}, "'abc' is not a number", "'abc' не е число"},
            {Id::TooManyDigits,
             {"'1234567890.123456'"},
             "'1234567890.123456' has more than 15 digits",
             "'1234567890.123456' има повече от 15 цифри"},
            {Id::NotPositive,
             {"'-1'"},
             "'-1' is not a positive number",
             "'-1' не е положително число"},
            {Id::NoRows,
             {},
             "the header is not followed by any row of dates and values",
             "след заглавния ред няма нито един ред с дата и стойности"},
            {Id::Empty, {}, "the file is empty", "файлът е празен"},
            {Id::TooManyColumns,
             {"1000"},
             "more than 1000 value columns",
             "повече от 1000 колони със стойности"},
            {Id::NoValueColumn,
             {},
             "no value column: rows need a date and values after it, separated by ',', ';' "
             "or a tab",
             "няма колона със стойности: всеки ред трябва да има дата и след нея стойности, "
             "разделени с ',', ';' или табулация"},
            {Id::WiderThanHeader,
             {"2"},
             "the row has more fields than the header's 2",
             "редът има повече полета от заглавния ред (2)"},
            {Id::WiderThanFirstRow,
             {"3"},
             "the row has more fields than the first row's 3",
             "редът има повече полета от първия ред (3)"},
            {Id::NarrowerThanHeader,
             {"2", "3"},
             "the row has 2 fields where the header has 3",
             "полетата в реда са 2, а в заглавния ред – 3"},
            {Id::NarrowerThanFirstRow,
             {"1", "2"},
             "the row has 1 fields where the first row has 2",
             "полетата в реда са 1, а в първия ред – 2"},
            {Id::NoDate, {}, "the row has no date", "редът няма дата"},
            {Id::NotADate,
             {"'32.01.2024'"},
             "'32.01.2024' is not a date",
             "'32.01.2024' не е дата"},
            {Id::RepeatedDate,
             {"'01.01.2024'", "2"},
             "'01.01.2024' repeats the date of line 2",
             "'01.01.2024' повтаря датата от ред 2"},
            {Id::OutOfRisingOrder,
             {"'2024-01-02'"},
             "'2024-01-02' is out of order: the dates before it rise",
             "'2024-01-02' нарушава реда: датите преди нея растат"},
            {Id::OutOfFallingOrder,
             {"'2024-01-05'"},
             "'2024-01-05' is out of order: the dates before it fall",
             "'2024-01-05' нарушава реда: датите преди нея намаляват"},
            {Id::NoValue,
             {"43"},
             "no column has 43 values in a row without a gap; there is no value at all",
             "никоя колона няма 43 поредни стойности без празнина; във файла няма нито една "
             "стойност"},
            {Id::LongestNamed,
             {"43", "12", "USD", "2024-01-01"},
             "no column has 43 values in a row without a gap; the longest run has 12 (USD, "
             "from 2024-01-01)",
             "никоя колона няма 43 поредни стойности без празнина; най-дългата поредица има "
             "12 (USD, от 2024-01-01)"},
            {Id::LongestUnnamed,
             {"43", "2", "2024-01-01"},
             "no column has 43 values in a row without a gap; the longest run has 2 (from "
             "2024-01-01)",
             "никоя колона няма 43 поредни стойности без празнина; най-дългата поредица има "
             "2 (от 2024-01-01)"},
            {Id::LongestNumbered,
             {"43", "2", "3", "01.01.2024"},
             "no column has 43 values in a row without a gap; the longest run has 2 (column "
             "3, from 01.01.2024)",
             "никоя колона няма 43 поредни стойности без празнина; най-дългата поредица има "
             "2 (колона 3, от 01.01.2024)"},
            {Id::TooManyDigitsToAdd,
             {"'1.1234567890123456'", "USD", "2024-01-08"},
             "'1.1234567890123456' in column USD on 2024-01-08 has more digits than a turn "
             "can add up exactly (15)",
             "'1.1234567890123456' в колона USD на 2024-01-08 има повече цифри, отколкото "
             "един ход може да събере точно (15)"},
            {Id::StandsStill,
             {"43"},
             "every stretch of 43 values in a row stands still",
             "във всяка поредица от 43 стойности стойностите не се променят"},
            {Id::ThousandsJump,
             {"'1,008'", "'999'", "2"},
             "'1,008' after '999' on line 2 is a jump of about a thousandfold: thousands "
             "separated by commas, as in 1,008, read as decimals; save the numbers without "
             "thousands separators",
             "'1,008' след '999' на ред 2 е скок около хиляда пъти: хилядите, отделени със "
             "запетая, както в 1,008, се четат като десетични; запишете числата без "
             "разделител на хилядите"},
            {Id::SplitDecimals,
             {},
             "commas separate the fields, the dates are day first and every value is a "
             "whole number: decimal commas seem to cut each value in two; save the file "
             "with ';' between the fields",
             "запетаи разделят полетата, датите започват с деня и всяка стойност е цяло "
             "число: десетичните запетаи изглежда разрязват всяка стойност на две; запишете "
             "файла с ';' между полетата"},
            {Id::RoundsToZero,
             {"'0,00000012'", "6"},
             "'0,00000012' rounds to 0 at 6 decimals, the most a list can show; give the "
             "rates for 1000 units",
             "'0,00000012' се закръгля до 0 при 6 знака след десетичната запетая, колкото "
             "най-много побира списъкът; дайте курсовете за 1000 единици"},
        };
        QCOMPARE(std::size(cases), kRateReasonCount);
        for (const auto& c : cases) {
            const char* name = rateReasonName(c.reason);
            QCOMPARE(
                QString::fromStdString(rateReasonText(c.reason, c.arguments, Wording::English)),
                QString::fromUtf8(c.english));
            QVERIFY2(
                QString::fromStdString(rateReasonText(c.reason, c.arguments, Wording::Bulgarian)) ==
                    QString::fromUtf8(c.bulgarian),
                name);
        }
    }

    // A reason left in English would read so inside a Bulgarian window; a placeholder left
    // unfilled would lose what the file holds.
    void everyReasonIsWordedInEachLanguage() {
        const QRegularExpression cyrillic(QStringLiteral("[а-я]"));
        const std::vector<std::string> values{"'a'", "'b'", "'c'", "'d'"};
        for (std::size_t id = 0; id < kRateReasonCount; ++id) {
            const auto reason = static_cast<RateReason>(id);
            const QString english =
                QString::fromStdString(rateReasonText(reason, values, Wording::English));
            const QString bulgarian =
                QString::fromStdString(rateReasonText(reason, values, Wording::Bulgarian));
            const char* name = rateReasonName(reason);
            QVERIFY2(!english.isEmpty() && !english.contains(u'%'), name);
            QVERIFY2(!english.contains(cyrillic), name);
            QVERIFY2(bulgarian.contains(cyrillic) && !bulgarian.contains(u'%'), name);
        }
    }
};

QTEST_GUILESS_MAIN(RateReasonWordsTest)
#include "rate_reason_words_test.moc"

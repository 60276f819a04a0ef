#include "service/words/lesson_words.h"

#include <QTest>

using namespace quiz;

class LessonWordsTest : public QObject {
    Q_OBJECT

private slots:
    // Every reason a settings file is refused for reaches the pupil as a sentence of its own,
    // with the values the reader gave filled in.
    void everyProblemIsWordedWithItsValues() {
        const struct {
            LessonProblem problem;
            std::vector<std::string> arguments;
            const char* shows;
        } cases[] = {
            {LessonProblem::TooLarge, {"4096"}, "4096"},
            {LessonProblem::NotUtf8, {}, "UTF-8"},
            {LessonProblem::Unfinished, {}, "end"},
            {LessonProblem::NotAnEntry, {"2", "'x'"}, "ред 2"},
            {LessonProblem::UnknownName, {"3", "'levle'"}, "'levle'"},
            {LessonProblem::RepeatedName, {"4", "'level'"}, "втори път"},
            {LessonProblem::DataOutside, {"'../a.csv'"}, "'../a.csv'"},
            {LessonProblem::BadLevel, {"'9'"}, "'9'"},
            {LessonProblem::BadSeed, {"'-1'"}, "'-1'"},
        };
        QSet<QString> seen;
        for (const auto& c : cases) {
            const QString text = lessonProblemText(c.problem, c.arguments);
            QVERIFY2(text.contains(QString::fromUtf8(c.shows)), qPrintable(text));
            QVERIFY2(!text.contains(u'%'), qPrintable(text));
            seen.insert(text);
        }
        QCOMPARE(seen.size(), int(std::size(cases)));
    }

    // Who set the lesson comes from a file anyone may have written: shown on one line, in its
    // own direction, and not at all when the file does not say.
    void whoSetTheLessonIsShownSafely() {
        const LessonChoices choices{{"3", SettingOrigin::Lesson},
                                    {"ecb", SettingOrigin::Lesson},
                                    {"", SettingOrigin::Default}};
        const struct {
            LessonSettings lesson;
            const char* shows;
            const char* never;
        } cases[] = {
            {{"3", "ecb", "", "Иванова\u202e (PC1)\nx", "bad"}, "Иванова (PC1)?x, bad", "\u202e"},
            {{"3", "ecb", "", "", ""}, "(от учителя)", "Зададени"},
        };
        for (const auto& c : cases) {
            const QString text = lessonSummary(choices, QStringLiteral("3"),
                                               QStringLiteral("ЕЦБ"), &c.lesson);
            QVERIFY2(text.contains(QString::fromUtf8(c.shows)), qPrintable(text));
            QVERIFY2(!text.contains(QString::fromUtf8(c.never)), qPrintable(text));
        }
    }
};

QTEST_GUILESS_MAIN(LessonWordsTest)
#include "lesson_words_test.moc"

#include "window/common/share_string.h"

#include <QTest>

using namespace quiz;

class ShareStringTest : public QObject {
    Q_OBJECT

private slots:
    void saysUnderOrOverWhereTheShareIsNotWhatIsWritten() {
        const NumberStyle comma{.decimalSeparator = ","};
        const struct {
            double share;
            const char* text;
        } cases[] = {
            {0.0, "0\u00a0%"},     {0.00049, "под 0,1\u00a0%"}, {0.00099, "под 0,1\u00a0%"},
            {0.001, "0,1\u00a0%"}, {0.125, "12,5\u00a0%"},      {0.3125, "31,3\u00a0%"},
            {0.75, "75\u00a0%"},   {0.999, "99,9\u00a0%"},      {0.9996, "над 99,9\u00a0%"},
            {1.0, "100\u00a0%"},
        };
        for (const auto& c : cases) {
            QCOMPARE(shareString(c.share, comma), QString::fromUtf8(c.text));
        }
    }

    void aShareOfNothingIsADash() {
        QCOMPARE(shareOf(1, 0, NumberStyle{}), QStringLiteral("—"));
        QCOMPARE(shareOf(1, 8, NumberStyle{}), QString::fromUtf8("12.5\u00a0%"));
    }
};

QTEST_GUILESS_MAIN(ShareStringTest)
#include "share_string_test.moc"

// The number style the window hands the core, read from the user's locale.

#include "app/number_style_from_locale.h"

#include <QTest>

using namespace quiz;

class NumberStyleFromLocaleTest : public QObject {
    Q_OBJECT

private slots:
    void followsTheLocale_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("decimal");
        QTest::addColumn<QString>("group");
        QTest::addColumn<int>("groupSize");
        // Qt's C locale writes numbers without grouping.
        QTest::newRow("C") << QLocale::c() << "."
                           << "," << 0;
        QTest::newRow("bg_BG") << QLocale(QStringLiteral("bg_BG")) << ","
                               << "\u00A0" << 3;
        QTest::newRow("de_DE") << QLocale(QStringLiteral("de_DE")) << ","
                               << "." << 3;
        QTest::newRow("en_US") << QLocale(QStringLiteral("en_US")) << "."
                               << "," << 3;
    }

    void followsTheLocale() {
        QFETCH(QLocale, locale);
        QFETCH(QString, decimal);
        QFETCH(QString, group);
        QFETCH(int, groupSize);
        const NumberStyle style = numberStyleFrom(locale);
        QCOMPARE(QString::fromStdString(style.decimalSeparator), decimal);
        QCOMPARE(QString::fromStdString(style.groupSeparator), group);
        QCOMPARE(style.groupSize, groupSize);
    }

    void dropsGroupingWhenTheLocaleOmitsIt() {
        QLocale locale(QStringLiteral("de_DE"));
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        QCOMPARE(numberStyleFrom(locale).groupSize, 0);
    }
};

QTEST_MAIN(NumberStyleFromLocaleTest)
#include "number_style_from_locale_test.moc"

#include "NameCollation.h"
#include "TestRegistry.h"

#include <QtTest>

// Lists sort alike on every machine: symbols, then digits, then letters, case ignored.
class NameCollationTest : public QObject {
    Q_OBJECT

private slots:
    void symbolsDigitsLetters_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("C locale") << QLocale::c();
        QTest::newRow("system locale") << QLocale::system();
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany);
    }

    void symbolsDigitsLetters() {
        QFETCH(QLocale, locale);
        QStringList names{"zeta", "Beta", "9lives", "_Main", "alpha", "10x", "-dash", "Alpha2"};
        NameCollation(locale).sort(names);
        const QStringList expected{"_Main", "-dash", "10x", "9lives", "alpha", "Alpha2", "Beta", "zeta"};
        QCOMPARE(names, expected);
    }
};

TOLVANE_TEST(NameCollationTest)
#include "NameCollationTest.moc"

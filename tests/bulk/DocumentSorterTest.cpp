#include "IniText.h"
#include "TestRegistry.h"

#include "DocumentSorter.h"
#include "NameCollation.h"

#include <QtTest>

// Sorting one document, checked on its write-back bytes.
class DocumentSorterTest : public QObject {
    Q_OBJECT
private slots:
    void sortedText_data();
    void sortedText();
    void sortingKeepsLookUpAndOrder_data();
    void sortingKeepsLookUpAndOrder();
};

void DocumentSorterTest::sortedText_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("sections ignore case")
        << "en_US" << QByteArray("[beta]\nb=1\n[Alpha]\na=1\n[gamma]\ng=1\n")
        << QByteArray("[Alpha]\r\na=1\r\n\r\n[beta]\r\nb=1\r\n\r\n[gamma]\r\ng=1\r\n\r\n");
    QTest::newRow("entries ignore case") << "C" << QByteArray("[S]\nZeta=1\nalpha=2\nBeta=3\n")
                                         << QByteArray("[S]\r\nalpha=2\r\nBeta=3\r\nZeta=1\r\n\r\n");
    QTest::newRow("whole line: symbol before digit")
        << "en_US" << QByteArray("[S]\nItem2=a\nItem=b\n") << QByteArray("[S]\r\nItem=b\r\nItem2=a\r\n\r\n");
    QTest::newRow("whole line: underscore before equals")
        << "en_US" << QByteArray("[S]\nItem=b\nItem_x=a\n") << QByteArray("[S]\r\nItem_x=a\r\nItem=b\r\n\r\n");
    QTest::newRow("duplicate key: later line wins")
        << "C" << QByteArray("[S]\nK=b\nk=a\n[T]\nx=2\nX=1\n") << QByteArray("[S]\r\nk=a\r\n\r\n[T]\r\nX=1\r\n\r\n");
    QTest::newRow("accent sorts with its letter") << "en_US" << QByteArray("[S]\nZebra=2\n\xE4rger=1\nabc=3\n")
                                                  << QByteArray("[S]\r\nabc=3\r\n\xE4rger=1\r\nZebra=2\r\n\r\n");
    QTest::newRow("a locale's contraction: Czech ch after h")
        << "cs_CZ" << QByteArray("[S]\nch=1\nh=2\ni=3\n") << QByteArray("[S]\r\nh=2\r\nch=1\r\ni=3\r\n\r\n");
    QTest::newRow("names read in the file's code page")
        << "en_US" << QByteArray("[Main]\nFontCharset=204\n[\xC0]\na=1\n[Z]\nb=1\n")
        << QByteArray("[Main]\r\nFontCharset=204\r\n\r\n[Z]\r\nb=1\r\n\r\n[\xC0]\r\na=1\r\n\r\n");
    QTest::newRow("empty section goes") << "C" << QByteArray("[A]\n[B]\nx=1\n[C]\n")
                                        << QByteArray("[B]\r\nx=1\r\n\r\n");
    QTest::newRow("duplicate sections merged, later value wins")
        << "C" << QByteArray("[Texts]\nA=1\nB=1\n[x]\ny=1\n[texts]\na=2\nC=3\n")
        << QByteArray("[Texts]\r\na=2\r\nB=1\r\nC=3\r\n\r\n[x]\r\ny=1\r\n\r\n");
    QTest::newRow("line without = kept") << "C" << QByteArray("[S]\nb=1\nJust text\na=2\n")
                                         << QByteArray("[S]\r\na=2\r\nb=1\r\nJust text\r\n\r\n");
    QTest::newRow("sorted file keeps its order, loses comments")
        << "C" << QByteArray("; note\r\n[A]\r\na=1\r\n\r\n; more\r\n[B]\r\nb=2\r\n")
        << QByteArray("[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\n\r\n");
}

void DocumentSorterTest::sortedText() {
    QFETCH(QString, locale);
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, expected);
    IniDocument document = iniFromText(text);
    document.setFileName(QStringLiteral("x.lng"));
    const DocumentSorter sorter{QLocale(locale)};
    QCOMPARE(sorter.sortedText(document), expected);
    const IniDocument sorted = sorter.sorted(document);
    QCOMPARE(sorted.toText(), expected);
    QCOMPARE(sorted.fileName(), QStringLiteral("x.lng"));
}

void DocumentSorterTest::sortingKeepsLookUpAndOrder_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<uint>("stream");
    for (const char* locale : {"en_US", "C", "de_DE", "cs_CZ"}) {
        for (uint stream = 1; stream <= 3; ++stream) {
            QTest::addRow("%s %u", locale, stream) << QString::fromLatin1(locale) << stream;
        }
    }
}

// Random documents of punctuation, digits, letters in both cases, accents and duplicates: every
// look-up reads as before, adjacent lines stand in the collation's order, sorting again changes nothing.
void DocumentSorterTest::sortingKeepsLookUpAndOrder() {
    QFETCH(QString, locale);
    QFETCH(uint, stream);
    uint32_t state = stream;
    auto next = [&](int n) {
        state = state * 1664525u + 1013904223u;
        return int((state >> 8) % uint32_t(n));
    };
    const QByteArray alphabet("aAbBcChHzZ09_-=. ;!\xE4\xC4\xE9");
    auto word = [&] {
        QByteArray text = QByteArray(1, "abcCH"[next(5)]);
        for (int i = next(6); i > 0; --i) {
            text += alphabet[next(int(alphabet.size()))];
        }
        return text.trimmed();
    };
    QByteArray text;
    for (int section = 0; section < 12; ++section) {
        text += "[" + word().left(2) + "]\n";
        for (int line = next(15); line > 0; --line) {
            text += next(10) == 0 ? word() + "\n" : word() + "=" + word() + "\n";
        }
    }
    const IniDocument original = iniFromText(text);
    const DocumentSorter sorter{QLocale(locale)};
    const IniDocument sorted = sorter.sorted(original);
    const NameCollation collation{QLocale(locale)};
    // The first pair out of order, or nothing.
    auto misordered = [&](const QList<QByteArray>& names) {
        for (qsizetype i = 1; i < names.size(); ++i) {
            const QString a = QString::fromLatin1(names.at(i - 1));
            const QString b = QString::fromLatin1(names.at(i));
            if (collation.sortKey(a).compare(collation.sortKey(b)) > 0) {
                return a + " > " + b;
            }
        }
        return QString();
    };
    QVERIFY2(misordered(sorted.sections()).isEmpty(), qPrintable(misordered(sorted.sections())));
    for (const QByteArray& section : original.sections()) {
        const QString wrong = misordered(sorted.lines(section));
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        for (const QByteArray& key : original.keys(section)) {
            QCOMPARE(sorted.readString(section, key, "<none>"), original.readString(section, key, "<none>"));
        }
    }
    QCOMPARE(sorter.sorted(sorted).toText(), sorted.toText());
}

TOLVANE_TEST(DocumentSorterTest)
#include "DocumentSorterTest.moc"

#include "AnsiCase.h"
#include "CodePage.h"
#include "IniDocument.h"
#include "IniText.h"
#include "TestRegistry.h"

#include <QTest>

namespace {

const char* const Duplicates = "[Texts]\nA=1\na=2\nB=x\nEmpty=\n[texts]\nA=3\nLong.Caption.Key=early\n"
                               "long.caption.KEY = late\n[\xE9t\xE9]\n\xE0=grave\n";

} // namespace

class IniDocumentSectionRefTest : public QObject {
    Q_OBJECT

private slots:
    void lastDuplicateWins_data() {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("expected"); // "<none>": missing
        QTest::newRow("last section, exact case") << QByteArray("texts") << QByteArray("A") << QByteArray("3");
        QTest::newRow("section in other case") << QByteArray("TEXTS") << QByteArray("a") << QByteArray("3");
        QTest::newRow("key only in the earlier section")
            << QByteArray("Texts") << QByteArray("B") << QByteArray("<none>");
        QTest::newRow("last key of a long name")
            << QByteArray("texts") << QByteArray("LONG.CAPTION.key") << QByteArray("late");
        QTest::newRow("Windows-1252 letters") << QByteArray("\xC9T\xC9") << QByteArray("\xC0") << QByteArray("grave");
        QTest::newRow("prefix of a key") << QByteArray("texts") << QByteArray("Long.Caption.Ke")
                                         << QByteArray("<none>");
        QTest::newRow("missing section") << QByteArray("Other") << QByteArray("A") << QByteArray("<none>");
    }

    void lastDuplicateWins() {
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, expected);
        const IniDocument document = iniFromText(Duplicates);
        const IniDocument::SectionRef ref = document.findSection(section);
        QCOMPARE(ref.isValid(), document.hasSection(section));
        QCOMPARE(document.readString(ref, key, "<none>"), expected);
        QCOMPARE(document.readString(section, key, "<none>"), expected);
        QCOMPARE(document.containsKey(ref, key), expected != "<none>");
        const QByteArrayView view = document.valueView(ref, key);
        QCOMPARE(view.isNull(), expected == "<none>");
        if (!view.isNull()) {
            QCOMPARE(view.toByteArray(), expected);
        }
    }

    void emptyValueIsNotMissing() {
        const IniDocument document = iniFromText(Duplicates);
        const IniDocument::SectionRef ref = document.findSection("Texts");
        // The earlier [Texts] is hidden by [texts], which has no "Empty".
        QVERIFY(document.valueView(ref, "Empty").isNull());
        const IniDocument single = iniFromText("[S]\nEmpty=\n");
        const QByteArrayView view = single.valueView(single.findSection("s"), "EMPTY");
        QVERIFY(!view.isNull());
        QVERIFY(view.isEmpty());
        QCOMPARE(single.readString(single.findSection("s"), "empty", "default"), QByteArray(""));
    }

    void handleSurvivesWrites() {
        IniDocument document = iniFromText("[A]\nk=1\n[B]\nk=2\nk=3\n");
        const IniDocument::SectionRef b = document.findSection("b");
        document.writeString("B", "K", "changed");
        QCOMPARE(document.readString(b, "k"), QByteArray("changed"));
        document.writeString("b", "added", "new");
        document.writeString("C", "k", "elsewhere");
        for (int i = 0; i < 1000; ++i) { // grows the key table and the written text
            document.writeString("A", "n" + QByteArray::number(i), QByteArray(40, 'v'));
        }
        QCOMPARE(document.readString(b, "ADDED"), QByteArray("new"));
        QCOMPARE(document.readString(b, "k"), QByteArray("changed"));
        document.deleteKey("B", "k");
        QCOMPARE(document.readString(b, "k"), QByteArray("2")); // the earlier duplicate answers again
        QCOMPARE(document.readString(document.findSection("a"), "n999"), QByteArray(40, 'v'));
    }

    void handleGoesStale_data() {
        QTest::addColumn<int>("change");
        QTest::newRow("earlier section erased") << 0;
        QTest::newRow("its own section erased") << 1;
        QTest::newRow("cleared") << 2;
        QTest::newRow("reloaded with the same text") << 3;
    }

    void handleGoesStale() {
        QFETCH(int, change);
        const QByteArray text = "[A]\nk=a\n[B]\nk=b\n[C]\nk=c\n";
        IniDocument document = iniFromText(text);
        const IniDocument::SectionRef b = document.findSection("B");
        QCOMPARE(document.readString(b, "k"), QByteArray("b"));
        switch (change) {
        case 0:
            document.eraseSection("A"); // B now sits where A was, C where B was
            break;
        case 1:
            document.eraseSection("B");
            break;
        case 2:
            document.clear();
            break;
        default:
            document.setFromText(text);
            break;
        }
        QVERIFY(document.valueView(b, "k").isNull());
        QVERIFY(!document.containsKey(b, "k"));
        QCOMPARE(document.readString(b, "k", "stale"), QByteArray("stale"));
    }

    void handleOfAnotherDocumentFindsNothing() {
        const IniDocument first = iniFromText("[A]\nk=1\n");
        const IniDocument second = iniFromText("[A]\nk=2\n");
        QVERIFY(second.valueView(first.findSection("A"), "k").isNull());
        QVERIFY(first.valueView(IniDocument::SectionRef(), "k").isNull());
        QVERIFY(!IniDocument::SectionRef().isValid());
    }

    // Names of every length, so that whole words, tails and short names are all compared.
    void caseInsensitiveNamesOfEveryLength() {
        for (int size = 1; size <= 24; ++size) {
            for (int b = 1; b < 256; ++b) {
                QByteArray name(size, 'k');
                name[size - 1 - (b % size)] = char(b);
                const QByteArray upperName = ansiUpper(name);
                QVERIFY(AnsiCase::equal(name.constData(), size_t(size), upperName.constData(), size_t(size)));
                QCOMPARE(AnsiCase::hash(name.constData(), size_t(size)),
                         AnsiCase::hash(upperName.constData(), size_t(size)));
            }
            for (int position = 0; position < size; ++position) {
                const QByteArray name(size, 'a');
                QByteArray other = name;
                other[position] = 'b';
                QVERIFY2(!AnsiCase::equal(name.constData(), size_t(size), other.constData(), size_t(size)),
                         qPrintable(QStringLiteral("size %1, position %2").arg(size).arg(position)));
                other[position] = 'A';
                QVERIFY(AnsiCase::equal(name.constData(), size_t(size), other.constData(), size_t(size)));
            }
        }
    }
};

TOLVANE_TEST(IniDocumentSectionRefTest)
#include "IniDocumentSectionRefTest.moc"

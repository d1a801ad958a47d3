#include "AnsiCase.h"
#include "IniDocument.h"
#include "TestRegistry.h"

#include <QElapsedTimer>
#include <QSet>
#include <QTest>

namespace {

constexpr int NameCount = 50000;
constexpr int NameSize = 20;

// The number written in the alphabet's letters, NameSize of them: every name differs from
// every other one even after upper-casing, as no two letters of an alphabet are case pairs.
QByteArray nameFor(int number, const QByteArray& alphabet) {
    QByteArray name(NameSize, alphabet[0]);
    for (int i = NameSize - 1; i >= 0 && number > 0; --i) {
        name[i] = alphabet[number % alphabet.size()];
        number /= int(alphabet.size());
    }
    return name;
}

QByteArray fileOf(const QByteArray& alphabet, bool asSections) {
    QByteArray text;
    if (!asSections) {
        text += "[Texts]\r\n";
    }
    for (int i = 0; i < NameCount; ++i) {
        const QByteArray name = nameFor(i, alphabet);
        text += asSections ? "[" + name + "]\r\nk=" + QByteArray::number(i) + "\r\n"
                           : name + "=" + QByteArray::number(i) + "\r\n";
    }
    return text;
}

qint64 millisecondsToLoad(IniDocument& document, const QByteArray& text) {
    QElapsedTimer timer;
    timer.start();
    document.setFromText(text);
    return timer.elapsed();
}

} // namespace

class IniDocumentScaleTest : public QObject {
    Q_OBJECT

private slots:
    // Letters that differ from each other in the bits that letter case touches elsewhere.
    void namesDifferingAfterUpperCasing_data() {
        QTest::addColumn<QByteArray>("alphabet");
        QTest::addColumn<bool>("asSections");
        const QByteArray high("\x89\x99\xA9\xB9\xC9\xD9");
        for (const bool asSections : {false, true}) {
            const char* what = asSections ? "sections" : "keys";
            QTest::addRow("%s of @`", what) << QByteArray("@`") << asSections;
            QTest::addRow("%s of [{", what) << QByteArray("[{") << asSections;
            QTest::addRow("%s of ^~", what) << QByteArray("^~") << asSections;
            QTest::addRow("%s of high bytes", what) << high << asSections;
        }
    }

    void namesDifferingAfterUpperCasing() {
        QFETCH(QByteArray, alphabet);
        QFETCH(bool, asSections);
        const QByteArray adversarial = fileOf(alphabet, asSections);
        const QByteArray plain = fileOf("0123456789", asSections);
        QCOMPARE(plain.size(), adversarial.size());
        IniDocument document;
        const qint64 plainTime = millisecondsToLoad(document, plain);
        const qint64 adversarialTime = millisecondsToLoad(document, adversarial);
        QVERIFY2(adversarialTime < 1000 && adversarialTime <= 4 * plainTime + 100,
                 qPrintable(QStringLiteral("%1 ms against %2 ms").arg(adversarialTime).arg(plainTime)));

        QSet<uint32_t> hashes;
        for (int i = 0; i < NameCount; ++i) {
            const QByteArray name = nameFor(i, alphabet);
            hashes.insert(AnsiCase::hash(name.constData(), size_t(name.size())));
        }
        // 50,000 random 32-bit hashes would rarely share even one value.
        QVERIFY2(hashes.size() > NameCount - 10, qPrintable(QString::number(hashes.size())));

        const IniDocument::SectionRef texts = document.findSection(asSections ? nameFor(1234, alphabet) : "Texts");
        QCOMPARE(document.readString(texts, asSections ? QByteArray("k") : nameFor(1234, alphabet)), "1234");
        if (asSections) {
            QCOMPARE(document.sections().size(), NameCount);
        } else {
            QCOMPARE(document.distinctKeyCount(texts), NameCount);
        }
    }

    void deletingManyKeys() {
        QByteArray text = "[Texts]\r\n";
        for (int i = 0; i < NameCount; ++i) {
            text += "k" + QByteArray::number(i) + "=" + QByteArray::number(i) + "\r\n";
        }
        IniDocument document;
        document.setFromText(text);
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < NameCount; i += 2) {
            document.deleteKey("Texts", "K" + QByteArray::number(i));
        }
        QList<QByteArray> odd;
        for (int i = 1; i < NameCount; i += 2) {
            odd.append("k" + QByteArray::number(i) + "=" + QByteArray::number(i));
        }
        QCOMPARE(document.lines("Texts"), odd);
        QCOMPARE(document.readString("Texts", "k0", "gone"), "gone");
        QCOMPARE(document.readString("Texts", "k4321"), "4321");
        for (int i = NameCount - 1; i > 0; i -= 2) {
            document.deleteKey("Texts", "k" + QByteArray::number(i));
        }
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(document.hasSection("Texts"));
        QCOMPARE(document.toText(), QByteArray("[Texts]\r\n\r\n"));
    }

    // Each key twice, far apart: every deletion uncovers the earlier line.
    void deletingManyDuplicatedKeys() {
        constexpr int Half = NameCount / 2;
        QByteArray text = "[Texts]\r\n";
        for (const char* pass : {"first", "second"}) {
            for (int i = 0; i < Half; ++i) {
                text += "k" + QByteArray::number(i) + "=" + pass + "\r\n";
            }
        }
        IniDocument document;
        document.setFromText(text);
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < Half; ++i) {
            document.deleteKey("Texts", "k" + QByteArray::number(i));
            QCOMPARE(document.readString("Texts", "k" + QByteArray::number(i)), "first");
        }
        QCOMPARE(document.lines("Texts").size(), Half);
        QCOMPARE(document.lines("Texts").last(), "k" + QByteArray::number(Half - 1) + "=first");
        for (int i = Half - 1; i >= 0; --i) {
            document.deleteKey("Texts", "k" + QByteArray::number(i));
        }
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(document.lines("Texts").isEmpty());
    }

    void erasingManySections() {
        constexpr int Count = 40000;
        QByteArray text;
        QByteArray expected;
        for (int i = 0; i < Count; ++i) {
            const QByteArray section = "[s" + QByteArray::number(i) + "]\r\nk=" + QByteArray::number(i) + "\r\n\r\n";
            text += section;
            if (i % 2 == 1) {
                expected += section;
            }
        }
        // A duplicate name: erasing the last one uncovers the first.
        text += "[S7]\r\nk=again\r\n\r\n";
        IniDocument document;
        document.setFromText(text);
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < Count; i += 2) {
            document.eraseSection("S" + QByteArray::number(i));
        }
        document.eraseSection("s7");
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(document.sections().size(), Count / 2);
        QCOMPARE(document.readString("s7", "k"), "7");
        QCOMPARE(document.readString("s8", "k", "gone"), "gone");
        QCOMPARE(document.toText(), expected);
        document.writeString("s8", "k", "new");
        QCOMPARE(document.sections().last(), "s8");
    }
};

TOLVANE_TEST(IniDocumentScaleTest)
#include "IniDocumentScaleTest.moc"

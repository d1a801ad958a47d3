#include "IniDocument.h"
#include "TestRegistry.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// The text split as the loader splits it: at CR LF, CR or LF, up to the first NUL.
QList<QByteArray> splitLines(QByteArray text) {
    const qsizetype nul = text.indexOf('\0');
    if (nul >= 0) {
        text.truncate(nul);
    }
    QList<QByteArray> lines;
    qsizetype begin = 0;
    while (begin < text.size()) {
        qsizetype stop = begin;
        while (stop < text.size() && text[stop] != '\r' && text[stop] != '\n') {
            ++stop;
        }
        lines.append(text.mid(begin, stop - begin));
        begin = stop + (stop + 1 < text.size() && text[stop] == '\r' && text[stop + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

// Text mostly in write-back form, with now and then one of the things that take a line or
// a section out of it.
QByteArray randomText(QRandomGenerator& random) {
    const char* const oddities[] = {" ", "\t", "  ", ";c", "\r", "\n", "\r\n", "= ", " ="};
    auto odd = [&](int oneIn) { return random.bounded(oneIn) == 0 ? QByteArray(oddities[random.bounded(9)]) : ""; };
    auto lineEnd = [&] { return random.bounded(30) == 0 ? QByteArray(random.bounded(2) ? "\n" : "\r") : "\r\n"; };
    QByteArray text = odd(4);
    const int sections = 1 + random.bounded(5);
    for (int s = 0; s < sections; ++s) {
        text +=
            odd(20) + "[" + odd(20) + "S" + QByteArray::number(random.bounded(4)) + odd(20) + "]" + odd(20) + lineEnd();
        const int lines = random.bounded(6);
        for (int l = 0; l < lines; ++l) {
            if (random.bounded(10) == 0) {
                text += "bare" + odd(10) + lineEnd(); // a line without "="
                continue;
            }
            text += odd(20) + "k" + QByteArray::number(random.bounded(5)) + odd(20) + "=" + odd(20) + "v" +
                    QByteArray::number(l) + odd(20) + lineEnd();
        }
        if (random.bounded(8) != 0) {
            text += odd(10) + "\r\n";
        }
        text += odd(10);
    }
    if (random.bounded(10) == 0) {
        text += QByteArray("\0tail", 5);
    }
    return text;
}

} // namespace

// Sections whose text is already in write-back form are written back as they lie; that must
// give what rebuilding every line gives, before and after the document changes.
class IniDocumentWriteFormTest : public QObject {
    Q_OBJECT

private slots:
    void writtenAsRebuilt_data() {
        QTest::addColumn<quint32>("run");
        for (quint32 run = 1; run <= 300; ++run) {
            QTest::newRow(QByteArray::number(run).constData()) << run;
        }
    }

    void writtenAsRebuilt() {
        QFETCH(quint32, run);
        QRandomGenerator random(run);
        const QByteArray text = randomText(random);
        IniDocument loaded;
        loaded.setFromText(text);
        IniDocument rebuilt; // lines given apart are never copied as they lie
        rebuilt.setFromLines(splitLines(text));
        QCOMPARE(loaded.toText(), rebuilt.toText());
        for (int change = 0; change < 3; ++change) {
            const QByteArray section = "S" + QByteArray::number(random.bounded(4));
            const QByteArray key = "k" + QByteArray::number(random.bounded(5));
            switch (random.bounded(4)) {
            case 0:
                loaded.writeString(section, key, "new");
                rebuilt.writeString(section, key, "new");
                break;
            case 1:
                loaded.deleteKey(section, key);
                rebuilt.deleteKey(section, key);
                break;
            case 2:
                loaded.writeLine(section, {QByteArrayView(), QByteArrayView(), "added"});
                rebuilt.writeLine(section, {QByteArrayView(), QByteArrayView(), "added"});
                break;
            default:
                loaded.eraseSection(section);
                rebuilt.eraseSection(section);
                break;
            }
            QCOMPARE(loaded.toText(), rebuilt.toText());
        }
    }
};

TOLVANE_TEST(IniDocumentWriteFormTest)
#include "IniDocumentWriteFormTest.moc"

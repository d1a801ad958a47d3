#include "LanguageSearch.h"
#include "EditorTestFiles.h"
#include "TestRegistry.h"

#include <QtTest>

using namespace LanguageSearch;

namespace {

// Hits as "section|key|data", one string a hit.
QByteArrayList spelled(const QList<Hit>& hits) {
    QByteArrayList lines;
    for (const Hit& hit : hits) {
        lines.append(hit.section.toByteArray() + '|' + hit.key.toByteArray() + '|' + hit.data.toByteArray());
    }
    return lines;
}

const char WithNul[] = "[S]\rA=x\nB=x\r\r\nC=x\0D=x";

} // namespace

// The search over the raw lines of the three language files.
class LanguageSearchTest : public QObject {
    Q_OBJECT
private slots:
    void hitsInRawLines_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("term");
        QTest::addColumn<QByteArrayList>("hits");
        const auto row = [](const char* name, QByteArray text, const char* term, QByteArrayList hits) {
            QTest::newRow(name) << text << QByteArray(term) << hits;
        };
        row("values, not keys", "[S]\r\nOK=no\r\nA=OK\r\nB=Book\r\n", "ok", {"S|A|OK", "S|B|Book"});
        row("blanks kept", "[S]\r\n Title = Hello \r\n", "hello", {"S| Title | Hello "});
        row("term spanning an escape", "[S]\r\nK=one%0D%0Atwo\r\n", "E%0d%0aT", {"S|K|one%0D%0Atwo"});
        row("broken headers", "[Broken\r\nK=x\r\n[]\r\nL=x\r\n[\nM=x", "x", {"Broke|K|x", "|L|x", "|M|x"});
        row("headers are not searched", "[Hello]\r\nK=a\r\n", "hello", {});
        row("only a to z fold", "[S]\r\nK=\xe9t\xe9\r\nL=\xc9T\xc9\r\n", "\xe9T\xe9", {"S|K|\xe9t\xe9"});
        row("` stays", "[S]\r\nK=` and more text\r\n", "@", {});
        row("{ stays", "[S]\r\nK={ and more text\r\n", "[", {});
        row("first = splits", "[S]\r\nK=a=b\r\nk=ab\r\n", "K=A", {});
        row("no =, comments, no header yet", "x=ab\r\n[S]\r\n; ab\r\nJust ab\r\n", "AB",
            {"|x|ab", "S||; ab", "S||Just ab"});
        row("no hit across a line end", "[S]\rA=ab\nB=cd", "b\nB", {});
        row("CR, LF and NUL end lines", QByteArray(WithNul, sizeof WithNul - 1), "x", {"S|A|x", "S|B|x", "S|C|x"});
        row("empty term", "[S]\r\nA=x\r\n", "", {});
    }

    void hitsInRawLines() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, term);
        QFETCH(QByteArrayList, hits);
        QCOMPARE(spelled(searchText(text, term)), hits);
    }

    // A text much larger than the pieces it is upper-cased in, with line ends of every kind.
    void bigTextFindsWhatEachPartFinds() {
        QByteArray part = "[Sec]\r\n";
        for (int i = 0; i < 41; ++i) {
            part += "K" + QByteArray::number(i) + '=' + QByteArray(i % 7, 'x') + (i % 3 ? "ok" : "o\rk") +
                    (i % 2 ? "\n" : "\r\n");
        }
        const QByteArrayList once = spelled(searchText(part, "OK"));
        QCOMPARE(once.size(), 27);
        QByteArray text;
        QByteArrayList expected;
        for (int i = 0; i < 3000; ++i) {
            text += part;
            expected += once;
        }
        int headers = 0;
        QCOMPARE(spelled(searchText(text, "OK", [&](QByteArrayView line) { headers += line == "[Sec]"; })), expected);
        QCOMPARE(headers, 3000);
    }

    // Which files a search reads: "r", "s", "d" for the three paths given.
    void filesSearched_data() {
        QTest::addColumn<QByteArray>("paths");
        QTest::addColumn<QByteArray>("checked");
        QTest::addColumn<QByteArray>("files");
        const auto row = [](const char* name, const char* paths, const char* checked, const char* files) {
            QTest::newRow(name) << QByteArray(paths) << QByteArray(checked) << QByteArray(files);
        };
        row("three files", "rsd", "RSD", "RSD");
        row("source same as reference: once", "rrd", "RSD", "RD");
        row("destination same as reference: twice", "rsr", "RSD", "RSD");
        row("reference unchecked, source same file", "rrd", "-SD", "SD");
        row("unchecked", "rsd", "R--", "R");
        row("missing destination", "rsm", "RSD", "RS");
        row("before the first edit", "   ", "RSD", "");
    }

    void filesSearched() {
        QFETCH(QByteArray, paths);
        QFETCH(QByteArray, checked);
        QFETCH(QByteArray, files);
        QTemporaryDir dir;
        Request request;
        request.term = QStringLiteral("Ok");
        for (int file = 0; file < 3; ++file) {
            const char name = paths.at(file);
            request.paths[file] = name == ' ' ? QString() : dir.filePath(QLatin1Char(name) + QStringLiteral(".lng"));
            if (name != 'm' && name != ' ') {
                EditorTestFiles::write(request.paths[file], QByteArray("[S]\r\nKey=ok ") + name + "\r\n");
            }
            request.searched[file] = checked.at(file) != '-';
        }
        const Result result = search(request);
        QVERIFY(result.finished());
        QByteArray found;
        for (const Row& row : result.rows) {
            found += "RSD"[row.file];
            QCOMPARE(row.hit.data.toByteArray(), QByteArray("ok ") + paths.at(row.file));
        }
        QCOMPARE(found, files);
    }

    void termIsSearchedInEachFilesCodePage() {
        QTemporaryDir dir;
        Request request;
        request.term = QStringLiteral("Файл");
        request.codePages[EditingState::Reference] = 1251;
        request.searched[EditingState::Destination] = false;
        const QByteArray cyrillic = *CodePage::encode(request.term, 1251);
        for (const EditingState::Role file : {EditingState::Reference, EditingState::Source}) {
            request.paths[file] = dir.filePath(label(file));
            EditorTestFiles::write(request.paths[file], "[S]\r\nK=" + cyrillic + "\r\n");
        }
        const Result result = search(request);
        QCOMPARE(result.rows.size(), 1);
        QCOMPARE((std::pair(result.rows[0].file, result.rows[0].codePage)), std::pair(EditingState::Reference, 1251));
    }
};

TOLVANE_TEST(LanguageSearchTest)
#include "LanguageSearchTest.moc"

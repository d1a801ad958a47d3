#include "TestFiles.h"
#include "TestRegistry.h"

#include "FileError.h"
#include "IniDocument.h"
#include "RewriteGuard.h"

#include <QTemporaryDir>
#include <QtTest>

// Files that the loader cannot read whole are never written back.
class RewriteGuardTest : public QObject {
    Q_OBJECT

private slots:
    void onlyWholeReadableFilesAreRewritten_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("refusal"); // a part of the reason, empty when the file may be rewritten
        QTest::newRow("8-bit text") << QByteArray("[Main]\r\nLanguageName=Fran\xE7"
                                                  "ais\r\n")
                                    << "";
        QTest::newRow("NULs only at the end") << QByteArray("[A]\r\nK=v\r\n\0\0", 13) << "";
        QTest::newRow("NUL before the end") << QByteArray("[A]\r\nK=v\0\r\n[B]\r\n", 16) << "NUL byte before its end";
        QTest::newRow("UTF-16 without a mark") << QByteArray("[\0A\0]\0", 6) << "NUL byte before its end";
        QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBF[Main]\r\n") << "UTF-8 byte-order mark (EF BB BF)";
        QTest::newRow("UTF-16 LE mark") << QByteArray("\xFF\xFE[\0", 4) << "UTF-16 byte-order mark (FF FE)";
        QTest::newRow("UTF-16 BE mark") << QByteArray("\xFE\xFF\0[", 4) << "UTF-16 byte-order mark (FE FF)";
    }

    void onlyWholeReadableFilesAreRewritten() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, refusal);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("x.lng"));
        TestFiles::write(path, bytes);
        const IniDocument document(path);
        QCOMPARE(document.rewriteRefusal(), RewriteGuard::refusal(bytes));
        QCOMPARE(document.rewriteRefusal().isEmpty(), refusal.isEmpty());
        QVERIFY(document.rewriteRefusal().contains(refusal));
        try {
            RewriteGuard::ensureRewritable(document);
            QVERIFY(refusal.isEmpty());
        } catch (const FileError& e) {
            QCOMPARE(e.message(), QStringLiteral("Cannot create file \"%1\". %2").arg(path, document.rewriteRefusal()));
        }
    }
};

TOLVANE_TEST(RewriteGuardTest)
#include "RewriteGuardTest.moc"

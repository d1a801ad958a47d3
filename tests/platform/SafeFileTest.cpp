#include "TestFiles.h"
#include "TestRegistry.h"

#include "FileError.h"
#include "SafeFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class SafeFileTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
    }

    void writeReplacesWholeFileAndKeepsItsMode() {
        const QString path = m_dir->filePath(QStringLiteral("a.tvl"));
        SafeFile::writeAll(path, QByteArray("first version, rather long\n"));
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
        SafeFile::writeAll(path, QByteArray("x\0y", 3));
        QCOMPARE(SafeFile::readAll(path), QByteArray("x\0y", 3));
        QCOMPARE(QFile::permissions(path) & 0x7077,
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
        QCOMPARE(entries(), QStringList{QStringLiteral("a.tvl")});
    }

    void failedWriteLeavesEverythingAsItWas_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason");
        QTest::newRow("read-only target") << "readonly.tvl"
                                          << "Permission denied";
        QTest::newRow("missing folder") << "missing/new.tvl"
                                        << "No such file or directory";
        QTest::newRow("target is a folder") << "folder"
                                            << "Is a directory";
    }

    void failedWriteLeavesEverythingAsItWas() {
        QFETCH(QString, target);
        QFETCH(QString, reason);
        const QByteArray old("old bytes\r\n\xE4");
        const QString readOnly = m_dir->filePath(QStringLiteral("readonly.tvl"));
        TestFiles::write(readOnly, old);
        QVERIFY(
            QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder")));
        const QStringList before = entries();

        const QString path = m_dir->filePath(target);
        try {
            SafeFile::writeAll(path, QByteArray("new"));
            QFAIL("the write did not fail");
        } catch (const FileError& e) {
            QCOMPARE(e.message(), QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason));
        }
        QCOMPARE(SafeFile::readAll(readOnly), old);
        QCOMPARE(entries(), before);
        QVERIFY(QDir(m_dir->filePath(QStringLiteral("folder"))).isEmpty());
    }

    void readFailuresSayCannotOpen_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing file") << "none.tvl"
                                      << "No such file or directory";
        QTest::newRow("folder") << "."
                                << "Is a directory";
    }

    void readFailuresSayCannotOpen() {
        QFETCH(QString, target);
        QFETCH(QString, reason);
        const QString path = m_dir->filePath(target);
        try {
            SafeFile::readAll(path);
            QFAIL("the read did not fail");
        } catch (const FileError& e) {
            QCOMPARE(e.message(), QStringLiteral("Cannot open file \"%1\". %2").arg(path, reason));
            QCOMPARE(QString::fromStdString(e.what()), e.message());
        }
    }

    // Read into the same buffer, each file gives its own bytes; a copy taken of every other one
    // keeps its bytes while the next file is read.
    void readsIntoOneBuffer() {
        const QList<QByteArray> texts{QByteArray(300000, 'a'), "b\r\n", QByteArray(), QByteArray(70000, 'c'), "d"};
        const QString path = m_dir->filePath(QStringLiteral("read.tvl"));
        QByteArray buffer;
        QByteArray held;
        for (qsizetype i = 0; i < texts.size(); ++i) {
            TestFiles::write(path, texts.at(i));
            SafeFile::readAll(path, buffer);
            QCOMPARE(buffer, texts.at(i));
            QCOMPARE(held, i % 2 ? texts.at(i - 1) : QByteArray());
            held = i % 2 ? QByteArray() : buffer;
        }
    }

private:
    QStringList entries() const {
        return QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

TOLVANE_TEST(SafeFileTest)
#include "SafeFileTest.moc"

#include "TestFiles.h"
#include "TestRegistry.h"

#include "FileError.h"
#include "RegistryHive.h"
#include "SafeFile.h"
#include "ScopedWriteFault.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <climits>
#include <cstring>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

// Writes that fail part-way (the seam stands in for a full disk) and files that are not files.
class SafeWriteFaultTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_file = m_dir->filePath(QStringLiteral("a.tvl"));
        TestFiles::write(m_file, m_old);
    }

    void faultLeavesOldFileAndTellsWhy_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("nth");
        QTest::addColumn<int>("error");
        QTest::addColumn<bool>("inPlace"); // the folder takes no temporary file
        QTest::newRow("first block") << int(ScopedWriteFault::Write) << 1 << ENOSPC << false;
        QTest::newRow("third block") << int(ScopedWriteFault::Write) << 3 << ENOSPC << false;
        QTest::newRow("flush") << int(ScopedWriteFault::Flush) << 1 << EIO << false;
        QTest::newRow("rename") << int(ScopedWriteFault::Rename) << 1 << EXDEV << false;
        QTest::newRow("no temporary file") << int(ScopedWriteFault::CreateTemporary) << 1 << ENOSPC << false;
        QTest::newRow("in place, second block") << int(ScopedWriteFault::Write) << 2 << ENOSPC << true;
    }

    void faultLeavesOldFileAndTellsWhy() {
        QFETCH(int, step);
        QFETCH(int, nth);
        QFETCH(int, error);
        QFETCH(bool, inPlace);
        ScopedWriteFault noTemporary(ScopedWriteFault::CreateTemporary, inPlace ? 1 : 0, EACCES);
        ScopedWriteFault fault(ScopedWriteFault::Step(step), nth, error);
        const QStringList before = entries();
        try {
            SafeFile::writeAll(m_file, QByteArray(3 * SafeFile::WriteBlockSize, 'n'));
            QFAIL("the write did not fail");
        } catch (const FileError& e) {
            QCOMPARE(e.message(), QStringLiteral("Cannot create file \"%1\". %2").arg(m_file, std::strerror(error)));
        }
        QVERIFY(fault.fired());
        QCOMPARE(TestFiles::read(m_file), m_old);
        QCOMPARE(entries(), before);
    }

    void folderThatTakesNoNewFile() {
        const QString locked = m_dir->filePath(QStringLiteral("locked.tvl"));
        TestFiles::write(locked, m_old);
        QVERIFY(QFile::setPermissions(locked, QFileDevice::ReadOwner));
        const ino_t inode = status(m_file).st_ino;
        QVERIFY(QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        // Root may make files in any folder; the seam refuses the temporary file as the folder would.
        ScopedWriteFault asRoot(ScopedWriteFault::CreateTemporary, geteuid() == 0 ? 1 : 0, EACCES);
        SafeFile::writeAll(m_file, "rewritten in place");
        QVERIFY_THROWS_EXCEPTION(FileError, SafeFile::writeAll(locked, "new"));
        QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(TestFiles::read(m_file), QByteArray("rewritten in place"));
        QCOMPARE(status(m_file).st_ino, inode);
        QCOMPARE(TestFiles::read(locked), m_old);
    }

    void ownerAndGroupKept() {
        if (geteuid() != 0) {
            QSKIP("only root may give a file to another owner; run as root to test it");
        }
        QCOMPARE(::chown(QFile::encodeName(m_file).constData(), 4321, 8765), 0);
        SafeFile::writeAll(m_file, "new");
        QCOMPARE(status(m_file).st_uid, uid_t(4321));
        QCOMPARE(status(m_file).st_gid, gid_t(8765));
    }

    void readsRegularFilesOnly_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("link to /dev/zero") << "/dev/zero";
        QTest::newRow("link to a regular file") << "a.tvl";
    }

    void readsRegularFilesOnly() {
        QFETCH(QString, target);
        QCOMPARE(::mkfifo(QFile::encodeName(m_dir->filePath(QStringLiteral("fifo"))).constData(), 0600), 0);
        const QString link = m_dir->filePath(QStringLiteral("link.tvl"));
        QVERIFY(QFile::link(target, link));
        try {
            QCOMPARE(SafeFile::readAll(link), m_old);
            QCOMPARE(target, QStringLiteral("a.tvl"));
        } catch (const FileError& e) {
            QVERIFY(target != QStringLiteral("a.tvl"));
            QCOMPARE(e.message(), QStringLiteral("Cannot open file \"%1\". Not a regular file.").arg(link));
        }
    }

    void hiveWriteFaultKeepsTheHive_data() {
        QTest::addColumn<int>("step");
        QTest::newRow("write") << int(ScopedWriteFault::Write);
        QTest::newRow("flush") << int(ScopedWriteFault::Flush);
        QTest::newRow("rename") << int(ScopedWriteFault::Rename);
    }

    void hiveWriteFaultKeepsTheHive() {
        QFETCH(int, step);
        const QString path = m_dir->filePath(QStringLiteral("HKCU.reg"));
        const QString key = QStringLiteral("\\Software\\Kept");
        QVERIFY(RegistryHive(path).createKey(key));
        const QByteArray before = TestFiles::read(path);
        {
            ScopedWriteFault fault{ScopedWriteFault::Step(step)};
            QVERIFY(!RegistryHive(path).writeString(key, QStringLiteral("V"), QStringLiteral("v")));
            QVERIFY(fault.fired());
        }
        QCOMPARE(TestFiles::read(path), before);
        QVERIFY(RegistryHive(path).keyExists(key));
    }

    // Pieces handed over one by one reach the file whole and in order, in blocks of the block
    // size however they are cut; a block that fails, or a producer that throws, leaves the old
    // file and no temporary one.
    void streamedPieces_data() {
        QTest::addColumn<QList<int>>("pieces");
        QTest::addColumn<int>("failingBlock"); // 0: none
        QTest::addColumn<bool>("producerThrows");
        const int block = int(SafeFile::WriteBlockSize);
        QTest::newRow("nothing") << QList<int>{} << 0 << false;
        QTest::newRow("small pieces over two blocks") << QList<int>(3000, 50) << 0 << false;
        QTest::newRow("one piece of blocks and a bit") << QList<int>{3 * block + 7} << 0 << false;
        QTest::newRow("exact blocks") << QList<int>{block, block} << 0 << false;
        QTest::newRow("cut across blocks") << QList<int>{block - 1, 2, block + 3, 5, 2 * block} << 0 << false;
        QTest::newRow("second block fails") << QList<int>(4000, 70) << 2 << false;
        QTest::newRow("last block fails") << QList<int>{block, 10} << 2 << false;
        QTest::newRow("producer throws") << QList<int>{block, 10} << 0 << true;
    }

    void streamedPieces() {
        QFETCH(QList<int>, pieces);
        QFETCH(int, failingBlock);
        QFETCH(bool, producerThrows);
        QByteArray expected;
        for (int i = 0; i < pieces.size(); ++i) {
            for (int j = 0; j < pieces[i]; ++j) {
                expected += char('a' + (i + j / 7) % 26);
            }
        }
        const QStringList before = entries();
        ScopedWriteFault fault(ScopedWriteFault::Write, failingBlock == 0 ? INT_MAX : failingBlock);
        bool thrown = false;
        try {
            SafeFile::writeAll(m_file, [&](SafeFile::Stream& stream) {
                qsizetype at = 0;
                for (const int size : pieces) {
                    stream.write(expected.constData() + at, size);
                    at += size;
                }
                if (producerThrows) {
                    throw std::runtime_error("producer failed");
                }
            });
        } catch (const FileError&) {
            thrown = true;
        } catch (const std::runtime_error&) {
            thrown = true;
        }
        const qsizetype blocks = (expected.size() + SafeFile::WriteBlockSize - 1) / SafeFile::WriteBlockSize;
        QCOMPARE(thrown, failingBlock != 0 || producerThrows);
        QCOMPARE(TestFiles::read(m_file), thrown ? m_old : expected);
        QCOMPARE(entries(), before);
        // A producer that throws has only its full blocks written by then.
        const qsizetype written = producerThrows ? expected.size() / SafeFile::WriteBlockSize : blocks;
        QCOMPARE(fault.reached(), failingBlock != 0 ? failingBlock : int(written));
    }

private:
    QStringList entries() const {
        return QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    static struct stat status(const QString& path) {
        struct stat info {};
        ::stat(QFile::encodeName(path).constData(), &info);
        return info;
    }

    const QByteArray m_old = QByteArray("old bytes\r\n\xE4", 12).repeated(1000);
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_file;
};

TOLVANE_TEST(SafeWriteFaultTest)
#include "SafeWriteFaultTest.moc"

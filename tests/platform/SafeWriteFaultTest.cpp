#include "TestFiles.h"
#include "TestRegistry.h"

#include "FileError.h"
#include "RegistryHive.h"
#include "SafeFile.h"
#include "ScopedWriteFault.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

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
        QTest::newRow("first block") << int(ScopedWriteFault::Write) << 1 << ENOSPC;
        QTest::newRow("third block") << int(ScopedWriteFault::Write) << 3 << ENOSPC;
        QTest::newRow("flush") << int(ScopedWriteFault::Flush) << 1 << EIO;
        QTest::newRow("rename") << int(ScopedWriteFault::Rename) << 1 << EXDEV;
        QTest::newRow("no temporary file") << int(ScopedWriteFault::CreateTemporary) << 1 << ENOSPC;
        QTest::newRow("in place, second block") << int(ScopedWriteFault::Write) << 2 << EACCES;
    }

    void faultLeavesOldFileAndTellsWhy() {
        QFETCH(int, step);
        QFETCH(int, nth);
        QFETCH(int, error);
        // EACCES on the temporary file is a folder that takes no new file: the write goes in place.
        ScopedWriteFault noTemporary(ScopedWriteFault::CreateTemporary, error == EACCES ? 1 : 0, EACCES);
        ScopedWriteFault fault(ScopedWriteFault::Step(step), nth, error == EACCES ? ENOSPC : error);
        const QStringList before = entries();
        QVERIFY_THROWS_EXCEPTION(FileError, SafeFile::writeAll(m_file, QByteArray(3 * SafeFile::WriteBlockSize, 'n')));
        QVERIFY(fault.fired());
        QCOMPARE(TestFiles::read(m_file), m_old);
        QCOMPARE(entries(), before);
    }

    void reasonIsTheSystems() {
        ScopedWriteFault fault(ScopedWriteFault::Flush);
        try {
            SafeFile::writeAll(m_file, "new");
            QFAIL("the write did not fail");
        } catch (const FileError& e) {
            QCOMPARE(e.message(), QStringLiteral("Cannot create file \"%1\". No space left on device").arg(m_file));
        }
    }

    void folderThatTakesNoNewFile() {
        const QString locked = m_dir->filePath(QStringLiteral("locked.tvl"));
        TestFiles::write(locked, m_old);
        QVERIFY(QFile::setPermissions(locked, QFileDevice::ReadOwner));
        const struct stat before = status(m_file);
        QVERIFY(QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        // Root may make files in any folder; the seam refuses the temporary file as the folder would.
        ScopedWriteFault asRoot(ScopedWriteFault::CreateTemporary, geteuid() == 0 ? 1 : 0, EACCES);
        SafeFile::writeAll(m_file, "rewritten in place");
        QVERIFY_THROWS_EXCEPTION(FileError, SafeFile::writeAll(locked, "new"));
        QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(TestFiles::read(m_file), QByteArray("rewritten in place"));
        QCOMPARE(status(m_file).st_ino, before.st_ino);
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
        QTest::addColumn<bool>("readable");
        QTest::newRow("FIFO") << "fifo" << false;
        QTest::newRow("link to /dev/zero") << "/dev/zero" << false;
        QTest::newRow("link to a regular file") << "a.tvl" << true;
    }

    void readsRegularFilesOnly() {
        QFETCH(QString, target);
        QFETCH(bool, readable);
        QCOMPARE(::mkfifo(QFile::encodeName(m_dir->filePath(QStringLiteral("fifo"))).constData(), 0600), 0);
        const QString link = m_dir->filePath(QStringLiteral("link.tvl"));
        QVERIFY(QFile::link(target, link));
        if (readable) {
            QCOMPARE(SafeFile::readAll(link), m_old);
            return;
        }
        try {
            SafeFile::readAll(link);
            QFAIL("the read did not fail");
        } catch (const FileError& e) {
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
        QVERIFY(RegistryHive(path).createKey(QStringLiteral("\\Software\\Kept")));
        const QByteArray before = TestFiles::read(path);
        {
            ScopedWriteFault fault{ScopedWriteFault::Step(step)};
            QVERIFY(!RegistryHive(path).writeString(QStringLiteral("\\Software\\Kept"), QStringLiteral("V"),
                                                    QStringLiteral("v")));
            QVERIFY(fault.fired());
        }
        QCOMPARE(TestFiles::read(path), before);
        QVERIFY(RegistryHive(path).keyExists(QStringLiteral("\\Software\\Kept")));
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

#include "EditingState.h"
#include "EditorTestFiles.h"
#include "EntrySaver.h"
#include "ScopedWriteFault.h"
#include "TestRegistry.h"

#include <QThread>
#include <QtTest>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using EditorTestFiles::read;
using EditorTestFiles::write;

namespace {

const QByteArray Destination = "[S]\r\nA=1\r\nB=2\r\n[K=3\r\n\r\n[T]\r\nC=4\r\n\r\n";

// A tmpfs of 64 KiB mounted while it lives (root only), to be filled to the last page.
struct SmallDisk {
    explicit SmallDisk(const QString& folder)
        : path(QFile::encodeName(folder)),
          mounted(geteuid() == 0 && ::mount("tmpfs", path.constData(), "tmpfs", 0, "size=64k") == 0) {}
    ~SmallDisk() {
        if (mounted) {
            ::umount2(path.constData(), MNT_DETACH);
        }
    }
    void fill() const {
        QFile filler(QFile::decodeName(path + "/filler"));
        if (filler.open(QIODevice::WriteOnly)) {
            while (filler.write(QByteArray(4096, 'f')) > 0 && filler.flush()) {
            }
        }
    }
    const QByteArray path;
    const bool mounted;
};

} // namespace

// Saves that must not lose a byte: failed writes, texts and files that would not read back.
class EntrySaveSafetyTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_state = EditingState();
    }

    void failedWriteKeepsFileAndEntry_data() {
        QTest::addColumn<int>("step"); // -1: a read-only file, made writable after the failure
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::newRow("write, existing entry") << int(ScopedWriteFault::Write) << QByteArray("S") << QByteArray("A");
        QTest::newRow("flush, new entry in a section the file has")
            << int(ScopedWriteFault::Flush) << QByteArray("S") << QByteArray("New");
        QTest::newRow("rename, new section") << int(ScopedWriteFault::Rename) << QByteArray("U") << QByteArray("New");
        QTest::newRow("read-only file") << -1 << QByteArray("S") << QByteArray("New");
    }

    void failedWriteKeepsFileAndEntry() {
        QFETCH(int, step);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        load(m_dir->path(), Destination, section, key);
        const bool readOnly = step < 0;
        QVERIFY(!readOnly || QFile::setPermissions(dst(), QFile::ReadOwner));
        {
            ScopedWriteFault fault(ScopedWriteFault::Step(std::max(step, 0)), readOnly ? 0 : 1);
            const EntrySaver::Result result = EntrySaver::save(m_state, QStringLiteral("new"));
            QVERIFY(!result.saved && (readOnly || fault.fired()));
            QCOMPARE(result.error, QStringLiteral("Cannot create file \"%1\". %2")
                                       .arg(dst(), readOnly ? "Permission denied" : "No space left on device"));
        }
        // Making the file writable changes it on disk (after the clock's tick): it is read again,
        // with the kept entry put back.
        if (readOnly) {
            QThread::msleep(20);
            QVERIFY(QFile::setPermissions(dst(), QFile::ReadOwner | QFile::WriteOwner));
        }
        QCOMPARE(read(dst()), Destination);
        IniDocument expected = iniFromText(Destination);
        expected.writeString(section, key, "new");
        QCOMPARE(m_state.destination()->toText(), expected.toText());
        // The next save that succeeds writes the kept entry with its own.
        m_state.currentSection = "T";
        m_state.currentKey = "C";
        QVERIFY(EntrySaver::save(m_state, QStringLiteral("c")).saved);
        expected.writeString("T", "C", "c");
        QCOMPARE(read(dst()), expected.toText());
    }

    void whatWouldNotReadBackIsRefused_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refusal"); // empty: saved, and read back as the same entry
        const QString header = QStringLiteral("would be read back as a section header");
        QTest::newRow("NUL") << Destination << QByteArray("A") << QString(QStringLiteral("a") + QChar(0) + "b")
                             << "NUL character";
        QTest::newRow("bracket key, text ends with a bracket") << Destination << QByteArray("[K") << "x]" << header;
        QTest::newRow("... and a blank") << Destination << QByteArray("[K") << "x] " << header;
        QTest::newRow("bracket key, bracket inside") << Destination << QByteArray("[K") << "x] y"
                                                     << "";
        QTest::newRow("UTF-8 byte-order mark")
            << QByteArray("\xEF\xBB\xBF[Main]\r\nFontCharset=0\r\n[S]\r\nA=1\r\n") << QByteArray("A") << "new"
            << "byte-order mark";
        const QString utf16 = QStringLiteral("\uFEFF[S]\r\nA=Abbrechen\r\n");
        QTest::newRow("UTF-16") << QByteArray(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2)
                                << QByteArray("A") << "new"
                                << "byte-order mark";
    }

    void whatWouldNotReadBackIsRefused() {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, key);
        QFETCH(QString, text);
        QFETCH(QString, refusal);
        load(m_dir->path(), file, "S", key);
        const QByteArray document = m_state.destination()->toText();
        const EntrySaver::Result result = EntrySaver::save(m_state, text);
        QCOMPARE(result.saved, refusal.isEmpty());
        QVERIFY2(result.error.contains(refusal), qPrintable(result.error));
        if (refusal.isEmpty()) {
            QCOMPARE(IniDocument(dst()).readString("S", key), text.toLatin1());
        } else {
            QCOMPARE(read(dst()), file);
            QCOMPARE(m_state.destination()->toText(), document);
        }
    }

    void changeInPlaceWithOldTimeIsNoticed() {
        load(m_dir->path(), Destination, "S", "A");
        QThread::msleep(20); // past the file system's clock tick
        struct stat before {};
        QCOMPARE(::stat(QFile::encodeName(dst()).constData(), &before), 0);
        const int fd = ::open(QFile::encodeName(dst()).constData(), O_WRONLY);
        QCOMPARE(::pwrite(fd, "9", 1, Destination.indexOf("B=2") + 2), ssize_t(1));
        const struct timespec times[2] = {before.st_atim, before.st_mtim};
        QCOMPARE(::futimens(fd, times), 0);
        ::close(fd);
        QVERIFY(EntrySaver::save(m_state, QStringLiteral("new")).saved);
        QVERIFY(read(dst()).startsWith("[S]\r\nA=new\r\nB=9\r\n"));
    }

    void fullDisk() {
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("disk")));
        const SmallDisk disk(m_dir->filePath(QStringLiteral("disk")));
        if (!disk.mounted) {
            QSKIP("a small tmpfs can be mounted only as root (with the right to mount); not tested on a full disk");
        }
        load(m_dir->filePath(QStringLiteral("disk")), Destination, "S", "A");
        disk.fill();
        const EntrySaver::Result result = EntrySaver::save(m_state, QStringLiteral("new"));
        QCOMPARE(result.error, QStringLiteral("Cannot create file \"%1\". No space left on device").arg(dst()));
        QCOMPARE(read(dst()), Destination);
        QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden).size(), 4); // no temporary file left
    }

private:
    void load(const QString& folder, const QByteArray& bytes, const QByteArray& section, const QByteArray& key) {
        m_folder = folder;
        write(m_folder + "/Ref.lng", "[S]\r\nA=a\r\n");
        write(m_folder + "/Src.lng", "[S]\r\nA=a\r\n");
        write(dst(), bytes);
        m_state.load({"Ref", "Src", "Dst", m_folder, "lng"});
        m_state.currentSection = section;
        m_state.currentKey = key;
    }
    QString dst() const { return m_folder + QStringLiteral("/Dst.lng"); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
    EditingState m_state;
};

TOLVANE_TEST(EntrySaveSafetyTest)

#include "EntrySaveSafetyTest.moc"

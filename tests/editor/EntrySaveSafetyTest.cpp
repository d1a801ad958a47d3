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

const QByteArray Destination = "[S]\r\nA=1\r\nB=2\r\n\r\n[T]\r\nC=3\r\n\r\n";

// A file system of a few pages, mounted while it lives (root only).
class SmallDisk {
public:
    explicit SmallDisk(const QString& path) : m_path(QFile::encodeName(path)) {
        m_mounted = geteuid() == 0 && ::mount("tmpfs", m_path.constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk() {
        if (m_mounted) {
            ::umount2(m_path.constData(), MNT_DETACH);
        }
    }
    bool isMounted() const { return m_mounted; }
    // Fills what is left with one file.
    void fill() const {
        const int fd = ::open((m_path + "/filler").constData(), O_WRONLY | O_CREAT, 0600);
        const QByteArray block(4096, 'f');
        while (::write(fd, block.constData(), size_t(block.size())) > 0) {
        }
        ::close(fd);
    }

private:
    QByteArray m_path;
    bool m_mounted = false;
};

} // namespace

// Saves that must not lose a byte: failed writes, texts and files that would not read back.
class EntrySaveSafetyTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void failedWriteKeepsFileAndEntry_data();
    void failedWriteKeepsFileAndEntry();
    void textThatWouldNotReadBackIsRefused_data();
    void textThatWouldNotReadBackIsRefused();
    void fileThatCannotBeReadWholeIsNeverRewritten_data();
    void fileThatCannotBeReadWholeIsNeverRewritten();
    void changeInPlaceWithOldTimeIsNoticed();
    void fullDisk();

private:
    void load(const QString& folder, const QByteArray& bytes, const QByteArray& section, const QByteArray& key);
    QString destination() const { return m_folder + QStringLiteral("/Dst.lng"); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
    EditingState m_state;
};

void EntrySaveSafetyTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_state = EditingState();
}

void EntrySaveSafetyTest::load(const QString& folder, const QByteArray& bytes, const QByteArray& section,
                               const QByteArray& key) {
    m_folder = folder;
    write(m_folder + "/Ref.lng", "[S]\r\nA=a\r\n");
    write(m_folder + "/Src.lng", "[S]\r\nA=a\r\n");
    write(destination(), bytes);
    m_state.load(
        {QStringLiteral("Ref"), QStringLiteral("Src"), QStringLiteral("Dst"), m_folder, QStringLiteral("lng")});
    m_state.currentSection = section;
    m_state.currentKey = key;
}

void EntrySaveSafetyTest::failedWriteKeepsFileAndEntry_data() {
    QTest::addColumn<int>("step");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::newRow("write, existing entry") << int(ScopedWriteFault::Write) << QByteArray("S") << QByteArray("A");
    QTest::newRow("flush, new entry in a section the file has")
        << int(ScopedWriteFault::Flush) << QByteArray("S") << QByteArray("New");
    QTest::newRow("rename, new section") << int(ScopedWriteFault::Rename) << QByteArray("U") << QByteArray("New");
}

void EntrySaveSafetyTest::failedWriteKeepsFileAndEntry() {
    QFETCH(int, step);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    load(m_dir->path(), Destination, section, key);
    {
        ScopedWriteFault fault{ScopedWriteFault::Step(step)};
        const EntrySaver::Result result = EntrySaver::save(m_state, QStringLiteral("new"));
        QVERIFY(fault.fired());
        QVERIFY(!result.saved);
        QCOMPARE(result.error, QStringLiteral("Cannot create file \"%1\". No space left on device").arg(destination()));
    }
    QCOMPARE(read(destination()), Destination);
    IniDocument expected = iniFromText(Destination);
    expected.writeString(section, key, "new");
    QCOMPARE(m_state.destination()->toText(), expected.toText());
    // The next save that succeeds writes the kept entry with its own.
    m_state.currentSection = "T";
    m_state.currentKey = "C";
    QVERIFY(EntrySaver::save(m_state, QStringLiteral("c")).saved);
    expected.writeString("T", "C", "c");
    QCOMPARE(read(destination()), expected.toText());
}

void EntrySaveSafetyTest::textThatWouldNotReadBackIsRefused_data() {
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("refusal"); // empty: saved, and read back as the same entry
    const QString header = QStringLiteral("would be read back as a section header");
    QTest::newRow("NUL") << QByteArray("A") << QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b"))
                         << "NUL character";
    QTest::newRow("bracket key, text ends with a bracket") << QByteArray("[K") << "x]" << header;
    QTest::newRow("... and a blank") << QByteArray("[K") << "x] " << header;
    QTest::newRow("bracket key, bracket inside") << QByteArray("[K") << "x] y"
                                                 << "";
    QTest::newRow("text ends with a bracket") << QByteArray("A") << "[x]"
                                              << "";
}

void EntrySaveSafetyTest::textThatWouldNotReadBackIsRefused() {
    QFETCH(QByteArray, key);
    QFETCH(QString, text);
    QFETCH(QString, refusal);
    const QByteArray before = "[S]\r\nA=1\r\n[K=2\r\n\r\n";
    load(m_dir->path(), before, "S", key);
    const EntrySaver::Result result = EntrySaver::save(m_state, text);
    QCOMPARE(result.saved, refusal.isEmpty());
    QVERIFY2(result.error.contains(refusal), qPrintable(result.error));
    if (refusal.isEmpty()) {
        QCOMPARE(IniDocument(destination()).readString("S", key), text.toLatin1());
    } else {
        QCOMPARE(read(destination()), before);
        QCOMPARE(m_state.destination()->toText(), iniFromText(before).toText());
    }
}

void EntrySaveSafetyTest::fileThatCannotBeReadWholeIsNeverRewritten_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("UTF-8 byte-order mark") << QByteArray("\xEF\xBB\xBF[Main]\r\nFontCharset=0\r\n[S]\r\nA=1\r\n");
    const QString utf16 = QStringLiteral("\uFEFF[S]\r\nA=Abbrechen\r\n");
    QTest::newRow("UTF-16") << QByteArray(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2);
    QTest::newRow("NUL before the end") << QByteArray("[S]\r\nA=1\r\n\0[T]\r\nC=3\r\n", 21);
}

void EntrySaveSafetyTest::fileThatCannotBeReadWholeIsNeverRewritten() {
    QFETCH(QByteArray, bytes);
    load(m_dir->path(), bytes, "S", "A");
    const QByteArray document = m_state.destination()->toText();
    const EntrySaver::Result result = EntrySaver::save(m_state, QStringLiteral("new"));
    QVERIFY(!result.saved);
    QVERIFY2(result.error.startsWith(QStringLiteral("Cannot create file \"%1\". The file ").arg(destination())),
             qPrintable(result.error));
    QCOMPARE(read(destination()), bytes);
    QCOMPARE(m_state.destination()->toText(), document);
}

void EntrySaveSafetyTest::changeInPlaceWithOldTimeIsNoticed() {
    load(m_dir->path(), Destination, "S", "A");
    QThread::msleep(20); // past the file system's clock tick
    const QByteArray path = QFile::encodeName(destination());
    struct stat before {};
    QCOMPARE(::stat(path.constData(), &before), 0);
    const int fd = ::open(path.constData(), O_WRONLY);
    QCOMPARE(::pwrite(fd, "9", 1, Destination.indexOf("B=2") + 2), ssize_t(1));
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    QCOMPARE(::futimens(fd, times), 0);
    ::close(fd);
    QVERIFY(EntrySaver::save(m_state, QStringLiteral("new")).saved);
    QCOMPARE(read(destination()), QByteArray("[S]\r\nA=new\r\nB=9\r\n\r\n[T]\r\nC=3\r\n\r\n"));
}

void EntrySaveSafetyTest::fullDisk() {
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("disk")));
    const SmallDisk disk(m_dir->filePath(QStringLiteral("disk")));
    if (!disk.isMounted()) {
        QSKIP("a small tmpfs can be mounted only as root (with the right to mount); not tested on a full disk");
    }
    load(m_dir->filePath(QStringLiteral("disk")), Destination, "S", "A");
    disk.fill();
    const EntrySaver::Result result = EntrySaver::save(m_state, QStringLiteral("new"));
    QCOMPARE(result.error, QStringLiteral("Cannot create file \"%1\". No space left on device").arg(destination()));
    QCOMPARE(read(destination()), Destination);
    QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden).size(), 4); // no temporary file left
}

TOLVANE_TEST(EntrySaveSafetyTest)

#include "EntrySaveSafetyTest.moc"
